#pragma once

#include "bevels.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

using GlyphPainter = void (*)(QImage&, const QRect&);

// A tiny square skin button (10 to 16 pixels) carrying a pixel glyph.
QImage smallButton(int side, GlyphPainter drawGlyph);

// A framed skin button carrying a pixel glyph.
QImage glyphButton(const QSize& size, GlyphPainter drawGlyph);

// A skin button carrying a text caption, released or pressed.
QImage captionButton(const QSize& size, const QString& caption, int pixelSize, ButtonState state);
