#include "dialogs/version_number.h"

#include "platform/runtime.h"

DecimalNumber DecimalNumber::Leading(std::string_view text) {
    DecimalNumber number;
    bool started = false, digits = false, point = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if ((c == '+' || c == '-') && !started) {
            number.negative_ = c == '-';
        } else if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                number.fraction_ += c;
            } else if (c != '0' || !number.whole_.empty()) {
                number.whole_ += c;
            }
        } else {
            break;
        }
        started = true;
    }
    while (!number.fraction_.empty() && number.fraction_.back() == '0') number.fraction_.pop_back();
    if (!digits || (number.whole_.empty() && number.fraction_.empty())) return DecimalNumber{};
    return number;
}

std::strong_ordering DecimalNumber::operator<=>(const DecimalNumber& other) const {
    if (negative_ != other.negative_)
        return negative_ ? std::strong_ordering::less : std::strong_ordering::greater;
    // Without leading zeros the longer whole part is the larger; without trailing zeros
    // the fractions compare digit by digit.
    auto magnitude = whole_.size() <=> other.whole_.size();
    if (magnitude == 0) magnitude = whole_ <=> other.whole_;
    if (magnitude == 0) magnitude = fraction_ <=> other.fraction_;
    return negative_ ? 0 <=> magnitude : magnitude;
}

DecimalNumber ProgramVersion(const AppInfo& app) {
    return DecimalNumber::Leading(std::to_string(app.Major) + "." + std::to_string(app.Minor) +
                                  std::to_string(app.Revision));
}
