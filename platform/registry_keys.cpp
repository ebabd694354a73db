#include "platform/registry_keys.h"

#include <algorithm>

namespace {

unsigned char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool IsControlByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

template <typename Fold>
bool FoldedLess(std::string_view a, std::string_view b, Fold fold) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return fold(x) < fold(y); });
}

std::string ChildPath(std::string_view parent, std::string_view name) {
    std::string path(parent);
    if (!path.empty()) path += '\\';
    path += name;
    return path;
}

}  // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const {
    return FoldedLess(a, b, FoldCase);
}

bool KeyPathLess::operator()(std::string_view a, std::string_view b) const {
    // Names hold no control bytes, so 1 sorts the separator below every name character.
    return FoldedLess(a, b, [](char c) { return c == '\\' ? 1 : FoldCase(c); });
}

bool FitsOnOneLine(std::string_view text) {
    return std::none_of(text.begin(), text.end(), IsControlByte);
}

std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path) {
    std::vector<std::string_view> names;
    if (path.empty()) return names;
    for (size_t start = 0;;) {
        const size_t end = std::min(path.find('\\', start), path.size());
        const std::string_view name = path.substr(start, end - start);
        if (name.empty() || !FitsOnOneLine(name)) return std::nullopt;
        names.push_back(name);
        if (end == path.size()) return names;
        start = end + 1;
    }
}

KeyTable::iterator CreateKeyPath(KeyTable& keys, KeyTable::iterator parent,
                                 const std::vector<std::string_view>& names, bool& created) {
    created = false;
    KeyTable::iterator key = parent;
    for (const std::string_view name : names) {
        std::string path = ChildPath(key->first, name);
        auto found = keys.find(path);
        if (found == keys.end()) {
            found = keys.emplace(std::move(path), RegistryValues{}).first;
            created = true;
        }
        key = found;
    }
    return key;
}

KeyTable::iterator FindKeyPath(KeyTable& keys, KeyTable::iterator parent,
                               const std::vector<std::string_view>& names) {
    std::string path = parent->first;
    for (const std::string_view name : names) path = ChildPath(path, name);
    return keys.find(path);
}
