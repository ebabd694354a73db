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

// The classic registry's bounds, which also keep a hand-made file from taking the memory.
constexpr size_t kMaxKeyNameLength = 255;      // per level
constexpr size_t kMaxKeyDepth = 512;           // levels below HKEY_CURRENT_USER
constexpr size_t kMaxValueNameLength = 16383;

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

// The names of a key path such as "Software\Vesk Ticker" below a key parentDepth levels
// deep; "" is no name at all. None when a name is empty, too long or holds a control byte,
// or when the key would lie deeper than kMaxKeyDepth.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path,
                                                          size_t parentDepth = 0);
size_t KeyDepth(std::string_view path);
// The store file keeps names and texts on one line each: no byte below 0x20, no 0x7F.
bool FitsOnOneLine(std::string_view text);
bool IsValueName(std::string_view name);

// Finds or creates the key path below the root with every missing level; the new levels
// keep the case given here, existing ones keep theirs. created tells whether any was new.
KeyTable::iterator CreateKeyPath(KeyTable& keys, const std::vector<std::string_view>& names,
                                 bool& created);
// The path as a key below parent's path would have it.
std::string ChildPath(std::string_view parent, const std::vector<std::string_view>& names);
