#include "button_caption.h"

#include "skin_style.h"

#include <QFont>
#include <QPainter>

void drawButtonCaption(QImage& image, const QRect& area, const QString& text, int pixelSize) {
    QFont font("Liberation Sans");
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);

    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(skin_style::glyphShadow);
    painter.drawText(area.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(skin_style::glyph);
    painter.drawText(area, Qt::AlignCenter, text);
}
