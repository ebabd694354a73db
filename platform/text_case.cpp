#include "platform/text_case.h"

#include <QString>
#include <algorithm>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
}  // namespace

std::string UCase(std::string_view text) { return FromUtf8(text).toUpper().toStdString(); }
std::string LCase(std::string_view text) { return FromUtf8(text).toLower().toStdString(); }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}
