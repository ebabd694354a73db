#include "platform/font_map.h"

QFont ToQFont(const Font& font) {
    // Liberation Sans is metric-compatible with Arial, and serves as the plain sans face
    // the older designs ask for.
    QString family = QString::fromStdString(font.Name);
    if (family == "Arial" || family == "MS Sans Serif" || family == "Microsoft Sans Serif")
        family = "Liberation Sans";
    QFont qfont(family);
    qfont.setPointSizeF(font.Size);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    qfont.setHintingPreference(QFont::PreferFullHinting);
    return qfont;
}

QColor ToQColor(Color color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
