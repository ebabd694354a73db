#include "docking/available_area.h"
#include "docking/show_contents.h"
#include "docking/work_area_snap.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/ticker_fixture.h"
#include "ticker/ticker.h"

namespace {

// Pixels are 15 twips here; the work area is 0,0 - 800,600 px = 12000 x 9000 twips.
class DragTest : public TickerTest {
protected:
    Ticker& Shown() {
        desktop.workArea = {0, 0, 800, 600};
        StoreSetting("Height", "Shade");
        StoreSetting("Left", "3000");
        StoreSetting("Top", "3000");
        return ShowTicker();
    }
    // Presses the left button on the skin at (x, y) twips, then moves the cursor so that
    // the window would follow to (left, top) twips.
    void PressAndMove(Ticker& ticker, float grabX, float grabY, float left, float top) {
        desktop.cursor = {int32_t((ticker.Left() + grabX) / 15), int32_t((ticker.Top() + grabY) / 15)};
        ticker.picSkin_MouseDown(1, 0, grabX, grabY);
        MoveTo(ticker, grabX, grabY, left, top);
    }
    void MoveTo(Ticker& ticker, float grabX, float grabY, float left, float top) {
        desktop.cursor = {int32_t((left + grabX) / 15), int32_t((top + grabY) / 15)};
        ticker.picSkin.OnMouseMove(1, 0, grabX, grabY);
    }
    std::string StoredChart(const char* name) {
        return GetString::GetStringValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, name);
    }
    ShowContents& State() { return program().showContents; }
};

TEST_F(DragTest, TheWindowFollowsTheCursorAndSnapsToWorkAreaEdgesWithin125Twips) {
    Ticker& ticker = Shown();
    struct Case {
        float top, expectedTop;
        bool snapped;
    };
    // Cursor positions land on whole pixels, so the candidate tops are multiples of 15.
    const Case cases[] = {
        {120, 0, true},       // within 125 of the top edge
        {135, 135, false},    // beyond it
        {4500, 4500, false},  // nowhere near an edge
        {9000 - 210 - 120, 9000 - 210, true},  // the strip's bottom within 125 of the bottom
    };
    for (const Case& c : cases) {
        PressAndMove(ticker, 150, 90, 4500, c.top);
        EXPECT_FLOAT_EQ(ticker.Top(), c.expectedTop) << c.top;
        EXPECT_FLOAT_EQ(ticker.Left(), 4500);
        EXPECT_EQ(State().EdgeSnapped, c.snapped) << c.top;
    }
}

TEST_F(DragTest, OneSnappedAxisIsEnoughForEdgeSnapped) {
    Ticker& ticker = Shown();
    PressAndMove(ticker, 150, 90, 60, 4500);  // only the left edge is near
    EXPECT_TRUE(State().EdgeSnapped);
    EXPECT_FLOAT_EQ(ticker.Left(), 0);
    EXPECT_EQ(State().SnapTop, 4500);
}

TEST_F(DragTest, AClosedChartWindowCatchesTheTickerAtItsStoredPlace) {
    Ticker& ticker = Shown();
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "Left", "6000");
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "Top", "4500");
    // Level with the stored chart rectangle, its right edge 90 twips from the chart's left.
    PressAndMove(ticker, 150, 90, 6000 - 3150 + 90, 4500);
    EXPECT_FLOAT_EQ(ticker.Left(), 6000 - 3150);
    EXPECT_TRUE(State().ChartsTouching);
    ticker.picSkin_MouseUp(1, 0, 0, 0);
    EXPECT_TRUE(State().Docked);
    // Far below the stored rectangle nothing catches it.
    PressAndMove(ticker, 150, 90, 6000 - 3150 + 90, 7500);
    EXPECT_FLOAT_EQ(ticker.Left(), 6000 - 3150 + 90);
}

TEST_F(DragTest, ADockedClosedChartWindowsStoredPlaceFollowsTheTicker) {
    Ticker& ticker = Shown();
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "Left", "3000");
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "Top", "3210");
    State().Docked = true;
    PressAndMove(ticker, 150, 90, 4500, 5400);
    EXPECT_EQ(State().ChartsOffsetX, 0);
    EXPECT_EQ(State().ChartsOffsetY, -210);
    EXPECT_EQ(StoredChart("Left"), "4500");
    EXPECT_EQ(StoredChart("Top"), "5610");
}

TEST_F(DragTest, OnlyTheLeftButtonAloneDragsAndNotAfterADoubleClick) {
    Ticker& ticker = Shown();
    ticker.picSkin_MouseDown(1, 0, 150, 90);
    desktop.cursor = {400, 300};
    ticker.picSkin.OnMouseMove(3, 0, 150, 90);
    EXPECT_FLOAT_EQ(ticker.Left(), 3000);
    ticker.picSkin_DblClick();
    ticker.picSkin.OnMouseMove(1, 0, 150, 90);
    EXPECT_FLOAT_EQ(ticker.Left(), 3000);
    ticker.picSkin_MouseUp(1, 0, 150, 90);
    EXPECT_FALSE(ticker.DoubleClick);
}

TEST_F(DragTest, OnlyAReleaseOnTheSkinCommitsTheVerdict) {
    Ticker& ticker = Shown();
    State().ChartsTouching = true;
    ticker.LabelMouseUp(ticker.Label2, 1);
    EXPECT_FALSE(State().Docked);
    ticker.picSkin_MouseUp(2, 0, 0, 0);  // any button on the skin
    EXPECT_TRUE(State().Docked);
}

TEST_F(DragTest, KeepInAvailableAreaPullsAWindowBackInside) {
    Ticker& ticker = Shown();
    struct Case {
        float left, top, expectedLeft, expectedTop;
    };
    const Case cases[] = {
        {-1500, 3000, 0, 3000},                   // half off the left edge
        {0, 0, 0, 0},                             // touching the edges stays
        {12000 - 3150, 9000 - 210, 12000 - 3150, 9000 - 210},
        {20000, 20000, 12000 - 3150, 9000 - 210},  // off the bottom-right corner
    };
    for (const Case& c : cases) {
        ticker.Move(c.left, c.top);
        AvailableArea::KeepInAvailableArea(ticker);
        EXPECT_FLOAT_EQ(ticker.Left(), c.expectedLeft);
        EXPECT_FLOAT_EQ(ticker.Top(), c.expectedTop);
    }
}

}  // namespace
