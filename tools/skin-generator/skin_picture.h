#pragma once

#include <QImage>
#include <QString>

// One picture of the skin and where it lives below the skins folder.
struct SkinPicture {
    QString path;  // e.g. "ticker/picDefaultShade.png"
    QImage image;
};

// Every skin picture starts as a fully transparent ARGB canvas of its exact size.
QImage blankPicture(int width, int height);
