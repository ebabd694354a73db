#pragma once
// Case changes of UTF-8 text, letters beyond ASCII included, and its first character.

#include <string>
#include <string_view>

std::string UCase(std::string_view text);
std::string LCase(std::string_view text);

// The first character whole, however many bytes it takes; empty text gives empty text.
std::string FirstCharacter(std::string_view text);
