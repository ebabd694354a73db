#include <QColor>
#include <QDirIterator>
#include <QImage>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

#include <vector>

// The pictures live in a static library; naming their initialiser links them in.
static void registerSkinResources() { Q_INIT_RESOURCE(skins); }

namespace {

// The windows lay their controls out around these exact pixel sizes, so a picture
// of any other size breaks the layout.
struct TickerHolder {
    const char* name;
    QSize size;
    const char* largeFontTwin;  // used at 120 dpi
    QSize twinSize;
};

const std::vector<TickerHolder> tickerHolders{
    {"picDefaultShade", {210, 14}, "picDefaultShadeLargeFont", {263, 18}},
    {"picDefaultFull", {210, 116}, "picDefaultFullLargeFont", {263, 145}},
    {"picDefaultWIndowShade", {10, 10}, "picDefaultWindowShadeLargeFont", {13, 13}},
    {"picDefaultWindowFull", {10, 10}, "picDefaultWindowFullLargeFont", {13, 13}},
    {"picDefaultOptions", {10, 10}, "picDefaultOptionsLargeFont", {13, 13}},
    {"picDefaultExit", {10, 10}, "picDefaultExitLargeFont", {13, 13}},
    {"picLargeShade", {280, 19}, "picLargeShadeLargeFont", {350, 23}},
    {"picLargeFull", {280, 155}, "picLargeFullLargeFont", {350, 193}},
    {"picLargeWindowShade", {13, 13}, "picLargeWindowShadeLargeFont", {16, 16}},
    {"picLargeWindowFull", {13, 13}, "picLargeWindowFullLargeFont", {16, 16}},
    {"picLargeOptions", {13, 13}, "picLargeOptionsLargeFont", {16, 16}},
    {"picLargeExit", {13, 13}, "picLargeExitLargeFont", {16, 16}},
    {"picLargeChartBrowser", {27, 23}, "picLargeChartBrowserLargeFont", {34, 29}},
    {"picLargeSymbolManager", {27, 23}, "picLargeSymbolManagerLargeFont", {34, 29}},
    {"picChart", {20, 17}, "picChartLargeFont", {25, 21}},
    {"picSymbolEditor", {20, 17}, "picSymbolEditorLargeFont", {25, 21}},
};

struct Picture {
    QString path;
    QSize size;
};

// The chart window keeps the same pictures at both resolutions.
const std::vector<Picture> otherPictures{
    {":/skins/charts/picTop.png", {210, 16}},
    {":/skins/charts/picBottom.png", {210, 49}},
    {":/skins/charts/picLeft.png", {10, 95}},
    {":/skins/charts/picRight.png", {9, 95}},
    {":/skins/charts/picExit.png", {10, 10}},
    {":/skins/charts/picSymbolUp.png", {71, 18}},
    {":/skins/charts/picSymbolDown.png", {71, 18}},
    {":/skins/charts/picChartTypeUp.png", {71, 18}},
    {":/skins/charts/picChartTypeDown.png", {71, 18}},
    {":/skins/charts/picUpdateUp.png", {57, 25}},
    {":/skins/charts/picUpdateDown.png", {57, 25}},
    {":/skins/symbols/dragCursor.png", {32, 32}},
    {":/skins/app/icon.png", {64, 64}},
    {":/skins/app/quoteService.png", {104, 22}},
};

QString tickerPath(const char* name) { return QString(":/skins/ticker/%1.png").arg(name); }

std::vector<Picture> everyPicture() {
    std::vector<Picture> pictures = otherPictures;
    for (const TickerHolder& holder : tickerHolders) {
        pictures.push_back({tickerPath(holder.name), holder.size});
        pictures.push_back({tickerPath(holder.largeFontTwin), holder.twinSize});
    }
    return pictures;
}

class SkinResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { registerSkinResources(); }
};

TEST_F(SkinResources, EveryPictureAndEveryLargeFontTwinHasItsDesignedSize) {
    for (const Picture& expected : everyPicture()) {
        SCOPED_TRACE(expected.path.toStdString());
        const QImage image(expected.path);
        ASSERT_FALSE(image.isNull()) << "missing or unreadable";
        EXPECT_EQ(image.size(), expected.size);
    }
}

TEST_F(SkinResources, HoldsNoPictureOutsideTheDesign) {
    QSet<QString> designed;
    for (const Picture& picture : everyPicture())
        designed.insert(picture.path);
    QDirIterator it(":/skins", QDir::Files, QDirIterator::Subdirectories);
    int found = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        ++found;
        EXPECT_TRUE(designed.contains(path)) << path.toStdString();
    }
    EXPECT_EQ(found, designed.size());
}

TEST_F(SkinResources, DragCursorIsMonochromeWithItsTipOnTheHotSpot) {
    const QImage cursor = QImage(":/skins/symbols/dragCursor.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(cursor.isNull());
    for (int y = 0; y < cursor.height(); ++y) {
        for (int x = 0; x < cursor.width(); ++x) {
            const QColor pixel = cursor.pixelColor(x, y);
            const bool transparent = pixel.alpha() == 0;
            const bool blackOrWhite =
                pixel.alpha() == 255 && (pixel.rgb() == qRgb(0, 0, 0) || pixel.rgb() == qRgb(255, 255, 255));
            EXPECT_TRUE(transparent || blackOrWhite) << "pixel " << x << "," << y;
        }
    }
    EXPECT_EQ(cursor.pixel(0, 0), qRgb(0, 0, 0));
}

} // namespace
