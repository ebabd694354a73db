#pragma once
// The symbol file holds single-byte Windows-1252 text; the rest of the program speaks UTF-8.
// A character with no single-byte form, and every malformed UTF-8 sequence, becomes '?'.
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the
// control characters of the same number, both ways.

#include <string>
#include <string_view>

std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
