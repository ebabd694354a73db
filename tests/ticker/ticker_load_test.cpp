#include <QTest>
#include <QWidget>

#include "platform/form.h"
#include "platform/runtime.h"
#include "support/symbol_manager_fixture.h"
#include "support/ticker_fixture.h"
#include "symbols/symbol_editor.h"
#include "ticker/ticker.h"

namespace {

class TickerLoadTest : public TickerTest {};

TEST_F(TickerLoadTest, ViewSizeAndDpiChooseTheSkinAndTheWindowSize) {
    struct Case {
        int dpi;
        std::string height, size;
        float width, windowHeight;
        bool stripLabels;
        bool largePictures;
        float label1Top, label2Top;
    };
    const Case cases[] = {
        {96, "Shade", "Standard", 3150, 210, true, false, 0, 25},
        {96, "Full", "Standard", 3150, 1740, false, false, 0, 25},
        {96, "Medium", "Standard", 3150, 1740, true, false, 0, 25},
        // The symbol rises to the top where its descenders would meet the strip's border.
        {96, "Shade", "Large", 4200, 285, true, true, 0, 30},
        {96, "Full", "Large", 4200, 2325, false, true, 0, 30},
        {96, "Full", "Huge", 3150, 1740, false, false, 0, 25},
        {120, "Shade", "Standard", 3156, 216, true, false, 15, 25},
        {120, "Full", "Standard", 3156, 1740, false, false, 15, 25},
        {120, "Shade", "Large", 4208, 276, true, true, 15, 30},
        {120, "Full", "Large", 4208, 2316, false, true, 15, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " " + c.height + " " + c.size);
        desktop.dpi = c.dpi;
        desktop.workArea = {0, 0, 2000, 2000};
        StoreSetting("Height", c.height);
        StoreSetting("Size", c.size);
        Ticker& ticker = ShowTicker();
        EXPECT_FLOAT_EQ(ticker.Width(), c.width);
        EXPECT_FLOAT_EQ(ticker.Height(), c.windowHeight);
        EXPECT_EQ(ticker.Label1.Visible(), c.stripLabels);
        EXPECT_EQ(ticker.Label3.Visible(), c.stripLabels);
        bool shade = c.height == "Shade";
        const PictureBox& skin = c.largePictures ? (shade ? ticker.picLargeShade : ticker.picLargeFull)
                                                 : (shade ? ticker.picDefaultShade : ticker.picDefaultFull);
        EXPECT_EQ(ticker.picSkin.GetPicture(), skin.GetPicture());
        EXPECT_FLOAT_EQ(ticker.Label1.Top(), c.label1Top);
        EXPECT_FLOAT_EQ(ticker.Label2.Top(), c.label2Top);
        EXPECT_EQ(ticker.Caption(), "");
        EXPECT_EQ(ticker.Style() & (0x00C00000), 0);  // no title bar
    }
}

TEST_F(TickerLoadTest, TheStandardButtonsAreCentredInTheStripAndLargeOnesSitLower) {
    desktop.dpi = 120;
    StoreSetting("Size", "Standard");
    Ticker& standard = ShowTicker();
    float shade = standard.picDefaultShade.Height();
    EXPECT_FLOAT_EQ(standard.picOptions.Top(), shade / 2 - standard.picOptions.Height() / 2);
    StoreSetting("Size", "Large");
    Ticker& large = ShowTicker();
    EXPECT_FLOAT_EQ(large.picExit.Top(), 50);
    EXPECT_FLOAT_EQ(large.picOptions.Top(), 50);
}

TEST_F(TickerLoadTest, TheLargeSizeScalesEveryControlByFourThirds) {
    StoreSetting("Size", "Large");
    Ticker& ticker = ShowTicker();
    EXPECT_FLOAT_EQ(ticker.lblVolume.Top(), 1440.0f * 4 / 3);
    EXPECT_FLOAT_EQ(ticker.qVolume.Left(), 1880);
    EXPECT_FLOAT_EQ(ticker.picChart.Left(), 2650.0f * 4 / 3);
    EXPECT_FLOAT_EQ(ticker.lblVolume.GetFont().Size, 11);
    EXPECT_FLOAT_EQ(ticker.Label2.GetFont().Size, 10);
}

TEST_F(TickerLoadTest, StoredNumbersThatDoNotConvertTakeTheirDefaults) {
    for (const char* name : {"Left", "Top", "Interval", "Timeout", "Docked"}) StoreSetting(name, "abc");
    Ticker& ticker = ShowTicker();
    EXPECT_FLOAT_EQ(ticker.Left(), 0);
    EXPECT_FLOAT_EQ(ticker.Top(), 0);
    EXPECT_EQ(ticker.Interval, 10);
    EXPECT_EQ(ticker.inetQuotes.RequestTimeout(), 60);
    EXPECT_FALSE(program().showContents.Docked);
}

TEST_F(TickerLoadTest, TheWindowIsKeptInsideTheWorkArea) {
    desktop.workArea = {0, 30, 800, 600};
    StoreSetting("Left", "50000");
    StoreSetting("Top", "-500");
    StoreSetting("Height", "Shade");
    Ticker& ticker = ShowTicker();
    EXPECT_FLOAT_EQ(ticker.Left(), 800 * 15 - 3150);
    EXPECT_FLOAT_EQ(ticker.Top(), 450);
}

TEST_F(TickerLoadTest, ALargeWindowStoredNearTheEdgesEndsWholeInsideTheWorkArea) {
    desktop.workArea = {0, 0, 1280, 1024};
    StoreSetting("Left", "16500");
    StoreSetting("Top", "15000");
    StoreSetting("Size", "Large");
    for (const char* view : {"Shade", "Full"}) {
        SCOPED_TRACE(view);
        StoreSetting("Height", view);
        Ticker& ticker = ShowTicker();
        const QRect frame = ticker.picSkin.Widget()->window()->frameGeometry();
        EXPECT_LE(frame.right() + 1, 1280);
        EXPECT_LE(frame.bottom() + 1, 1024);
        EXPECT_LE(ticker.picExit.Widget()->mapToGlobal(QPoint(0, 0)).x() +
                      ticker.picExit.Widget()->width(),
                  1280);
    }
}

TEST_F(TickerLoadTest, TheFirstQuoteIsForRecordOneAndTheCursorMovesOn) {
    WriteSymbols({{"IBM", "IBM"}, {"MSFT", "Microsoft"}});
    ShowTicker();
    EXPECT_EQ(RequestedSymbols(), std::vector<std::string>{"IBM"});
    EXPECT_EQ(program().getSymbol.StockRecNo, 2);
    EXPECT_EQ(program().ticker().qCurrentStock.Caption(), "IBM");
}

TEST_F(TickerLoadTest, OneRecordIsFetchedAtTheFirstStart) {
    WriteSymbols({{"IBM", "IBM"}});
    Ticker& ticker = ShowTicker();
    EXPECT_EQ(RequestedSymbols(), std::vector<std::string>{"IBM"});
    EXPECT_EQ(ticker.Label2.Caption(), "84.50");
}

TEST_F(TickerLoadTest, AlwaysOnTopFollowsTheStoredSetting) {
    StoreSetting("Always On Top", "False");
    Ticker& ticker = ShowTicker();
    EXPECT_FALSE(ticker.Topmost());
    EXPECT_TRUE(ticker.AlwaysOnTop);
    StoreSetting("Always On Top", "True");
    Ticker& again = ShowTicker();
    EXPECT_TRUE(again.Topmost());
    EXPECT_FALSE(again.AlwaysOnTop);
}

TEST_F(TickerLoadTest, AReloadStartsTheCycleAgainAndKeepsThePublicVariables) {
    WriteSymbols({{"IBM", "IBM"}, {"MSFT", "Microsoft"}, {"AAPL", "Apple"}});
    Ticker& ticker = ShowTicker();
    ticker.InfoStock = "kept";
    ticker.Pause = true;
    ticker.Unload();
    EXPECT_FALSE(ticker.Loaded());
    ticker.Show();
    EXPECT_EQ(ticker.InfoStock, "kept");
    EXPECT_FALSE(ticker.Pause);
    EXPECT_EQ(RequestedSymbols(), (std::vector<std::string>{"IBM", "IBM"}));
    EXPECT_EQ(ticker.Label1.Caption(), "IBM");
}

class EmptyListTest : public SymbolManagerTest {
protected:
    // Removes every row in the Symbol Manager and saves through its OK button.
    void SaveAnEmptyList() {
        SymbolEditor& window = editor();
        window.Show();
        window.ListView1.ListItems.Clear();
        desktop.answers = {MsgBox::vbYes};
        QTest::keyClick(window.cmdOK.Widget()->window(), Qt::Key_Return);  // OK, the default
    }
};

TEST_F(EmptyListTest, ShowsBlankValuesAndFetchesNothingUntilASymbolIsAdded) {
    WriteRows({{"IBM", "IBM"}});
    StoreSetting("Interval", "0");
    Ticker& ticker = ShowTicker();
    ASSERT_EQ(ticker.Label2.Caption(), "84.50");
    SaveAnEmptyList();
    ASSERT_TRUE(ticker.Loaded());
    for (const Label* label : {&ticker.Label1, &ticker.Label2, &ticker.Label3, &ticker.qCurrentStock,
                               &ticker.qLastPrice, &ticker.qChange, &ticker.qVolume})
        EXPECT_EQ(label->Caption(), "") << label->Name();
    for (int tick = 0; tick < 3; ++tick) ticker.Timer2_Timer();
    EXPECT_EQ(ticker.Label2.Caption(), "");
    EXPECT_EQ(RequestedSymbols(), std::vector<std::string>{"IBM"});

    WriteRows({{"MSFT", "Microsoft"}});
    ticker.Unload();
    ticker.Show();
    EXPECT_EQ(RequestedSymbols(), (std::vector<std::string>{"IBM", "MSFT"}));
}

}  // namespace
