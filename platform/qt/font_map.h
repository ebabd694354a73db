#pragma once
// Qt side of Font: the faces the designs name resolve to faces this desktop has.

#include <QColor>
#include <QFont>

#include "platform/font.h"

QFont ToQFont(const Font& font);
QColor ToQColor(Color color);
