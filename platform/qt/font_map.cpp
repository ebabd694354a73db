#include "platform/qt/font_map.h"

QFont ToQFont(const Font& font) {
    // Liberation Sans is metric-compatible with Arial. It also serves as the plain sans face
    // the dialogs' designs ask for, a little smaller, since that face ran narrower and the
    // designs' widths were measured on it.
    QString family = QString::fromStdString(font.Name);
    double size = font.Size;
    if (family == "MS Sans Serif" || family == "Microsoft Sans Serif") size *= 0.9;
    if (family == "Arial" || family == "MS Sans Serif" || family == "Microsoft Sans Serif")
        family = "Liberation Sans";
    QFont qfont(family);
    qfont.setPointSizeF(size);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    qfont.setHintingPreference(QFont::PreferFullHinting);
    return qfont;
}

QColor ToQColor(Color color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
