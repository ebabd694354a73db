#include "platform/text_case.h"

#include <QString>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
}  // namespace

std::string UCase(std::string_view text) { return FromUtf8(text).toUpper().toStdString(); }
std::string LCase(std::string_view text) { return FromUtf8(text).toLower().toStdString(); }
