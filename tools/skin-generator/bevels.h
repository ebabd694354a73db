#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// Pixel-exact panels and frames: every edge is one pixel wide and nothing is antialiased,
// so the pictures stay crisp at their native size.

void fillRect(QImage& image, const QRect& rect, const QColor& color);
void fillVerticalGradient(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom);

// A one-pixel frame: top and left edges in one colour, bottom and right in the other.
void drawFrame(QImage& image, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);

// The raised graphite strip the ticker and chart window are made of.
void drawRaisedStrip(QImage& image, const QRect& rect);

// A sunken dark well for text the program draws on the skin.
void drawInsetWell(QImage& image, const QRect& rect);

// A horizontal groove: a dark line with a light line under it.
void drawGroove(QImage& image, int y, int left, int right);

enum class ButtonState { Up, Down };

// A framed, bevelled button face filling rect; returns the area left for its glyph or
// caption, shifted one pixel down and right when pressed.
QRect drawButtonFace(QImage& image, const QRect& rect, ButtonState state);

// The unframed face of the ticker's tiny square buttons, where a frame would leave no
// room for the glyph; returns the face inside the bevel.
QRect drawSmallButtonFace(QImage& image, const QRect& rect);
