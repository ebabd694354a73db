#include "platform/core/registry_keys.h"

#include <algorithm>

#include "platform/core/ascii_case.h"

namespace {

unsigned char FoldCase(char c) { return static_cast<unsigned char>(AsciiLower(c)); }

bool IsControlByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

template <typename Fold>
bool FoldedLess(std::string_view a, std::string_view b, Fold fold) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return fold(x) < fold(y); });
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

bool IsValueName(std::string_view name) {
    return name.size() <= kMaxValueNameLength && FitsOnOneLine(name);
}

size_t KeyDepth(std::string_view path) {
    return path.empty() ? 0 : size_t(std::count(path.begin(), path.end(), '\\')) + 1;
}

std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path,
                                                          size_t parentDepth) {
    std::vector<std::string_view> names;
    if (path.empty()) return names;
    for (size_t start = 0;;) {
        const size_t end = std::min(path.find('\\', start), path.size());
        const std::string_view name = path.substr(start, end - start);
        if (name.empty() || name.size() > kMaxKeyNameLength || !FitsOnOneLine(name))
            return std::nullopt;
        // Stops at the bound, so that a path nested ever deeper costs no more to refuse.
        if (parentDepth + names.size() >= kMaxKeyDepth) return std::nullopt;
        names.push_back(name);
        if (end == path.size()) return names;
        start = end + 1;
    }
}

std::string ChildPath(std::string_view parent, const std::vector<std::string_view>& names) {
    std::string path(parent);
    for (const std::string_view name : names) {
        if (!path.empty()) path += '\\';
        path += name;
    }
    return path;
}

KeyTable::iterator CreateKeyPath(KeyTable& keys, const std::vector<std::string_view>& names,
                                 bool& created) {
    created = false;
    KeyTable::iterator key = keys.try_emplace("").first;
    for (const std::string_view name : names) {
        std::string path = ChildPath(key->first, {name});
        auto found = keys.find(path);
        if (found == keys.end()) {
            found = keys.emplace(std::move(path), RegistryValues{}).first;
            created = true;
        }
        key = found;
    }
    return key;
}
