#pragma once
// Reading settings. A value the system knows that is missing is first stored with its
// built-in default, so no caller ever meets a missing setting.

#include <optional>
#include <string>
#include <string_view>

#include "platform/core/registry.h"

class Runtime;

namespace GetString {

// The stored text, or empty text for nothing (a missing key, an empty stored text, a
// name without a default). An empty value name is the store's one error: it ends the
// program with its message.
std::string GetStringValue(Runtime& runtime, HKEY root, std::string_view keyPath,
                           std::string_view valueName);

// A stored number. A stored text that is not a number (a hand-edited store) gives the
// value's built-in default instead, or 0 for a value without one.
double GetNumberValue(Runtime& runtime, HKEY root, std::string_view keyPath,
                      std::string_view valueName);

// A stored number, read as it is: none when the value is missing or is not a number.
// Nothing is stored, so a place the program never chose stays unchosen.
std::optional<double> StoredNumber(Runtime& runtime, HKEY root, std::string_view keyPath,
                                   std::string_view valueName);

// The built-in default of a value of the two keys; empty when the name has none.
std::string_view DefaultOf(std::string_view keyPath, std::string_view valueName);

}  // namespace GetString
