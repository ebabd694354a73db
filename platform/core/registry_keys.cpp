#include "platform/core/registry_keys.h"

#include <algorithm>

#include "platform/core/ascii_case.h"

namespace {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxKeyDepth = 512;
constexpr size_t kMaxValueNameLength = 16383;

bool IsControlByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

}  // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
    });
}

bool FitsOnOneLine(std::string_view text) { return std::none_of(text.begin(), text.end(), IsControlByte); }

bool IsValueName(std::string_view name) { return name.size() <= kMaxValueNameLength && FitsOnOneLine(name); }

std::optional<std::string> KeyPath(std::string_view parent, std::string_view subKey) {
    std::string path(parent);
    if (subKey.empty()) return path;
    size_t depth = parent.empty() ? 0 : size_t(std::count(parent.begin(), parent.end(), '\\')) + 1;
    for (size_t start = 0;;) {
        const size_t end = std::min(subKey.find('\\', start), subKey.size());
        const std::string_view name = subKey.substr(start, end - start);
        if (name.empty() || name.size() > kMaxKeyNameLength || !FitsOnOneLine(name) ||
            ++depth > kMaxKeyDepth)
            return std::nullopt;
        if (!path.empty()) path += '\\';
        path += name;
        if (end == subKey.size()) return path;
        start = end + 1;
    }
}

bool KeyExists(const KeyTable& keys, std::string_view path) {
    if (path.empty() || keys.contains(path)) return true;
    // The keys below path follow one another in the table's order.
    const std::string below = std::string(path) + '\\';
    const auto next = keys.lower_bound(below);
    return next != keys.end() && next->first.size() > below.size() &&
           EqualsIgnoringAsciiCase(std::string_view(next->first).substr(0, below.size()), below);
}

bool Apply(KeyTable& keys, const KeyChange& change) {
    if (!change.value) {
        if (KeyExists(keys, change.key)) return false;
        keys.try_emplace(change.key);
        return true;
    }
    RegistryValues& values = keys[change.key];
    const auto [value, added] = values.try_emplace(change.name, *change.value);
    if (added) return true;
    if (value->second == *change.value) return false;
    value->second = *change.value;
    return true;
}
