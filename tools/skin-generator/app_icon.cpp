#include "app_icon.h"

#include "graphite_tile.h"
#include "skin_style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

SkinPicture appIconPicture() {
    QImage image = blankPicture(64, 64);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    drawGraphiteTile(painter, QRectF(2.5, 2.5, 59, 59), 11);

    painter.setPen(QPen(skin_style::insetDivider, 1));
    for (int y = 18; y <= 46; y += 14)
        painter.drawLine(QPointF(10, y + 0.5), QPointF(54, y + 0.5));

    const QPointF line[] = {{10, 46}, {20, 36}, {28, 41}, {40, 24}, {46, 29}, {52, 16}};
    QPainterPath area;
    area.moveTo(line[0].x(), 53);
    for (const QPointF& point : line)
        area.lineTo(point);
    area.lineTo(line[5].x(), 53);
    area.closeSubpath();
    QLinearGradient fade(0, 14, 0, 53);
    QColor glow = skin_style::rising;
    glow.setAlpha(110);
    fade.setColorAt(0, glow);
    glow.setAlpha(0);
    fade.setColorAt(1, glow);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fade);
    painter.drawPath(area);

    painter.setPen(QPen(skin_style::rising, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(skin_style::glyph);
    painter.drawEllipse(line[5], 3.5, 3.5);
    painter.end();
    return {"app/icon.png", image};
}
