#pragma once
// The recorded geometries, keyed by control name without regard to case.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ticker/r_object.h"

class rObjects {
public:
    // Nothing is added, and nothing returned, when the key is already present; an entry
    // with an empty key is kept but cannot be looked up.
    rObject* Add(int32_t oWidth, int32_t oHeight, int32_t oTop, int32_t oLeft,
                 const std::string& sKey);
    // nullptr for a missing key.
    rObject* Item(const std::string& key) const;

private:
    struct Entry {
        std::string key;
        std::unique_ptr<rObject> object;
    };
    std::vector<Entry> entries_;
};
