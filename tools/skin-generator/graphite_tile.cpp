#include "graphite_tile.h"

#include "skin_style.h"

#include <QLinearGradient>

void drawGraphiteTile(QPainter& painter, const QRectF& tile, qreal radius) {
    QLinearGradient body(tile.topLeft(), tile.bottomLeft());
    body.setColorAt(0, skin_style::stripTop);
    body.setColorAt(1, skin_style::stripBottom);
    painter.setPen(QPen(skin_style::bevelDark, 1));
    painter.setBrush(body);
    painter.drawRoundedRect(tile, radius, radius);
    painter.setPen(QPen(skin_style::bevelLight, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(tile.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}
