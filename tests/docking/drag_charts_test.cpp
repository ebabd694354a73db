#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "charts/charts.h"
#include "docking/show_contents.h"
#include "support/window_moves.h"
#include "support/ticker_fixture.h"
#include "ticker/ticker.h"

namespace {

// The ticker's Full view is at 3000,3000, 3150 x 1740; the chart window is 3150 x 2395.
// Pixels are 15 twips; the work area is 800 x 600 px.
class DragChartsTest : public TickerTest {
protected:
    Charts& Open() {
        desktop.workArea = {0, 0, 800, 600};
        StoreSetting("Left", "3000");
        StoreSetting("Top", "3000");
        ShowTicker();
        Charts& charts = program().charts();
        charts.Show();
        charts.Move(0, 0);
        return charts;
    }
    // Drags the chart window by its top strip so that it would follow to (left, top).
    void DragTo(Charts& charts, float left, float top) {
        const float grabX = 300, grabY = 90;
        desktop.cursor = {int32_t((charts.Left() + grabX) / 15), int32_t((charts.Top() + grabY) / 15)};
        charts.picTop_MouseDown(1, 0, grabX, grabY);
        desktop.cursor = {int32_t((left + grabX) / 15), int32_t((top + grabY) / 15)};
        charts.picTop_MouseMove(1, 0, grabX, grabY);
    }
    ShowContents& State() { return program().showContents; }
};

TEST_F(DragChartsTest, ItSnapsFlushBelowTheTickerWithin125Twips) {
    Charts& charts = Open();
    DragTo(charts, 3000, 4740 + 120);
    EXPECT_FLOAT_EQ(charts.Top(), 4740);
    EXPECT_TRUE(State().Docked);  // left edges aligned too
    DragTo(charts, 3000, 4740 + 135);
    EXPECT_FLOAT_EQ(charts.Top(), 4740 + 135);
    EXPECT_FALSE(State().Docked);
}

TEST_F(DragChartsTest, BelowButApartSidewaysIsNotDocked) {
    Charts& charts = Open();
    DragTo(charts, 3300, 4740);
    EXPECT_FLOAT_EQ(charts.Top(), 4740);
    EXPECT_FLOAT_EQ(charts.Left(), 3300);
    EXPECT_FALSE(State().Docked);
}

TEST_F(DragChartsTest, InsideTheTickersHeightItFollowsTheCursorAndDocksBesideIt) {
    Charts& charts = Open();
    DragTo(charts, 6150 + 60, 3600);  // its top inside the ticker's height, flush to the right
    EXPECT_FLOAT_EQ(charts.Top(), 3600);
    EXPECT_FLOAT_EQ(charts.Left(), 6150);
    EXPECT_TRUE(State().Docked);
}

TEST_F(DragChartsTest, FarAwayItUndocksAndTheTickerNeverMoves) {
    Charts& charts = Open();
    DragTo(charts, 3000, 4740);
    ASSERT_TRUE(State().Docked);
    DragTo(charts, 7500, 300);
    EXPECT_FALSE(State().Docked);
    EXPECT_FLOAT_EQ(program().ticker().Left(), 3000);
    EXPECT_FLOAT_EQ(program().ticker().Top(), 3000);
}

TEST_F(DragChartsTest, AStepByTheTopStripReadsTheCursorOnceAndMovesTheWindowOnce) {
    Charts& charts = Open();
    QWidget* strip = charts.picTop.Widget();
    auto send = [strip](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(20, 6), strip->mapToGlobal(QPointF(20, 6)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(strip, &event);
    };
    desktop.cursor = {20, 6};
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    WindowMoves moves(strip->window());
    int reads = desktop.cursorReads;
    desktop.cursor = {520, 406};  // diagonal, far from the ticker and the edges
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(desktop.cursorReads - reads, 1);
    EXPECT_EQ(moves.count, 1);
    EXPECT_FLOAT_EQ(charts.Left(), 500 * 15);
    EXPECT_FLOAT_EQ(charts.Top(), 400 * 15);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

}  // namespace
