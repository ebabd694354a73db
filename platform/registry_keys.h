#pragma once
// The settings store in memory: every key by its full path below HKEY_CURRENT_USER ("" is
// the root), each with its values. Paths and names keep the case they were created with
// and are looked up without regard to ASCII case.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// Orders a key right before its subkeys, so that a walk over the table is a walk over the tree.
struct KeyPathLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

struct RegistryValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool operator==(const RegistryValue&) const = default;
};

using RegistryValues = std::map<std::string, RegistryValue, CaseInsensitiveLess>;
using KeyTable = std::map<std::string, RegistryValues, KeyPathLess>;

// The names of a key path such as "Software\Vesk Ticker"; "" is no name at all. None when
// a name is empty or holds a control byte, which the store file could not keep.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path);
// The store file keeps names and texts on one line each: no byte below 0x20, no 0x7F.
bool FitsOnOneLine(std::string_view text);

// Finds or creates the key below parent (a path in the table) with every missing level; the
// new levels keep the case given here, existing ones keep theirs.
KeyTable::iterator CreateKeyPath(KeyTable& keys, KeyTable::iterator parent,
                                 const std::vector<std::string_view>& names, bool& created);
// Finds the key below parent, or keys.end().
KeyTable::iterator FindKeyPath(KeyTable& keys, KeyTable::iterator parent,
                               const std::vector<std::string_view>& names);
