#include "platform/core/registry.h"

#include <algorithm>
#include <unordered_map>

#include "platform/core/registry_file.h"
#include "platform/core/registry_keys.h"

class RegistryStore {
public:
    explicit RegistryStore(std::string settingsFolder) : file(std::move(settingsFolder)) {}

    // The key path of HKEY_CURRENT_USER ("") or of an open key; none for anything else.
    // Handles keep paths, not keys, because another copy of the program may replace the
    // whole table under them.
    const std::string* Resolve(HKEY handle) const {
        if (handle == HKEY_CURRENT_USER) return &rootPath;
        const auto found = handles.find(handle);
        return found == handles.end() ? nullptr : &found->second;
    }

    HKEY Open(const std::string& path) {
        const HKEY handle = nextHandle++;
        handles.emplace(handle, path);
        return handle;
    }

    RegistryFile file;
    const std::string rootPath;  // of HKEY_CURRENT_USER
    std::unordered_map<HKEY, std::string> handles;
    HKEY nextHandle = 0x100;
};

namespace {

// The full path of subKey below the key at parent, or none when a name is not allowed.
std::optional<std::string> SubkeyPath(const std::string& parent, std::string_view subKey) {
    const auto names = SplitKeyPath(subKey, KeyDepth(parent));
    if (!names) return std::nullopt;
    return ChildPath(parent, *names);
}

}  // namespace

Registry::Registry(std::string settingsFolder)
    : store_(std::make_unique<RegistryStore>(std::move(settingsFolder))) {}

Registry::~Registry() = default;

LONG Registry::RegCreateKeyExA(HKEY root, std::string_view subKey, uint32_t /*options*/,
                               uint32_t /*samDesired*/, HKEY& result) {
    result = 0;
    const std::string* parent = store_->Resolve(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    const auto path = SubkeyPath(*parent, subKey);
    if (!path) return ERROR_BAD_PATHNAME;
    auto key = store_->file.Keys().find(*path);
    if (key == store_->file.Keys().end()) {
        const bool written = store_->file.Update([&](KeyTable& keys) {
            bool created = false;
            CreateKeyPath(keys, *SplitKeyPath(*path), created);
            return created;
        });
        key = store_->file.Keys().find(*path);
        result = store_->Open(key->first);
        return written ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
    }
    result = store_->Open(key->first);
    return ERROR_SUCCESS;
}

LONG Registry::RegOpenKeyExA(HKEY root, std::string_view subKey, uint32_t /*samDesired*/,
                             HKEY& result) {
    result = 0;
    const std::string* parent = store_->Resolve(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    const auto path = SubkeyPath(*parent, subKey);
    if (!path) return ERROR_BAD_PATHNAME;
    // Keys are never removed, so a key known is there; only a missing one needs the look
    // whether another copy created it.
    const KeyTable* keys = &store_->file.LastKnownKeys();
    auto key = keys->find(*path);
    if (key == keys->end()) {
        keys = &store_->file.Keys();
        key = keys->find(*path);
    }
    if (key == keys->end()) return ERROR_FILE_NOT_FOUND;
    result = store_->Open(key->first);
    return ERROR_SUCCESS;
}

LONG Registry::RegQueryValueExA(HKEY key, std::string_view valueName, uint32_t* type,
                                uint8_t* data, uint32_t& length) {
    const std::string* path = store_->Resolve(key);
    if (!path) return ERROR_INVALID_HANDLE;
    const KeyTable& keys = store_->file.Keys();
    const auto found = keys.find(*path);
    if (found == keys.end()) return ERROR_FILE_NOT_FOUND;
    const auto value = found->second.find(valueName);
    if (value == found->second.end()) return ERROR_FILE_NOT_FOUND;
    const auto& bytes = value->second.data;
    const auto stored = static_cast<uint32_t>(bytes.size());
    if (type) *type = value->second.type;
    const bool fits = length >= stored;
    length = stored;
    if (!data) return ERROR_SUCCESS;
    if (!fits) return ERROR_MORE_DATA;
    std::copy(bytes.begin(), bytes.end(), data);
    return ERROR_SUCCESS;
}

LONG Registry::RegSetValueExA(HKEY key, std::string_view valueName, uint32_t type,
                              const uint8_t* data, uint32_t length) {
    const std::string* path = store_->Resolve(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!IsValueName(valueName) || (!data && length > 0)) return ERROR_INVALID_PARAMETER;
    const RegistryValue wanted{type, {data, data + length}};
    // A drag stores the same position again and again; a value already in the file costs
    // only the look at the file.
    const KeyTable& keys = store_->file.Keys();
    if (const auto found = keys.find(*path); found != keys.end()) {
        const auto value = found->second.find(valueName);
        if (value != found->second.end() && value->second == wanted) return ERROR_SUCCESS;
    }
    const bool written = store_->file.Update([&](KeyTable& table) {
        bool created = false;
        auto& values = CreateKeyPath(table, *SplitKeyPath(*path), created)->second;
        auto value = values.find(valueName);
        if (value == values.end()) {
            values.emplace(std::string(valueName), wanted);
        } else if (value->second == wanted) {
            return created;
        } else {
            value->second = wanted;
        }
        return true;
    });
    return written ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LONG Registry::RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    return store_->handles.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void Registry::Flush() { store_->file.Flush(); }

void Registry::ReportProblemsTo(std::function<void(const std::string&)> report) {
    store_->file.ReportTo(std::move(report));
}

const std::optional<std::string>& Registry::LoadProblem() const { return store_->file.LoadProblem(); }

const std::string& Registry::StorePath() const { return store_->file.Path(); }
