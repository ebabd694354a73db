#pragma once

#include <QColor>

// The one colour scheme every skin picture shares: a dark graphite strip with
// light text and light-on-dark buttons.
namespace skin_style {

inline const QColor stripTop{0x2b, 0x34, 0x42};
inline const QColor stripBottom{0x14, 0x19, 0x21};
inline const QColor bodyTop{0x20, 0x27, 0x32};
inline const QColor bevelLight{0x56, 0x63, 0x78};
inline const QColor bevelDark{0x05, 0x07, 0x0a};

inline const QColor insetFill{0x0c, 0x10, 0x15};
inline const QColor insetShadow{0x03, 0x04, 0x06};
inline const QColor insetHighlight{0x34, 0x3e, 0x4d};
inline const QColor insetDivider{0x1a, 0x21, 0x2b};

inline const QColor buttonTop{0x44, 0x51, 0x64};
inline const QColor buttonBottom{0x2a, 0x33, 0x40};
inline const QColor buttonPressedTop{0x1b, 0x21, 0x2a};
inline const QColor buttonPressedBottom{0x25, 0x2d, 0x39};
inline const QColor buttonBorder{0x02, 0x03, 0x05};
inline const QColor buttonLight{0x74, 0x82, 0x98};
inline const QColor buttonDark{0x12, 0x16, 0x1d};

inline const QColor glyph{0xe4, 0xea, 0xf2};
inline const QColor glyphShadow{0x0a, 0x0d, 0x12};
inline const QColor accent{0x3f, 0x9c, 0xf0};
inline const QColor rising{0x4c, 0xd1, 0x7a};
inline const QColor falling{0xf0, 0x5a, 0x5a};

} // namespace skin_style
