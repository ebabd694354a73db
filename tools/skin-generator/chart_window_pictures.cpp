#include "chart_window_pictures.h"

#include "bevels.h"
#include "glyphs.h"
#include "skin_buttons.h"
#include "skin_style.h"

namespace {

// The frame around the chart: picTop above it, picLeft and picRight beside it and
// picBottom below it. The chart itself fills the gap from x 10 to 200, y 16 to 110.
constexpr int frameWidth = 210;
constexpr int leftWidth = 10;
constexpr int rightWidth = 9;
constexpr int sideHeight = 95;

SkinPicture picture(const QString& name, QImage image) {
    return {"charts/" + name + ".png", std::move(image)};
}

QImage topStrip() {
    QImage image = blankPicture(frameWidth, 16);
    fillVerticalGradient(image, image.rect(), skin_style::stripTop, skin_style::stripBottom);
    fillRect(image, QRect(0, 0, frameWidth, 1), skin_style::bevelLight);
    fillRect(image, QRect(0, 0, 1, image.height()), skin_style::bevelLight);
    fillRect(image, QRect(frameWidth - 1, 0, 1, image.height()), skin_style::bevelDark);
    // The chart's sunken edge starts on the last row.
    fillRect(image, QRect(leftWidth - 1, 15, frameWidth - leftWidth - rightWidth + 1, 1), skin_style::insetShadow);
    return image;
}

QImage sideStrip(int width, bool left) {
    QImage image = blankPicture(width, sideHeight);
    fillRect(image, image.rect(), skin_style::stripBottom);
    const int outer = left ? 0 : width - 1;
    const int inner = left ? width - 1 : 0;
    fillRect(image, QRect(outer, 0, 1, sideHeight), left ? skin_style::bevelLight : skin_style::bevelDark);
    fillRect(image, QRect(inner, 0, 1, sideHeight), left ? skin_style::insetShadow : skin_style::insetHighlight);
    return image;
}

// The button panel: picSymbol and picChartType on the left with the symbol and period
// labels beside them in two wells, picUpdate on the right.
QImage bottomPanel() {
    QImage image = blankPicture(frameWidth, 49);
    fillVerticalGradient(image, image.rect(), skin_style::bodyTop, skin_style::stripBottom);
    drawFrame(image, image.rect(), skin_style::bevelLight, skin_style::bevelDark);
    fillRect(image, QRect(leftWidth - 1, 0, frameWidth - leftWidth - rightWidth + 1, 1), skin_style::insetHighlight);
    drawInsetWell(image, QRect(QPoint(81, 5), QPoint(139, 22)));
    drawInsetWell(image, QRect(QPoint(81, 25), QPoint(139, 42)));
    return image;
}

void addButtonPair(std::vector<SkinPicture>& pictures, const QString& name, const QSize& size,
                   const QString& caption, int pixelSize) {
    pictures.push_back(picture(name + "Up", captionButton(size, caption, pixelSize, ButtonState::Up)));
    pictures.push_back(picture(name + "Down", captionButton(size, caption, pixelSize, ButtonState::Down)));
}

} // namespace

std::vector<SkinPicture> chartWindowPictures() {
    std::vector<SkinPicture> pictures{
        picture("picTop", topStrip()),
        picture("picBottom", bottomPanel()),
        picture("picLeft", sideStrip(leftWidth, true)),
        picture("picRight", sideStrip(rightWidth, false)),
        picture("picExit", smallButton(10, drawCross)),
    };
    addButtonPair(pictures, "picSymbol", {71, 18}, "Symbol", 11);
    addButtonPair(pictures, "picChartType", {71, 18}, "Chart Type", 11);
    addButtonPair(pictures, "picUpdate", {57, 25}, "Update", 12);
    return pictures;
}
