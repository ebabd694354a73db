#pragma once
// Writing settings: creating a key and storing one value under it.

#include <string_view>

#include "platform/core/registry.h"

class Runtime;

namespace Registry2 {

inline constexpr std::string_view kMainKey = "Software\\Vesk Ticker";
inline constexpr std::string_view kChartKey = "Software\\Vesk Ticker\\Charts";

// Creates the key (or opens it when it exists) and closes it; a failure is silent.
void CreateNewKey(Runtime& runtime, HKEY root, std::string_view keyPath);
// Stores one value under an existing key: REG_SZ as the text with its zero, REG_DWORD as
// the text's number in 4 bytes. A missing key writes nothing, silently.
void SetKeyValue(Runtime& runtime, HKEY root, std::string_view keyPath, std::string_view valueName,
                 std::string_view value, uint32_t type = REG_SZ);
// The worker under SetKeyValue; returns the registry call's status, 0 for other types.
LONG SetValueEx(Runtime& runtime, HKEY key, std::string_view valueName, uint32_t type,
                std::string_view value);

}  // namespace Registry2
