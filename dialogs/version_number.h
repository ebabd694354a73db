#pragma once
// Version numbers as the update check compares them.

#include <optional>
#include <string_view>

struct AppInfo;

// The number a version file starts with: blanks, tabs and line feeds are skipped wherever
// they stand, "." is the decimal point, and the number ends at the first character that
// cannot continue it. None when the text starts with no number, or with one too large
// to hold.
std::optional<double> LeadingNumber(std::string_view text);

// The program's own version: major "." minor revision, read as a number (4, 0, 0 is 4.00).
double ProgramVersion(const AppInfo& app);
