#pragma once
// The ASCII-only folding with which the classic system compares names and keywords.

#include <string_view>

// Only A-Z change; every other byte, UTF-8 included, stays as it is.
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
