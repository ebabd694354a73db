#include "platform/core/registry.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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

    HKEY Open(std::string path) {
        const HKEY handle = nextHandle++;
        handles.emplace(handle, std::move(path));
        return handle;
    }

    RegistryFile file;
    const std::string rootPath;  // of HKEY_CURRENT_USER
    std::unordered_map<HKEY, std::string> handles;
    HKEY nextHandle = 0x100;
};

Registry::Registry(std::string settingsFolder)
    : store_(std::make_unique<RegistryStore>(std::move(settingsFolder))) {}

Registry::~Registry() = default;

std::string SettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/vesk-ticker";
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable && variable[0] == '/') {
        home = variable;
    } else {
        struct passwd entry {};
        struct passwd* found = nullptr;
        char buffer[4096];
        if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
            found->pw_dir && found->pw_dir[0] == '/')
            home = found->pw_dir;
    }
    if (home.empty()) return {};
    return (home == "/" ? "" : home) + "/.config/vesk-ticker";
}

LONG Registry::RegCreateKeyExA(HKEY root, std::string_view subKey, uint32_t /*options*/,
                               uint32_t /*samDesired*/, HKEY& result) {
    result = 0;
    const std::string* parent = store_->Resolve(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    auto path = KeyPath(*parent, subKey);
    if (!path) return ERROR_BAD_PATHNAME;
    const bool written = KeyExists(store_->file.Keys(), *path) || store_->file.Update({*path, {}, {}});
    result = store_->Open(std::move(*path));
    return written ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LONG Registry::RegOpenKeyExA(HKEY root, std::string_view subKey, uint32_t /*samDesired*/,
                             HKEY& result) {
    result = 0;
    const std::string* parent = store_->Resolve(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    auto path = KeyPath(*parent, subKey);
    if (!path) return ERROR_BAD_PATHNAME;
    if (!KeyExists(store_->file.Keys(), *path)) return ERROR_FILE_NOT_FOUND;
    result = store_->Open(std::move(*path));
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
    const bool written = store_->file.Update({*path, std::string(valueName),
                                              RegistryValue{type, {data, data + length}}});
    return written ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LONG Registry::RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    return store_->handles.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void Registry::Flush() { store_->file.Flush(); }
void Registry::Settle() { store_->file.Settle(); }

void Registry::WhenFlushDue(std::function<void()> due) { store_->file.WhenFlushDue(std::move(due)); }

void Registry::AbandonLockWaits() { RegistryFile::AbandonLockWaits(); }

void Registry::ReportProblemsTo(std::function<void(const std::string&)> report) {
    store_->file.ReportTo(std::move(report));
}

const std::optional<std::string>& Registry::LoadProblem() const { return store_->file.LoadProblem(); }

const std::string& Registry::StorePath() const { return store_->file.Path(); }
