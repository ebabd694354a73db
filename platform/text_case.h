#pragma once
// Case changes of UTF-8 text, letters beyond ASCII included, its first character, and the
// ASCII-only folding with which the classic system compares names and keywords.

#include <string>
#include <string_view>

std::string UCase(std::string_view text);
std::string LCase(std::string_view text);

// Only A-Z change; every other byte, UTF-8 included, stays as it is.
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The first character whole, however many bytes it takes; empty text gives empty text.
std::string FirstCharacter(std::string_view text);
