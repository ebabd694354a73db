#include "bevels.h"

#include "skin_style.h"

#include <QPainter>

namespace {

QColor mix(const QColor& from, const QColor& to, double t) {
    auto channel = [t](int a, int b) { return static_cast<int>(a + (b - a) * t + 0.5); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()), channel(from.alpha(), to.alpha()));
}

} // namespace

void fillRect(QImage& image, const QRect& rect, const QColor& color) {
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect, color);
}

void fillVerticalGradient(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom) {
    const int rows = rect.height();
    for (int row = 0; row < rows; ++row) {
        const double t = rows > 1 ? static_cast<double>(row) / (rows - 1) : 0.0;
        fillRect(image, QRect(rect.left(), rect.top() + row, rect.width(), 1), mix(top, bottom, t));
    }
}

void drawFrame(QImage& image, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    fillRect(image, QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    fillRect(image, QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    fillRect(image, QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    fillRect(image, QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
}

void drawRaisedStrip(QImage& image, const QRect& rect) {
    fillVerticalGradient(image, rect, skin_style::stripTop, skin_style::stripBottom);
    drawFrame(image, rect, skin_style::bevelLight, skin_style::bevelDark);
}

void drawInsetWell(QImage& image, const QRect& rect) {
    fillRect(image, rect, skin_style::insetFill);
    drawFrame(image, rect, skin_style::insetShadow, skin_style::insetHighlight);
}

void drawGroove(QImage& image, int y, int left, int right) {
    fillRect(image, QRect(QPoint(left, y), QPoint(right, y)), skin_style::bevelDark);
    fillRect(image, QRect(QPoint(left, y + 1), QPoint(right, y + 1)), skin_style::bevelLight);
}

QRect drawButtonFace(QImage& image, const QRect& rect, ButtonState state) {
    const bool pressed = state == ButtonState::Down;
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    fillVerticalGradient(image, inner, pressed ? skin_style::buttonPressedTop : skin_style::buttonTop,
                         pressed ? skin_style::buttonPressedBottom : skin_style::buttonBottom);
    drawFrame(image, rect, skin_style::buttonBorder, skin_style::buttonBorder);
    if (pressed)
        drawFrame(image, inner, skin_style::buttonDark, skin_style::buttonPressedBottom);
    else
        drawFrame(image, inner, skin_style::buttonLight, skin_style::buttonDark);
    const QRect content = inner.adjusted(1, 1, -1, -1);
    return pressed ? content.translated(1, 1) : content;
}

QRect drawSmallButtonFace(QImage& image, const QRect& rect) {
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    fillVerticalGradient(image, inner, skin_style::buttonTop, skin_style::buttonBottom);
    drawFrame(image, rect, skin_style::buttonLight, skin_style::buttonBorder);
    return inner;
}
