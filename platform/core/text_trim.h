#pragma once

#include <string_view>

// Text without the blanks around it: spaces, tabs and the carriage return that a file
// written on another system leaves at each line's end.
constexpr std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
