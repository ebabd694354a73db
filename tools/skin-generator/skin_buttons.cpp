#include "skin_buttons.h"

#include "button_caption.h"
#include "skin_picture.h"

QImage smallButton(int side, GlyphPainter drawGlyph) {
    QImage image = blankPicture(side, side);
    const int air = side >= 13 ? 2 : 1;
    drawGlyph(image, drawSmallButtonFace(image, image.rect()).adjusted(air, air, -air, -air));
    return image;
}

QImage glyphButton(const QSize& size, GlyphPainter drawGlyph) {
    QImage image = blankPicture(size.width(), size.height());
    drawGlyph(image, drawButtonFace(image, image.rect(), ButtonState::Up));
    return image;
}

QImage captionButton(const QSize& size, const QString& caption, int pixelSize, ButtonState state) {
    QImage image = blankPicture(size.width(), size.height());
    drawButtonCaption(image, drawButtonFace(image, image.rect(), state), caption, pixelSize);
    return image;
}
