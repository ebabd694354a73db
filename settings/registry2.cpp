#include "settings/registry2.h"

#include <cstring>
#include <string>

#include "platform/core/conversions.h"
#include "platform/runtime.h"

namespace Registry2 {

void CreateNewKey(Runtime& runtime, HKEY root, std::string_view keyPath) {
    HKEY key = 0;
    runtime.registry().RegCreateKeyExA(root, keyPath, 0, KEY_ALL_ACCESS_LEGACY, key);
    if (key) runtime.registry().RegCloseKey(key);
}

void SetKeyValue(Runtime& runtime, HKEY root, std::string_view keyPath, std::string_view valueName,
                 std::string_view value, uint32_t type) {
    HKEY key = 0;
    runtime.registry().RegOpenKeyExA(root, keyPath, KEY_ALL_ACCESS_LEGACY, key);
    if (!key) return;
    SetValueEx(runtime, key, valueName, type, value);
    runtime.registry().RegCloseKey(key);
}

LONG SetValueEx(Runtime& runtime, HKEY key, std::string_view valueName, uint32_t type,
                std::string_view value) {
    if (type == REG_SZ) {
        std::string stored(value);
        stored.push_back('\0');
        return runtime.registry().RegSetValueExA(key, valueName, REG_SZ,
                                                 reinterpret_cast<const uint8_t*>(stored.data()),
                                                 uint32_t(stored.size()));
    }
    if (type == REG_DWORD) {
        auto number = TextToLong(value);
        if (!number) return ERROR_INVALID_HANDLE;
        uint8_t bytes[4];
        std::memcpy(bytes, &*number, 4);
        return runtime.registry().RegSetValueExA(key, valueName, REG_DWORD, bytes, 4);
    }
    return ERROR_SUCCESS;
}

}  // namespace Registry2
