#pragma once
// The per-user settings store behind the classic advapi32 registry calls. Keys and values
// live in one human-readable file, registry.txt, in the settings folder, shared by every
// running copy: a value is in the file when RegSetValueExA returns, merged with what other
// copies wrote, and every read sees the latest write of any copy.

#include <cstdint>
#include <functional>
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
// The change holds for this run but is not in the file: the write failed (see
// ReportProblemsTo) or waits for another copy's lock. A key created so is opened all the same.
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_INVALID_PARAMETER = 87;  // a value name too long or with a control byte
constexpr LONG ERROR_BAD_PATHNAME = 161;      // a key name empty, too long or too deep
constexpr LONG ERROR_MORE_DATA = 234;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_DWORD = 4;
constexpr uint32_t KEY_ALL_ACCESS_LEGACY = 0x3F;

class RegistryStore;

// Where the settings live by the XDG rules: $XDG_CONFIG_HOME/vesk-ticker when that is an
// absolute path, else .config/vesk-ticker in the home folder ($HOME, or the password
// database's); empty when there is no home folder.
std::string SettingsFolder();

class Registry {
public:
    // settingsFolder is created when missing; empty means there is none. Of a store file
    // with lines that cannot be read, the readable ones are kept; the file as it was is
    // moved aside and LoadProblem() tells so.
    explicit Registry(std::string settingsFolder);
    ~Registry();  // settles
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Key paths and value names compare without regard to ASCII case, as the classic
    // registry's do, and keep the case they were first stored with; a key name holds at most 255
    // characters, a key lies at most 512 levels deep and a value name holds at most 16,383.
    // root is HKEY_CURRENT_USER or an open key; a failure leaves result 0. Opening a missing
    // key gives ERROR_FILE_NOT_FOUND.
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

    // Writes what another copy's lock held back, and syncs the last writes to the disk.
    void Flush();
    // For the program's end: Flush, and the file left with each value once for a user to read.
    void Settle();
    // Called when there is something for Flush to do; it need not be done at once.
    void WhenFlushDue(std::function<void()> due);
    // Safe in a signal handler: a quitting program waits for no other copy's lock.
    static void AbandonLockWaits();
    // A clear, user-facing text when the store file could not be read or its folder not
    // locked at start, a paragraph for each, else nothing.
    const std::optional<std::string>& LoadProblem() const;
    // Where later problems are told, in the same words: the first write that fails in a
    // run (naming the file and the cause), a lock another copy does not let go of, a folder
    // that cannot be locked at all (written all the same), a file broken while the program ran.
    void ReportProblemsTo(std::function<void(const std::string&)> report);
    const std::string& StorePath() const;

private:
    std::unique_ptr<RegistryStore> store_;
};
