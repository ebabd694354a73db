// What the ticker window draws: every label inside its own slot, whatever the service
// sends, and no uncovered strip beside the skin.
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>

#include "platform/qt/picture_data.h"
#include "support/ticker_fixture.h"
#include "ticker/ticker.h"

namespace {

class TickerLabelsTest : public TickerTest {
protected:
    static QRect Box(const Control& control) { return control.Widget()->geometry(); }
    static bool ShowsWhole(const Label& label) {
        auto* widget = qobject_cast<QLabel*>(label.Widget());
        return widget &&
               QFontMetricsF(widget->font()).horizontalAdvance(widget->text()) <= widget->width();
    }
    // A reply whose price and change fields are far longer than any slot.
    void SetHostileReply() {
        const std::string longField(2000, '9');
        SetQuoteReply("\"ABCDEFGHIJ\"," + longField + ",\"12/10/2026\",\"4:01pm\",+" + longField +
                      "," + longField + "," + longField + "," + longField + "," + longField + "\r\n");
    }
};

TEST_F(TickerLabelsTest, TheShadeStripLabelsEndWhereTheNextControlBegins) {
    for (const char* size : {"Standard", "Large"}) {
        SCOPED_TRACE(size);
        WriteSymbols({{"ABCDEFGHIJ", "Long"}});
        SetHostileReply();
        StoreSetting("Height", "Shade");
        StoreSetting("Size", size);
        Ticker& ticker = ShowTicker();
        ASSERT_EQ(ticker.Label2.Caption().size(), 2000u);
        EXPECT_LT(Box(ticker.Label1).right(), Box(ticker.Label2).left());
        EXPECT_LT(Box(ticker.Label2).right(), Box(ticker.Label3).left());
        EXPECT_LT(Box(ticker.Label3).right(), Box(ticker.picWindow).left());
        EXPECT_TRUE(ShowsWhole(ticker.Label1));  // the symbol is drawn smaller, not cut
    }
}

TEST_F(TickerLabelsTest, TheFullViewValuesEndBeforeTheSkinButtons) {
    WriteSymbols({{"ABCDEFGHIJ", "Long"}});
    SetHostileReply();
    StoreSetting("Height", "Full");
    Ticker& ticker = ShowTicker();
    for (const Label* value : {&ticker.qCurrentStock, &ticker.qLastPrice, &ticker.qChange,
                               &ticker.qOpenPrice, &ticker.qDailyHigh, &ticker.qDailyLow,
                               &ticker.qVolume})
        EXPECT_LT(Box(*value).right(), Box(ticker.picChart).left()) << value->Name();
    EXPECT_TRUE(ShowsWhole(ticker.qCurrentStock));
}

TEST_F(TickerLabelsTest, TheLargeSizeAt120DpiHasNoLightColumnBesideTheSkin) {
    desktop.dpi = 120;
    StoreSetting("Size", "Large");
    Ticker& ticker = ShowTicker();
    QWidget* window = ticker.picSkin.Widget()->window();
    ASSERT_EQ(window->width(), 351);  // a pixel wider than the 350-pixel skin
    const QImage shown = window->grab().toImage();
    const QImage& skin = ticker.picSkin.GetPicture().Data()->Image();
    const QColor edge = skin.pixelColor(skin.width() - 1, skin.height() / 2);
    for (int y : {10, 100, 190}) EXPECT_EQ(shown.pixelColor(350, y), edge) << y;
}

}  // namespace
