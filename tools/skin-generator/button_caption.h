#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// A bold caption centred in area, in a small pixel size hinted to the pixel grid.
void drawButtonCaption(QImage& image, const QRect& area, const QString& text, int pixelSize);
