#pragma once

#include <QPainter>
#include <QRectF>

// A rounded graphite tile with a dark outline and a light inner bevel, antialiased.
void drawGraphiteTile(QPainter& painter, const QRectF& tile, qreal radius);
