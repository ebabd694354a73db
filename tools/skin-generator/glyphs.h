#pragma once

#include <QImage>
#include <QRect>

// Pixel glyphs for the skin buttons. Each is sized to the area it is given and centred
// in it, so the small and large buttons get their own crisp drawing, never a scaled one.

enum class ChevronDirection { Up, Down };

void drawChevron(QImage& image, const QRect& area, ChevronDirection direction);
void drawCross(QImage& image, const QRect& area);
void drawMenuLines(QImage& image, const QRect& area);
void drawLineChart(QImage& image, const QRect& area);
void drawSymbolList(QImage& image, const QRect& area);
