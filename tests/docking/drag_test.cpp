#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "charts/charts.h"
#include "docking/available_area.h"
#include "docking/show_contents.h"
#include "docking/work_area_snap.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/ticker_fixture.h"
#include "support/window_moves.h"
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

// Real mouse events on a drag surface. Positions may fall between pixels, as on a scaled
// screen; the scripted desktop says where the cursor is.
void SendMouseAt(QWidget* surface, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
    Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, surface->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(surface, &event);
}

class DragByMouseTest : public DragTest {
protected:
    void Press(QWidget* surface, QPointF at = {}) {
        SendMouseAt(surface, QEvent::MouseButtonPress, at, Qt::LeftButton);
    }
    void MoveCursor(QWidget* surface, PixelPoint to) {
        desktop.cursor = to;
        SendMouseAt(surface, QEvent::MouseMove, {}, Qt::LeftButton);
    }
    void Release(QWidget* surface) {
        SendMouseAt(surface, QEvent::MouseButtonRelease, {}, Qt::NoButton);
    }
};

// Label1 lies at 220,0 and Label2 at 1105,25 twips, off the 15-twip pixel grid, so the
// grab point is too; the cursor lands on whole pixels.
TEST_F(DragByMouseTest, ExactlyTheSnapDistanceFromAnEdgeSnapsWhateverTheGrabPoint) {
    struct Case {
        const char* what;
        PixelRect workArea;
        Label Ticker::*surface;
        QPointF grab;  // pixels on the label
        PixelPoint cursor;
        float top, left;
        bool snapped;
    };
    const Case cases[] = {
        {"125 below the top edge", {0, 0, 800, 600}, &Ticker::Label2, {0, 0}, {300, 10}, 0,
         300 * 15 - 1105, true},
        {"125 above a panel's edge", {0, 30, 800, 600}, &Ticker::Label2, {0, 20.0 / 3},
         {300, 30}, 450, 300 * 15 - 1105, true},
        {"125 right of the left edge", {0, 0, 800, 600}, &Ticker::Label1, {0, 0}, {23, 200},
         200 * 15, 0, true},
        {"140 below the top edge", {0, 0, 800, 600}, &Ticker::Label2, {0, 0}, {300, 11}, 140,
         300 * 15 - 1105, false},
    };
    Ticker& ticker = Shown();
    for (const Case& c : cases) {
        desktop.workArea = c.workArea;
        ticker.Move(3000, 3000);
        QWidget* surface = (ticker.*c.surface).Widget();
        desktop.cursor = {300, 300};
        Press(surface, c.grab);
        MoveCursor(surface, c.cursor);
        Release(surface);
        EXPECT_EQ(State().EdgeSnapped, c.snapped) << c.what;
        EXPECT_FLOAT_EQ(ticker.Top(), c.top) << c.what;
        EXPECT_FLOAT_EQ(ticker.Left(), c.left) << c.what;
    }
}

// Every cursor read and every window move is a round trip to the window system, and a
// window moved twice in a step shows a place the step never meant.
TEST_F(DragByMouseTest, AStepReadsTheCursorOnceAndMovesEachWindowOnce) {
    Ticker& ticker = Shown();
    Charts& charts = program().charts();
    for (bool docked : {false, true}) {
        if (docked) {
            charts.Show();
            charts.Move(3000, 3210);
            State().Docked = true;
        }
        QWidget* skin = ticker.picSkin.Widget();
        WindowMoves tickerMoves(skin->window());
        WindowMoves chartsMoves(docked ? charts.picTop.Widget()->window() : skin->window());
        desktop.cursor = {210, 206};
        Press(skin, {10, 6});
        int reads = desktop.cursorReads;
        MoveCursor(skin, {250, 260});  // diagonal: both axes change
        QApplication::processEvents();
        EXPECT_EQ(desktop.cursorReads - reads, 1) << docked;
        EXPECT_EQ(tickerMoves.count, 1) << docked;
        EXPECT_FLOAT_EQ(ticker.Left(), 250 * 15 - 150) << docked;
        EXPECT_FLOAT_EQ(ticker.Top(), 260 * 15 - 90) << docked;
        if (docked) {
            EXPECT_EQ(chartsMoves.count, 1);
            EXPECT_FLOAT_EQ(charts.Top(), ticker.Top() + 210);
        }
        Release(skin);
        ticker.Move(3000, 3000);
    }
}

// The pair moves as one; a ticker caught by the edge beyond which its docked chart window
// hangs would otherwise leave the chart window open, docked and out of sight.
TEST_F(DragByMouseTest, ADockedChartWindowIsNeverDraggedWhollyOutOfTheWorkArea) {
    struct Case {
        const char* what;
        float chartsTop;  // the ticker stands at 3000,3000
        PixelPoint cursor;
        float expectedChartsTop;
    };
    const Case cases[] = {
        {"hanging below, the ticker caught by the bottom", 3210, {210, 588}, 9000 - 2395},
        {"standing above, the ticker caught by the top", 3000 - 2395, {210, 10}, 0},
        {"hanging below, the chart half out", 3210, {210, 500}, 500 * 15 - 90 + 210},
    };
    Ticker& ticker = Shown();
    Charts& charts = program().charts();
    charts.Show();
    for (const Case& c : cases) {
        ticker.Move(3000, 3000);
        charts.Move(3000, c.chartsTop);
        State().Docked = true;
        QWidget* skin = ticker.picSkin.Widget();
        desktop.cursor = {210, 206};
        Press(skin, {10, 6});
        MoveCursor(skin, c.cursor);
        EXPECT_FLOAT_EQ(charts.Top(), c.expectedChartsTop) << c.what;
        EXPECT_FLOAT_EQ(ticker.Top() - charts.Top(), 3000 - c.chartsTop) << c.what;
        EXPECT_FLOAT_EQ(charts.Left(), ticker.Left()) << c.what;
        Release(skin);
    }
}

// The ticker (3150 x 210, grabbed 150,90 twips in) against the open chart window (3150 x
// 2395): undocked, a chart edge within 125 twips of where the cursor puts the ticker's top
// or bottom catches it, the last candidate (below, tops level, above) that holds winning;
// a docked pair moves as one and stays docked only when a side candidate holds at the end.
// A second drag shows the verdict the release committed.
TEST_F(DragByMouseTest, TheTickerSnapsToTheChartWindowsEdgesAndTheReleaseCommitsTheDocking) {
    struct Case {
        const char* what;
        bool docked;
        float chartsLeft, chartsTop;
        PixelPoint cursor;  // the press is at 210,206: the ticker at 3000,3000
        float left, top, chartsLeftAfter, chartsTopAfter;
        bool dockedAfter;
    };
    const Case cases[] = {
        {"125 below the chart's bottom", false, 3500, 4500, {210, 474}, 3000, 4500 + 2395, 3500,
         4500, true},
        {"126 below the chart's bottom", false, 3500, 4499, {210, 474}, 3000, 7020, 3500, 4499,
         false},
        {"tops 60 apart", false, 3500, 4500, {210, 310}, 3000, 4500, 3500, 4500, true},
        {"the ticker's bottom 105 above the chart's top", false, 3500, 4500, {210, 285}, 3000,
         4500 - 210, 3500, 4500, true},
        {"tops 120 apart and the bottom 90 below the chart's top: above wins", false, 3500, 4500,
         {210, 298}, 3000, 4500 - 210, 3500, 4500, true},
        {"level but apart sideways", false, 7000, 4500, {210, 298}, 3000, 4380, 7000, 4500, false},
        {"docked below, left edges 200 apart", true, 3200, 3210, {250, 260}, 3600, 3810, 3800,
         4020, false},
        {"docked below, left edges 100 apart", true, 3100, 3210, {250, 260}, 3700, 3810, 3700,
         4020, true},
    };
    Ticker& ticker = Shown();
    Charts& charts = program().charts();
    charts.Show();
    QWidget* skin = ticker.picSkin.Widget();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ticker.Move(3000, 3000);
        charts.Move(c.chartsLeft, c.chartsTop);
        State().Docked = c.docked;
        desktop.cursor = {210, 206};
        Press(skin, {10, 6});
        MoveCursor(skin, c.cursor);
        Release(skin);
        EXPECT_FLOAT_EQ(ticker.Left(), c.left);
        EXPECT_FLOAT_EQ(ticker.Top(), c.top);
        EXPECT_FLOAT_EQ(charts.Left(), c.chartsLeftAfter);
        EXPECT_FLOAT_EQ(charts.Top(), c.chartsTopAfter);
        EXPECT_EQ(State().Docked, c.dockedAfter);

        const float offsetX = charts.Left() - ticker.Left(), offsetY = charts.Top() - ticker.Top();
        Press(skin, {10, 6});
        MoveCursor(skin, {c.cursor.x + 10, c.cursor.y + 10});
        Release(skin);
        if (c.dockedAfter) {
            EXPECT_FLOAT_EQ(charts.Left() - ticker.Left(), offsetX);
            EXPECT_FLOAT_EQ(charts.Top() - ticker.Top(), offsetY);
        } else {
            EXPECT_FLOAT_EQ(charts.Left(), c.chartsLeftAfter);
            EXPECT_FLOAT_EQ(charts.Top(), c.chartsTopAfter);
        }
    }
}

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
