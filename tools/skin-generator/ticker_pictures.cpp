#include "ticker_pictures.h"

#include "bevels.h"
#include "glyphs.h"
#include "skin_buttons.h"
#include "skin_style.h"

#include <cmath>

namespace {

// One size of the ticker at one screen resolution. The pixel sizes are those of the
// window's design; positions of the labels the program draws come from their twips.
struct TickerVariant {
    QString size;        // "Default" (Standard) or "Large"
    QString fontSuffix;  // empty at 96 dpi, "LargeFont" at 120 dpi
    double pixelsPerTwip;  // the Large size includes its 4/3 enlargement
    QSize shade;
    QSize full;
    int smallButton;
    QSize sideButton;

    int px(double twips) const { return static_cast<int>(std::lround(twips * pixelsPerTwip)); }
    QString name(const QString& role) const { return "pic" + size + role + fontSuffix; }
    bool standard() const { return size == "Default"; }
};

const TickerVariant variants[] = {
    {"Default", "", 1.0 / 15, {210, 14}, {210, 116}, 10, {20, 17}},
    {"Default", "LargeFont", 1.0 / 12, {263, 18}, {263, 145}, 13, {25, 21}},
    {"Large", "", 4.0 / 45, {280, 19}, {280, 155}, 13, {27, 23}},
    {"Large", "LargeFont", 1.0 / 9, {350, 23}, {350, 193}, 16, {34, 29}},
};

// Twips of the Full view's layout at 96 dpi, Standard size.
constexpr double captionRight = 1305;
constexpr double valueLeft = 1410;
constexpr double sideButtonLeft = 2650;

SkinPicture picture(const QString& name, QImage image) {
    return {"ticker/" + name + ".png", std::move(image)};
}

QImage shadeStrip(const TickerVariant& v) {
    QImage image = blankPicture(v.shade.width(), v.shade.height());
    drawRaisedStrip(image, image.rect());
    return image;
}

// The Full panel: the Shade strip on top as its header, then a body with a sunken
// well for the seven caption/value rows, and the chart and symbol buttons beside it.
QImage fullPanel(const TickerVariant& v) {
    QImage image = blankPicture(v.full.width(), v.full.height());
    const int header = v.shade.height();
    const double scale = v.full.width() / 210.0;
    auto margin = [scale](double pixels) { return static_cast<int>(std::lround(pixels * scale)); };

    fillVerticalGradient(image, QRect(0, 0, image.width(), header), skin_style::stripTop, skin_style::stripBottom);
    fillVerticalGradient(image, QRect(0, header, image.width(), image.height() - header), skin_style::bodyTop,
                         skin_style::stripBottom);
    drawGroove(image, header - 1, 1, image.width() - 2);
    drawFrame(image, image.rect(), skin_style::bevelLight, skin_style::bevelDark);

    const QRect well(QPoint(margin(4), header + margin(2)),
                     QPoint(v.px(sideButtonLeft) - margin(4) - 1, image.height() - margin(4) - 1));
    drawInsetWell(image, well);
    const int divider = v.px((captionRight + valueLeft) / 2);
    for (int y = well.top() + 2; y < well.bottom() - 1; y += 2)
        image.setPixelColor(divider, y, skin_style::insetDivider);
    return image;
}

void drawExpand(QImage& image, const QRect& area) { drawChevron(image, area, ChevronDirection::Down); }
void drawCollapse(QImage& image, const QRect& area) { drawChevron(image, area, ChevronDirection::Up); }

} // namespace

std::vector<SkinPicture> tickerPictures() {
    std::vector<SkinPicture> pictures;
    for (const TickerVariant& v : variants) {
        // The Standard 96 dpi holder keeps the spelling of the window's design.
        const QString windowShade =
            v.standard() && v.fontSuffix.isEmpty() ? QString("picDefaultWIndowShade") : v.name("WindowShade");
        const QString chartButton = v.standard() ? "picChart" + v.fontSuffix : v.name("ChartBrowser");
        const QString symbolButton = v.standard() ? "picSymbolEditor" + v.fontSuffix : v.name("SymbolManager");

        pictures.push_back(picture(v.name("Shade"), shadeStrip(v)));
        pictures.push_back(picture(v.name("Full"), fullPanel(v)));
        pictures.push_back(picture(windowShade, smallButton(v.smallButton, drawExpand)));
        pictures.push_back(picture(v.name("WindowFull"), smallButton(v.smallButton, drawCollapse)));
        pictures.push_back(picture(v.name("Options"), smallButton(v.smallButton, drawMenuLines)));
        pictures.push_back(picture(v.name("Exit"), smallButton(v.smallButton, drawCross)));
        pictures.push_back(picture(chartButton, glyphButton(v.sideButton, drawLineChart)));
        pictures.push_back(picture(symbolButton, glyphButton(v.sideButton, drawSymbolList)));
    }
    return pictures;
}
