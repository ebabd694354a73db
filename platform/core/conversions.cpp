#include "platform/core/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/core/ascii_case.h"
#include "platform/core/text_trim.h"

namespace {

// Prints with the given significant digits, drops trailing zeros, and switches to the
// exponent form only where the classic runtime does (beyond the digits it can show).
// std::to_chars ignores the user's locale: the decimal point is always a period.
std::string FormatSignificant(double value, int digits) {
    if (value == 0) return "0";
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                             digits).ptr;
    std::string text(buffer, end);
    // e+07 -> E+07, as the classic form prints it.
    if (auto exponent = text.find('e'); exponent != std::string::npos) text[exponent] = 'E';
    return text;
}

}  // namespace

std::optional<double> TextToDouble(std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> TextToSingle(std::string_view text) {
    auto value = TextToDouble(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<int16_t> RoundToInteger(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::nearbyint(value);  // the default rounding mode is half to even
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<int16_t>(rounded);
}

std::optional<int32_t> RoundToLong(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(rounded);
}

std::optional<int16_t> TextToInteger(std::string_view text) {
    if (auto value = TextToDouble(text)) return RoundToInteger(*value);
    return std::nullopt;
}

std::optional<int32_t> TextToLong(std::string_view text) {
    if (auto value = TextToDouble(text)) return RoundToLong(*value);
    return std::nullopt;
}

std::optional<bool> TextToBoolean(std::string_view text) {
    text = Trimmed(text);
    if (EqualsIgnoringAsciiCase(text, "True")) return true;
    if (EqualsIgnoringAsciiCase(text, "False")) return false;
    if (auto value = TextToDouble(text)) return *value != 0;
    return std::nullopt;
}

std::string SingleToText(float value) { return FormatSignificant(value, 7); }
std::string DoubleToText(double value) { return FormatSignificant(value, 15); }
std::string BooleanToText(bool value) { return value ? "True" : "False"; }
