#include "platform/text_case.h"

#include <QString>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
}  // namespace

std::string UCase(std::string_view text) { return FromUtf8(text).toUpper().toStdString(); }
std::string LCase(std::string_view text) { return FromUtf8(text).toLower().toStdString(); }

std::string FirstCharacter(std::string_view text) {
    if (text.empty()) return {};
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    size_t end = 1;
    while (end < length && end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return std::string(text.substr(0, end));
}
