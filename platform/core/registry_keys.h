#pragma once
// The settings store in memory: every key by its full path below HKEY_CURRENT_USER ("" is
// the root), each with its values. Paths and names are looked up without regard to ASCII
// case and keep the case they were first stored with.

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

struct RegistryValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool operator==(const RegistryValue&) const = default;
};

using RegistryValues = std::map<std::string, RegistryValue, CaseInsensitiveLess>;
using KeyTable = std::map<std::string, RegistryValues, CaseInsensitiveLess>;

// One change: a key created, or a value stored under a key (which comes into being with it).
struct KeyChange {
    std::string key;
    std::string name;
    std::optional<RegistryValue> value;  // none: the key alone
};

// The path of subKey below the key at parent, or none when a name is empty, longer than 255
// characters or holds a control byte, or the key would lie deeper than 512 levels: the
// classic registry's bounds.
std::optional<std::string> KeyPath(std::string_view parent, std::string_view subKey);
// The store file keeps names and texts on one line each: no byte below 0x20, no 0x7F.
bool FitsOnOneLine(std::string_view text);
// At most 16,383 characters on one line.
bool IsValueName(std::string_view name);
// A key exists once it or a key below it was created.
bool KeyExists(const KeyTable& keys, std::string_view path);
// Applies change to keys; whether that changed them.
bool Apply(KeyTable& keys, const KeyChange& change);
