#pragma once
// Version numbers as the update check compares them: decimal numbers of any length, so
// that no version file is too long to compare.

#include <compare>
#include <string>
#include <string_view>

struct AppInfo;

class DecimalNumber {
public:
    // The number a version file starts with: blanks, tabs and line feeds are skipped
    // wherever they stand, "." is the decimal point, and the number ends at the first
    // character that cannot continue it. Zero when the text starts with no number.
    static DecimalNumber Leading(std::string_view text);

    std::strong_ordering operator<=>(const DecimalNumber& other) const;
    bool operator==(const DecimalNumber& other) const = default;

private:
    bool negative_ = false;
    std::string whole_;     // without leading zeros: empty for a number below 1
    std::string fraction_;  // without trailing zeros
};

// The program's own version: major "." minor revision, read as a number (4, 0, 0 is 4.00).
DecimalNumber ProgramVersion(const AppInfo& app);
