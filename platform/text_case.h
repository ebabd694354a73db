#pragma once
// Case changes of UTF-8 text, letters beyond ASCII included.

#include <string>
#include <string_view>

std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
