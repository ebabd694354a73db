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

// A symbol too long for its slot stays readable: smaller down to a point, on the price's
// line, with a gap before the price, and cut with an ellipsis past that.
TEST_F(TickerLabelsTest, ALongStripSymbolStaysReadableAndKeepsAGapBeforeThePrice) {
    for (const char* size : {"Standard", "Large"}) {
        for (const char* symbol : {"MMMMMMMMMM", "EURUSD=X"}) {
            SCOPED_TRACE(std::string(size) + " " + symbol);
            WriteSymbols({{symbol, "Long"}});
            StoreSetting("Height", "Shade");
            StoreSetting("Size", size);
            Ticker& ticker = ShowTicker();
            auto* shown = qobject_cast<QLabel*>(ticker.Label1.Widget());
            ASSERT_TRUE(shown);
            QFont full = shown->font();
            full.setPointSizeF(ticker.Label1.GetFont().Size);
            EXPECT_GE(QFontMetricsF(shown->font()).capHeight(),
                      0.75 * QFontMetricsF(full).capHeight());
            EXPECT_TRUE(ShowsWhole(ticker.Label1));
            EXPECT_GE(Box(ticker.Label2).left() - Box(ticker.Label1).right() - 1, 4);
            const bool cut = std::string(symbol) == "MMMMMMMMMM";
            EXPECT_EQ(shown->text().endsWith(QChar(0x2026)), cut) << shown->text().toStdString();
        }
    }
}

// The strip's bottom row is its border: every letter's descender ends a pixel above it.
TEST_F(TickerLabelsTest, StripLettersEndAPixelAboveTheBottomBorder) {
    for (int dpi : {96, 120}) {
        for (const char* size : {"Standard", "Large"}) {
            SCOPED_TRACE(std::to_string(dpi) + " " + size);
            desktop.dpi = dpi;
            WriteSymbols({{"Qjpgqy", "Descenders"}});
            StoreSetting("Height", "Shade");
            StoreSetting("Size", size);
            Ticker& ticker = ShowTicker();
            const int strip = Box(ticker.picSkin).height();
            // Where the strip is too low for a free row, the symbol sits at its very top.
            EXPECT_TRUE(Box(ticker.Label1).bottom() <= strip - 3 || ticker.Label1.Top() == 0)
                << Box(ticker.Label1).bottom() << " in a strip of " << strip;
        }
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

// A price far longer than its label changes the window only inside that label, and the
// label lies inside the skin's well or strip: nothing is drawn over the skin's frames or a
// neighbour.
TEST_F(TickerLabelsTest, ALongPriceDrawsOnlyInsideItsLabelWithinTheSkin) {
    for (const char* size : {"Standard", "Large"})
    for (int dpi : {96, 120})
    for (const char* height : {"Shade", "Full"}) {
        SCOPED_TRACE(std::string(size) + " " + std::to_string(dpi) + " " + height);
        desktop.dpi = dpi;
        StoreSetting("Size", size);
        StoreSetting("Height", height);
        WriteSymbols({{"IBM", "Long"}});
        QRect box;
        QImage skin;
        auto windowWithPrice = [&](const std::string& price) {
            SetQuoteReply("\"IBM\"," + price + ",\"12/10/2026\",\"4:01pm\",+1.25,130.10,131.90,"
                          "129.85,4381200\r\n");
            Ticker& ticker = ShowTicker();
            const Label& label = std::string(height) == "Shade" ? ticker.Label2 : ticker.qLastPrice;
            box = Box(label);
            skin = ticker.picSkin.GetPicture().Data()->Image();
            return ticker.picSkin.Widget()->window()->grab().toImage();
        };
        const QImage shortPrice = windowWithPrice("1");
        const QImage longPrice = windowWithPrice(std::string(60000, '8'));
        ASSERT_EQ(shortPrice.size(), longPrice.size());
        // The plain ground the label stands on ends at the well's frame or the change.
        const int y = box.center().y();
        int groundEnd = box.left();
        while (groundEnd + 1 < skin.width() &&
               skin.pixel(groundEnd + 1, y) == skin.pixel(box.left(), y))
            ++groundEnd;
        int outside = 0, drawn = 0;
        for (int py = 0; py < longPrice.height(); ++py)
            for (int px = 0; px < longPrice.width(); ++px) {
                if (longPrice.pixel(px, py) == shortPrice.pixel(px, py)) continue;
                ++drawn;
                if (!box.contains(px, py) || (std::string(height) == "Full" && px > groundEnd))
                    ++outside;
            }
        EXPECT_GT(drawn, 0);
        EXPECT_EQ(outside, 0) << "the label ends at x " << box.right() << ", its ground at "
                              << groundEnd;
    }
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
