// The chart window: its layout, placement, docking, saves and handlers.
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "charts/charts_fixture.h"
#include "docking/show_contents.h"
#include "support/mouse_events.h"

namespace {

class ChartWindowTest : public ChartsTest {
protected:
    struct Box {
        const char* name;
        float left, top, width, height;
    };
    static void ExpectLayout(Charts& charts, std::initializer_list<Box> boxes) {
        for (const Box& box : boxes) {
            const Control* control = nullptr;
            for (const Control* c : charts.Controls())
                if (c->Name() == box.name) control = c;
            ASSERT_NE(control, nullptr) << box.name;
            EXPECT_EQ(control->Left(), box.left) << box.name;
            EXPECT_EQ(control->Top(), box.top) << box.name;
            if (box.width >= 0) {
                EXPECT_EQ(control->Width(), box.width) << box.name;
            }
            if (box.height >= 0) {
                EXPECT_EQ(control->Height(), box.height) << box.name;
            }
        }
    }
    ShowContents& docking() { return program().showContents; }
};

TEST_F(ChartWindowTest, OpensWithTheDesignedLayoutAndTheCachedChart) {
    WriteProgramFile("chart.gif", Gif(192, 96));
    StoreChartSetting("Symbol", "MSFT");
    StoreChartSetting("Chart Type", "5 Day");
    Charts& charts = ShowCharts();
    EXPECT_EQ(charts.Width(), 3150);
    EXPECT_EQ(charts.Height(), 2395);
    ExpectLayout(charts, {{"picTop", 0, 0, 3150, 240},        {"picLeft", 0, 240, 150, 1425},
                          {"picRight", 3020, 240, 135, 1425}, {"picBottom", 0, 1660, 3150, 735},
                          {"picCharts", 150, 240, 2895, 1815}, {"picSymbol", 100, 80, 1065, 270},
                          {"picChartType", 100, 380, 1065, 270}, {"picUpdate", 2160, 180, 855, 375},
                          {"picExit", 2960, 30, 150, 150},    {"lblSymbol", 1280, 100, 790, 210},
                          {"lblChartType", 1280, 420, 790, 210}});
    EXPECT_EQ(charts.lblSymbol.Caption(), "MSFT");
    EXPECT_EQ(charts.lblChartType.Caption(), "5 Day");
    EXPECT_EQ(charts.lblLoading.Caption(), "Loading...");
    EXPECT_FALSE(charts.lblLoading.Visible());
    EXPECT_TRUE(charts.gifCharts.Visible());
    EXPECT_EQ(charts.gifCharts.FileName(), ProgramFile("chart.gif"));
    EXPECT_EQ(charts.gifCharts.ImageWidthPixels(), 192);
    EXPECT_EQ(charts.Caption(), "");
    EXPECT_TRUE(charts.Topmost());
    EXPECT_EQ(ChartRequests(), 0u);  // nothing is downloaded at start
    EXPECT_EQ(charts.picSymbol.ToolTipText(), "Change the Chart Symbol");
    EXPECT_EQ(charts.picChartType.ToolTipText(), "Change the Chart Type");
    EXPECT_EQ(charts.picUpdate.ToolTipText(), "Update the Chart");
    EXPECT_EQ(charts.picExit.ToolTipText(), "Close");
}

TEST_F(ChartWindowTest, LargeFontsMoveTheControlsAndShrinkTheWindowToItsPictures) {
    desktop.dpi = 120;
    Charts& charts = ShowCharts();
    EXPECT_EQ(charts.Width(), 210 * 12);
    EXPECT_EQ(charts.Height(), 1320 + 49 * 12);
    ExpectLayout(charts, {{"picLeft", 0, 192, -1, -1},      {"picRight", 2412, 192, -1, -1},
                          {"picCharts", 120, 192, -1, -1},
                          {"picBottom", 0, 1320, -1, -1},   {"picExit", 2360, 20, -1, -1},
                          {"picSymbol", 80, 65, -1, -1},    {"picChartType", 80, 300, -1, -1},
                          {"lblSymbol", 1020, 80, -1, -1},  {"lblChartType", 1020, 310, -1, -1},
                          {"picUpdate", 1730, 140, -1, -1}});
    EXPECT_EQ(charts.lblSymbol.GetFont().Size, 7);
    EXPECT_EQ(charts.lblChartType.GetFont().Size, 7);
}

// True when the label's widget is wide enough for its text in the font it draws with.
bool ShowsWhole(const Label& label) {
    auto* widget = qobject_cast<QLabel*>(label.Widget());
    return widget && QFontMetricsF(widget->font()).horizontalAdvance(widget->text()) <= widget->width();
}

TEST_F(ChartWindowTest, TheSymbolAndPeriodLabelsFillTheirWellsAndATenCharacterSymbolShowsWhole) {
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        desktop.dpi = dpi;
        StoreChartSetting("Symbol", "ABCDEFGHIJ");
        Charts& charts = ShowCharts();
        for (const Label* label : {&charts.lblSymbol, &charts.lblChartType})
            EXPECT_EQ(label->Widget()->geometry().right(), 137) << label->Name();  // the well's last inner pixel
        EXPECT_EQ(charts.lblSymbol.Widget()->x(), 85);
        EXPECT_TRUE(ShowsWhole(charts.lblSymbol));
        EXPECT_EQ(charts.lblSymbol.GetFont().Size, 7);  // the font is kept, only drawn smaller
    }
}

TEST_F(ChartWindowTest, LoadingStandsWholeOnTheChartBackdropCentredOnItsDesignedBox) {
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        desktop.dpi = dpi;
        Charts& charts = ShowCharts();
        TestHttpServer::Route seenWhileLoading;
        seenWhileLoading.body = QByteArray::fromStdString(Gif(192, 96));
        QImage seen;
        bool whole = false;
        seenWhileLoading.arrived = [&] {
            whole = charts.lblLoading.Visible() && ShowsWhole(charts.lblLoading);
            seen = charts.picCharts.Widget()->grab().toImage();
        };
        server.setRoute("/c/0b/i/ibm.gif", seenWhileLoading);
        QTest::mouseClick(charts.picUpdate.Widget(), Qt::LeftButton);
        EXPECT_TRUE(whole);
        ASSERT_FALSE(seen.isNull());
        EXPECT_EQ(seen.pixelColor(5, 5), QColor(12, 14, 18));  // the backdrop, not the face
        const float designedLeft = dpi == 96 ? 1130 : 840;
        EXPECT_FLOAT_EQ(charts.lblLoading.Left() + charts.lblLoading.Width() / 2, designedLeft + 735.0f / 2);
    }
}

TEST_F(ChartWindowTest, AChartSavedUnderTheShadeViewOpensUnderTheFullView) {
    // The ticker stands at Top 1500 in its Full view; its Shade picture is 210 twips high.
    StoreSetting("Top", "1500");
    struct Case {
        const char* storedTop;
        float top;
    };
    for (Case c : {Case{"1710", 1500 + 1740}, Case{"1711", 1711}, Case{"1709", 1709},
                   Case{"3240", 3240}}) {
        StoreChartSetting("Top", c.storedTop);
        Charts& charts = ShowCharts();
        EXPECT_EQ(charts.Top(), c.top) << c.storedTop;
    }
}

// Saved just under the Standard Shade strip of a ticker at 0,0, the chart window opens just
// under the ticker as it now stands, whatever its size and view, and never over it.
TEST_F(ChartWindowTest, AChartSavedUnderTheStandardStripOpensUnderEverySizeAndView) {
    struct Case {
        const char *size, *view;
        int tickerHeightPixels;
    };
    for (Case c : {Case{"Standard", "Shade", 14}, Case{"Standard", "Full", 116},
                   Case{"Large", "Shade", 19}, Case{"Large", "Full", 155}}) {
        StoreSetting("Size", c.size);
        StoreSetting("Height", c.view);
        StoreSetting("Left", "0");
        StoreSetting("Top", "0");
        StoreChartSetting("Left", "0");
        StoreChartSetting("Top", "210");
        Ticker& ticker = StartTicker();
        ClickMouse(ticker.picChart.Widget(), QPoint(2, 2));
        Charts& charts = program().charts();
        ASSERT_TRUE(charts.Visible()) << c.size << " " << c.view;
        const QWidget* tickerWindow = ticker.picSkin.Widget()->window();
        EXPECT_EQ(tickerWindow->pos(), QPoint(0, 0));
        EXPECT_EQ(tickerWindow->height(), c.tickerHeightPixels) << c.size << " " << c.view;
        EXPECT_EQ(charts.picTop.Widget()->window()->pos(), QPoint(0, c.tickerHeightPixels))
            << c.size << " " << c.view;
    }
}

TEST_F(ChartWindowTest, ADockedPairIsFittedIntoTheWorkAreaByMovingTheTicker) {
    // The work area is 15360 x 11070 twips; the ticker is 3150 x 1740, the chart 2395 high.
    struct Case {
        const char* what;
        const char *docked, *tickerLeft, *tickerTop, *chartLeft, *chartTop;
        float tickerTopAfter, chartTopAfter;
    };
    const Case cases[] = {
        {"hanging below the bottom", "True", "0", "8000", "0", "9740", 11070 - 2395 - 1740,
         11070 - 2395},
        {"not docked", "False", "0", "8000", "0", "9740", 8000, 11070 - 2395},
        {"above a ticker at the top", "True", "0", "0", "0", "0", 2395, 0},
        {"right of a ticker at the top", "True", "0", "0", "3150", "0", 0, 0},
        {"left of a ticker at the top", "True", "3150", "0", "0", "0", 0, 0},
    };
    for (const Case& c : cases) {
        StoreSetting("Docked", c.docked);
        StoreSetting("Left", c.tickerLeft);
        StoreSetting("Top", c.tickerTop);
        StoreChartSetting("Left", c.chartLeft);
        StoreChartSetting("Top", c.chartTop);
        Charts& charts = ShowCharts();
        EXPECT_EQ(program().ticker().Top(), c.tickerTopAfter) << c.what;
        EXPECT_EQ(charts.Top(), c.chartTopAfter) << c.what;
    }
}

TEST_F(ChartWindowTest, TheLoadClampsTheWindowAndTestsTheDocking) {
    // The ticker is at 0,0 in its Full view, 3150 x 1740, for every case: each start would
    // otherwise begin where the last one saved it.
    StoreSetting("Left", "0");
    StoreSetting("Top", "0");
    StoreSetting("Docked", "False");
    StoreChartSetting("StartUp", "False");
    struct Case {
        const char *left, *top;
        float clampedLeft, clampedTop;
        bool docked;
    };
    for (Case c : {Case{"3150", "0", 3150, 0, true}, Case{"3151", "0", 3151, 0, false},
                   Case{"-500", "1740", 0, 1740, true}, Case{"20000", "20000", 15360 - 3150,
                                                           11070 - 2395, false},
                   Case{"abc", "1741", 0, 1741, false}}) {
        StoreChartSetting("Left", c.left);
        StoreChartSetting("Top", c.top);
        Charts& charts = ShowCharts();
        EXPECT_EQ(charts.Left(), c.clampedLeft) << c.left;
        EXPECT_EQ(charts.Top(), c.clampedTop) << c.top;
        EXPECT_EQ(docking().Docked, c.docked) << c.left << "," << c.top;
    }
}

TEST_F(ChartWindowTest, ReopeningApartFromTheTickerUndocks) {
    StoreChartSetting("Left", "3150");
    Charts& charts = ShowCharts();
    ASSERT_TRUE(docking().Docked);
    charts.picExit_Click();
    EXPECT_TRUE(docking().Docked);  // closing leaves the flag alone
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "Left", "6000");
    charts.Show();
    EXPECT_FALSE(docking().Docked);
}

TEST_F(ChartWindowTest, ExitAndUnloadSaveWithDockedAndTerminationWithout) {
    Charts& charts = ShowCharts();
    charts.lblSymbol.setCaption("MSFT");
    charts.lblChartType.setCaption("1 Day");
    charts.Move(4500.5f, 3000);
    charts.picExit_Click();
    EXPECT_FALSE(charts.Loaded());
    EXPECT_EQ(StoredChartSetting("Symbol"), "MSFT");
    EXPECT_EQ(StoredChartSetting("Chart Type"), "1 Day");
    EXPECT_EQ(StoredChartSetting("Left"), "4500.5");
    EXPECT_EQ(StoredChartSetting("Top"), "3000");
    EXPECT_EQ(StoredChartSetting("Docked"), "False");

    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "Docked", "kept");
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "Symbol", "X");
    charts.Release();
    EXPECT_EQ(StoredChartSetting("Docked"), "kept");
    EXPECT_EQ(StoredChartSetting("Symbol"), "MSFT");
}

TEST_F(ChartWindowTest, AChartWindowThatNeverOpenedSavesNothingWhenReleased) {
    StartTicker();
    Charts& charts = program().charts();
    charts.Release();
    EXPECT_EQ(StoredChartSetting("Symbol"), "<missing>");
}

TEST_F(ChartWindowTest, ThePeriodMenuChangesOnlyTheLabel) {
    Charts& charts = ShowCharts();
    desktop.menuChoices = {"mnu5Day"};
    charts.picChartType_Click();
    EXPECT_EQ(charts.lblChartType.Caption(), "5 Day");
    ASSERT_EQ(desktop.popups.size(), 1u);
    EXPECT_EQ(desktop.popups[0].menu, "mnuChartType");
    EXPECT_EQ(desktop.popups[0].items, (std::vector<std::string>{"1 Day", "5 Day", "-", "1 Year"}));
    for (const char* item : {"mnu1Day", "mnu1Year"}) {
        desktop.menuChoices = {item};
        charts.picChartType_Click();
    }
    EXPECT_EQ(charts.lblChartType.Caption(), "1 Year");
    EXPECT_EQ(ChartRequests(), 0u);
}

TEST_F(ChartWindowTest, RightClickOnTheSymbolResearchesTheTickersQuote) {
    Charts& charts = ShowCharts();
    charts.lblSymbol.setCaption("IBM");
    const std::string quoted = program().getSymbol.QuoteSymbol;
    ASSERT_EQ(quoted, "MSFT");  // the cursor has moved on after the first quote
    charts.lblSymbol_MouseDown(1, 0, 0, 0);
    EXPECT_TRUE(desktop.popups.empty());
    desktop.menuChoices = {"NewsMenuItem"};
    charts.lblSymbol_MouseDown(2, 0, 0, 0);
    EXPECT_EQ(program().ticker().InfoStock, "MSFT");
    ASSERT_EQ(desktop.popups.size(), 1u);
    EXPECT_EQ(desktop.popups[0].menu, "ResearchMenu");
    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_NE(desktop.urls[0].find("/n/M/MSFT.html"), std::string::npos);
}

TEST_F(ChartWindowTest, ButtonsShowTheirPressedPictureWhileAnyButtonIsDown) {
    Charts& charts = ShowCharts();
    struct Case {
        PictureBox &button, &up, &down;
    };
    for (Case c : {Case{charts.picSymbol, charts.picSymbolUp, charts.picSymbolDown},
                   Case{charts.picChartType, charts.picChartTypeUp, charts.picChartTypeDown},
                   Case{charts.picUpdate, charts.picUpdateUp, charts.picUpdateDown}}) {
        EXPECT_EQ(c.button.GetPicture(), c.up.GetPicture()) << c.button.Name();
        for (int mouseButton : {1, 2, 4}) {
            c.button.OnMouseDown(mouseButton, 0, 5, 5);
            EXPECT_EQ(c.button.GetPicture(), c.down.GetPicture()) << c.button.Name();
            c.button.OnMouseUp(mouseButton, 0, 5, 5);
            EXPECT_EQ(c.button.GetPicture(), c.up.GetPicture()) << c.button.Name();
        }
    }
}

TEST_F(ChartWindowTest, TheGrabPointIsTakenOnlyByTheLeftButtonAndRoundedHalfToEven) {
    Charts& charts = ShowCharts();
    charts.picTop_MouseDown(2, 0, 300, 40);
    EXPECT_EQ(charts.FormPosX, 0);
    charts.picTop_MouseDown(1, 0, 100.5f, 41.5f);
    EXPECT_EQ(charts.FormPosX, 100);
    EXPECT_EQ(charts.FormPosY, 42);
}

TEST_F(ChartWindowTest, TheTickerOpensTheChartWindowAtStartAndTheDockingFollowsIt) {
    StoreSetting("Docked", "False");
    StoreChartSetting("StartUp", "True");
    StoreChartSetting("Top", "1740");
    Ticker& ticker = StartTicker();
    Charts& charts = program().charts();
    EXPECT_TRUE(ticker.isLoaded(charts));
    EXPECT_TRUE(charts.Visible());
    EXPECT_TRUE(program().showContents.Docked);
}

// On a fresh profile the chart window has no place of its own; opening it over the ticker
// would hide the ticker. The strip is 3150 x 210 twips at Left 4500.
struct FreshProfileCase {
    const char* what;
    PixelRect workArea;
    float tickerTop, expectedTickerTop, expectedChartsTop;
};

class FreshProfileChartTest : public ChartWindowTest,
                              public ::testing::WithParamInterface<FreshProfileCase> {};

TEST_P(FreshProfileChartTest, WithNoStoredPlaceItOpensDockedToTheTicker) {
    const FreshProfileCase& c = GetParam();
    desktop.workArea = c.workArea;
    StoreSetting("Height", "Shade");
    StoreSetting("Left", "4500");
    StoreSetting("Top", std::to_string(int(c.tickerTop)));
    Ticker& ticker = StartTicker();
    ClickMouse(ticker.picSkin.Widget(), QPoint(10, 5));  // a press reads the chart's place
    ClickMouse(ticker.picChart.Widget(), QPoint(2, 2));
    Charts& charts = program().charts();
    ASSERT_TRUE(charts.Visible());
    EXPECT_EQ(charts.Left(), 4500);
    EXPECT_EQ(charts.Top(), c.expectedChartsTop);
    EXPECT_EQ(ticker.Top(), c.expectedTickerTop);
    EXPECT_TRUE(docking().Docked);
}

INSTANTIATE_TEST_SUITE_P(
    Places, FreshProfileChartTest,
    ::testing::Values(
        FreshProfileCase{"below", {0, 0, 1024, 738}, 3000, 3000, 3210},
        FreshProfileCase{"above", {0, 0, 1024, 738}, 10070, 10070, 10070 - 2395},
        // No room either way: fitted as a docked pair, the ticker moved up.
        FreshProfileCase{"fitted", {0, 0, 1024, 200}, 1000, 3000 - 2395 - 210, 3000 - 2395}),
    [](const auto& place) { return std::string(place.param.what); });

TEST_F(ChartWindowTest, TheTickersMenuAndButtonOpenAndCloseTheChartWindow) {
    Ticker& ticker = StartTicker();
    Charts& charts = program().charts();
    EXPECT_FALSE(ticker.isLoaded(charts));
    desktop.menuChoices = {"ChartBrowserMenuItem"};
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_TRUE(charts.Visible());
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(desktop.popups.back().items[5], "Chart Browser [x]");
    desktop.menuChoices = {"ChartBrowserMenuItem"};
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_FALSE(ticker.isLoaded(charts));
    EXPECT_EQ(StoredChartSetting("Docked"), "False");  // its unload saved
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(desktop.popups.back().items[5], "Chart Browser");
    ticker.picChart_Click();
    EXPECT_TRUE(charts.Visible());
    charts.picExit_Click();
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(desktop.popups.back().items[5], "Chart Browser");
}

}  // namespace
