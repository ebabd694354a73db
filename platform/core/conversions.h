#pragma once
// The language runtime's conversions between text and numbers, with the classic rules:
// numbers round half to even when they become whole, Single prints 7 significant digits
// and Double 15, and a text that is not a number is a conversion error (no value).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::optional<double> TextToDouble(std::string_view text);  // CDbl
std::optional<float> TextToSingle(std::string_view text);   // CSng
std::optional<int16_t> TextToInteger(std::string_view text);  // CInt
std::optional<int32_t> TextToLong(std::string_view text);     // CLng
std::optional<bool> TextToBoolean(std::string_view text);     // CBool: "True", "False", numbers

std::optional<int16_t> RoundToInteger(double value);  // CInt of a number; none when out of range
std::optional<int32_t> RoundToLong(double value);     // CLng of a number

std::string SingleToText(float value);   // CStr of a Single
std::string DoubleToText(double value);  // CStr of a Double
std::string BooleanToText(bool value);   // "True" / "False"
