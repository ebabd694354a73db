#pragma once
// The recorded geometries, keyed by control name without regard to case, in the order
// they were added.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ticker/r_object.h"

class rObjects {
public:
    // A key text or a position counted from 1.
    using IndexKey = std::variant<std::string, int32_t>;

    // Nothing is added, and nothing returned, when the key is already present.
    rObject* Add(int32_t oWidth, int32_t oHeight, int32_t oTop, int32_t oLeft,
                 const std::string& sKey);
    bool Exists(const IndexKey& key) const { return Find(key) != nullptr; }
    // nullptr for a missing key.
    rObject* Item(const IndexKey& key) const { return Find(key); }
    int32_t Count() const { return int32_t(entries_.size()); }
    void Remove(const IndexKey& key);

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    struct Entry {
        std::string key;
        std::unique_ptr<rObject> object;
    };
    rObject* Find(const IndexKey& key) const;
    std::optional<size_t> Position(const IndexKey& key) const;
    std::vector<Entry> entries_;
};
