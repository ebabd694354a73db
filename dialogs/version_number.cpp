#include "dialogs/version_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/runtime.h"

std::optional<double> LeadingNumber(std::string_view text) {
    std::string number;
    bool digits = false, point = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if ((c == '+' || c == '-') && number.empty()) {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            number += c;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

double ProgramVersion(const AppInfo& app) {
    std::string text = std::to_string(app.Major) + "." + std::to_string(app.Minor) +
                       std::to_string(app.Revision);
    return LeadingNumber(text).value_or(0);
}
