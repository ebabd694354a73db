#include "platform/registry.h"

#include <algorithm>
#include <unordered_map>

#include "platform/registry_file.h"
#include "platform/registry_keys.h"

class RegistryStore {
public:
    explicit RegistryStore(std::string settingsFolder) : file(std::move(settingsFolder), keys) {}

    // HKEY_CURRENT_USER itself, or an open key; keys.end() for anything else.
    KeyTable::iterator Resolve(HKEY handle) {
        if (handle == HKEY_CURRENT_USER) return keys.find("");
        const auto found = handles.find(handle);
        return found == handles.end() ? keys.end() : found->second;
    }

    HKEY Open(KeyTable::iterator key) {
        const HKEY handle = nextHandle++;
        handles.emplace(handle, key);
        return handle;
    }

    KeyTable keys{{"", {}}};  // keys are never removed, so handles may hold iterators
    RegistryFile file;        // after keys: it loads them first and writes them last
    std::unordered_map<HKEY, KeyTable::iterator> handles;
    HKEY nextHandle = 0x100;
};

Registry::Registry(std::string settingsFolder)
    : store_(std::make_unique<RegistryStore>(std::move(settingsFolder))) {}

Registry::~Registry() = default;

LONG Registry::RegCreateKeyExA(HKEY root, std::string_view subKey, uint32_t /*options*/,
                               uint32_t /*samDesired*/, HKEY& result) {
    result = 0;
    const auto parent = store_->Resolve(root);
    if (parent == store_->keys.end()) return ERROR_INVALID_HANDLE;
    const auto names = SplitKeyPath(subKey);
    if (!names) return ERROR_BAD_PATHNAME;
    bool created = false;
    const auto key = CreateKeyPath(store_->keys, parent, *names, created);
    if (created) store_->file.Changed();
    result = store_->Open(key);
    return ERROR_SUCCESS;
}

LONG Registry::RegOpenKeyExA(HKEY root, std::string_view subKey, uint32_t /*samDesired*/,
                             HKEY& result) {
    result = 0;
    const auto parent = store_->Resolve(root);
    if (parent == store_->keys.end()) return ERROR_INVALID_HANDLE;
    const auto names = SplitKeyPath(subKey);
    if (!names) return ERROR_BAD_PATHNAME;
    const auto key = FindKeyPath(store_->keys, parent, *names);
    if (key == store_->keys.end()) return ERROR_FILE_NOT_FOUND;
    result = store_->Open(key);
    return ERROR_SUCCESS;
}

LONG Registry::RegQueryValueExA(HKEY key, std::string_view valueName, uint32_t* type,
                                uint8_t* data, uint32_t& length) {
    const auto found = store_->Resolve(key);
    if (found == store_->keys.end()) return ERROR_INVALID_HANDLE;
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
    const auto found = store_->Resolve(key);
    if (found == store_->keys.end()) return ERROR_INVALID_HANDLE;
    if (!FitsOnOneLine(valueName) || (!data && length > 0)) return ERROR_INVALID_PARAMETER;
    auto& values = found->second;
    auto value = values.find(valueName);
    if (value == values.end()) {
        value = values.emplace(std::string(valueName), RegistryValue{}).first;
    } else if (value->second.type == type &&
               std::equal(data, data + length, value->second.data.begin(), value->second.data.end())) {
        return ERROR_SUCCESS;  // a drag rewrites the same position often; nothing to store
    }
    value->second.type = type;
    value->second.data.assign(data, data + length);
    store_->file.Changed();
    return ERROR_SUCCESS;
}

LONG Registry::RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    return store_->handles.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void Registry::Flush() { store_->file.Flush(); }

const std::optional<std::string>& Registry::LoadProblem() const { return store_->file.LoadProblem(); }

const std::string& Registry::StorePath() const { return store_->file.Path(); }
