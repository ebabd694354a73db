#pragma once
// The per-user settings store behind the classic advapi32 registry calls. Keys and values
// live in one human-readable file, registry.txt, in the settings folder; the file is
// replaced atomically, and writes are coalesced so that a burst costs one disk write.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

using HKEY = intptr_t;
using LONG = int32_t;

constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;  // a name with a control byte; no data for a length
constexpr LONG ERROR_BAD_PATHNAME = 161;      // a key path with an empty name
constexpr LONG ERROR_MORE_DATA = 234;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_DWORD = 4;
constexpr uint32_t KEY_ALL_ACCESS_LEGACY = 0x3F;

class RegistryStore;

class Registry {
public:
    // settingsFolder is created when missing; a store file that cannot be parsed is moved
    // aside and reported by LoadProblem().
    explicit Registry(std::string settingsFolder);
    ~Registry();  // stores whatever is pending
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Key paths and value names compare without regard to ASCII case, as the classic
    // registry's do, and keep the case they were created with. root is HKEY_CURRENT_USER or
    // an open key; a failure leaves result 0. Opening a missing key gives ERROR_FILE_NOT_FOUND.
    LONG RegCreateKeyExA(HKEY root, std::string_view subKey, uint32_t options, uint32_t samDesired,
                         HKEY& result);
    LONG RegOpenKeyExA(HKEY root, std::string_view subKey, uint32_t samDesired, HKEY& result);
    // length: in, the buffer's size; out, the stored length. A value that does not fit
    // gives ERROR_MORE_DATA and leaves the buffer alone; a null data asks for the length only.
    LONG RegQueryValueExA(HKEY key, std::string_view valueName, uint32_t* type, uint8_t* data,
                          uint32_t& length);
    LONG RegSetValueExA(HKEY key, std::string_view valueName, uint32_t type, const uint8_t* data,
                        uint32_t length);
    LONG RegCloseKey(HKEY key);

    // Writes pending changes to disk now (the coalescing timer does it shortly anyway).
    void Flush();
    // A clear, user-facing text when the store file could not be read at start, else nothing.
    const std::optional<std::string>& LoadProblem() const;
    const std::string& StorePath() const;

private:
    std::unique_ptr<RegistryStore> store_;
};
