#include "glyphs.h"

#include "bevels.h"
#include "skin_style.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <vector>

namespace {

// Glyphs are built as pixel lists first so each can be drawn twice: a dark drop
// shadow one pixel down-right, then the glyph itself.
using Pixels = std::vector<QPoint>;

void plot(QImage& image, const Pixels& pixels, QPoint origin, const QColor& color) {
    for (const QPoint& p : pixels) {
        const QPoint at = origin + p;
        if (image.rect().contains(at))
            image.setPixelColor(at, color);
    }
}

QSize extent(const Pixels& pixels) {
    int width = 0;
    int height = 0;
    for (const QPoint& p : pixels) {
        width = std::max(width, p.x() + 1);
        height = std::max(height, p.y() + 1);
    }
    return {width, height};
}

void plotCentred(QImage& image, const Pixels& pixels, const QRect& area) {
    const QSize size = extent(pixels);
    const QPoint origin(area.left() + (area.width() - size.width()) / 2,
                        area.top() + (area.height() - size.height() + 1) / 2);
    if (size.width() >= 7)  // on the smallest glyphs a shadow only blurs them
        plot(image, pixels, origin + QPoint(1, 1), skin_style::glyphShadow);
    plot(image, pixels, origin, skin_style::glyph);
}

int glyphSpan(const QRect& area) { return std::min(area.width(), area.height()); }

// Chevrons and crosses are symmetric about their vertical axis.
void addMirrored(Pixels& pixels, int x, int y, int width) {
    pixels.emplace_back(x, y);
    pixels.emplace_back(width - 1 - x, y);
}

} // namespace

void drawChevron(QImage& image, const QRect& area, ChevronDirection direction) {
    const int width = glyphSpan(area);
    const int arm = (width + 1) / 2;  // rows of a one-pixel chevron
    const int thickness = width >= 9 ? 3 : 2;
    const int rows = arm + thickness - 1;
    Pixels pixels;
    for (int layer = 0; layer < thickness; ++layer) {
        for (int i = 0; i < arm; ++i) {
            const int y = layer + i;
            addMirrored(pixels, i, direction == ChevronDirection::Down ? y : rows - 1 - y, width);
        }
    }
    plotCentred(image, pixels, area);
}

void drawCross(QImage& image, const QRect& area) {
    const int span = glyphSpan(area);
    const int thickness = span >= 7 ? 2 : 1;
    Pixels pixels;
    for (int i = 0; i < span; ++i)
        for (int t = 0; t < thickness; ++t)
            addMirrored(pixels, std::min(i + t, span - 1), i, span);
    plotCentred(image, pixels, area);
}

void drawMenuLines(QImage& image, const QRect& area) {
    const int width = glyphSpan(area);
    const int thickness = width >= 9 ? 2 : 1;
    Pixels pixels;
    for (int line = 0; line < 3; ++line)
        for (int t = 0; t < thickness; ++t)
            for (int x = 0; x < width; ++x)
                pixels.emplace_back(x, line * thickness * 2 + t);
    plotCentred(image, pixels, area);
}

void drawLineChart(QImage& image, const QRect& area) {
    const int stroke = area.height() >= 18 ? 2 : 1;
    const QRect plotArea = area.adjusted(1, 1, -1, -1);
    // Axes: a dim L along the left and bottom.
    const QColor axis = skin_style::buttonLight;
    fillRect(image, QRect(plotArea.left(), plotArea.top(), stroke, plotArea.height()), axis);
    fillRect(image, QRect(plotArea.left(), plotArea.bottom() - stroke + 1, plotArea.width(), stroke), axis);

    // A rising price line over the axes.
    const QRect graph = plotArea.adjusted(stroke + 1, 0, 0, -stroke - 1);
    const double shape[][2] = {{0.0, 0.85}, {0.22, 0.45}, {0.42, 0.65}, {0.68, 0.15}, {0.82, 0.35}, {1.0, 0.0}};
    QPolygon line;
    for (const auto& point : shape)
        line << QPoint(graph.left() + static_cast<int>(point[0] * (graph.width() - stroke) + 0.5),
                       graph.top() + static_cast<int>(point[1] * (graph.height() - stroke) + 0.5));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    for (int dx = 0; dx < stroke; ++dx) {
        for (int dy = 0; dy < stroke; ++dy) {
            painter.setPen(QPen(skin_style::rising, 1));
            painter.drawPolyline(line.translated(dx, dy));
        }
    }
}

void drawSymbolList(QImage& image, const QRect& area) {
    const int stroke = area.height() >= 18 ? 2 : 1;
    const int bullet = stroke + 1;
    const QRect list = area.adjusted(1 + stroke, 1, -1 - stroke, -1);
    const int rowPitch = list.height() / 3;
    const int textLeft = list.left() + bullet + 2 * stroke;
    const int fullLength = list.right() - textLeft;
    const int lengths[] = {fullLength, fullLength * 2 / 3, fullLength * 5 / 6};
    for (int row = 0; row < 3; ++row) {
        const int top = list.top() + row * rowPitch + (rowPitch - bullet + 1) / 2;
        const int lineTop = top + (bullet - stroke + 1) / 2;
        fillRect(image, QRect(list.left(), top, bullet, bullet), skin_style::accent);
        fillRect(image, QRect(textLeft + 1, lineTop + 1, lengths[row], stroke), skin_style::glyphShadow);
        fillRect(image, QRect(textLeft, lineTop, lengths[row], stroke), skin_style::glyph);
    }
}
