#include "ticker/r_objects.h"

#include "platform/core/ascii_case.h"

rObject* rObjects::Add(int32_t oWidth, int32_t oHeight, int32_t oTop, int32_t oLeft,
                       const std::string& sKey) {
    if (!sKey.empty() && Item(sKey)) return nullptr;
    auto object = std::make_unique<rObject>();
    object->setOWidth(oWidth);
    object->setOHeight(oHeight);
    object->setOTop(oTop);
    object->setOLeft(oLeft);
    entries_.push_back(Entry{sKey, std::move(object)});
    return entries_.back().object.get();
}

rObject* rObjects::Item(const std::string& key) const {
    if (key.empty()) return nullptr;
    for (const Entry& entry : entries_)
        if (EqualsIgnoringAsciiCase(entry.key, key)) return entry.object.get();
    return nullptr;
}
