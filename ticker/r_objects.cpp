#include "ticker/r_objects.h"

#include "platform/core/ascii_case.h"

rObject* rObjects::Add(int32_t oWidth, int32_t oHeight, int32_t oTop, int32_t oLeft,
                       const std::string& sKey) {
    if (!sKey.empty() && Position(sKey)) return nullptr;
    auto object = std::make_unique<rObject>();
    object->setOWidth(oWidth);
    object->setOHeight(oHeight);
    object->setOTop(oTop);
    object->setOLeft(oLeft);
    entries_.push_back(Entry{sKey, std::move(object)});
    return entries_.back().object.get();
}

std::optional<size_t> rObjects::Position(const IndexKey& key) const {
    if (const auto* index = std::get_if<int32_t>(&key)) {
        if (*index < 1 || *index > Count()) return std::nullopt;
        return size_t(*index - 1);
    }
    const std::string& text = std::get<std::string>(key);
    if (text.empty()) return std::nullopt;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (EqualsIgnoringAsciiCase(entries_[i].key, text)) return i;
    return std::nullopt;
}

rObject* rObjects::Find(const IndexKey& key) const {
    auto position = Position(key);
    return position ? entries_[*position].object.get() : nullptr;
}

void rObjects::Remove(const IndexKey& key) {
    if (auto position = Position(key)) entries_.erase(entries_.begin() + long(*position));
}
