#include "charts/charts.h"
#include "docking/show_contents.h"
#include "support/mouse_events.h"
#include "support/ticker_fixture.h"
#include "ticker/ticker.h"

namespace {

// The work area ends at 600 px = 9000 twips; the Standard strip is 210 twips high and
// the Full panel 1740.
class TickerViewsTest : public TickerTest {
protected:
    Ticker& ShadeAt(float top) {
        desktop.workArea = {0, 0, 800, 600};
        StoreSetting("Height", "Shade");
        StoreSetting("Top", std::to_string(int(top)));
        return ShowTicker();
    }
    void ClickViewButton(Ticker& ticker) { ClickMouse(ticker.picWindow.Widget(), QPoint(2, 2)); }
};

TEST_F(TickerViewsTest, FarFromTheBottomTheFullViewGrowsDownwards) {
    Ticker& ticker = ShadeAt(3000);
    ticker.picWindow_Click();
    EXPECT_EQ(ticker.picWindow.Tag(), "Full");
    EXPECT_FLOAT_EQ(ticker.Height(), 1740);
    EXPECT_FLOAT_EQ(ticker.Top(), 3000);
    EXPECT_FALSE(ticker.Dock);
    EXPECT_FALSE(ticker.Label1.Visible());
    EXPECT_EQ(ticker.picSkin.GetPicture(), ticker.picDefaultFull.GetPicture());
    ticker.picWindow_Click();
    EXPECT_EQ(ticker.picWindow.Tag(), "Shade");
    EXPECT_FLOAT_EQ(ticker.Height(), 210);
    EXPECT_FLOAT_EQ(ticker.Top(), 3000);
    EXPECT_TRUE(ticker.Label1.Visible());
}

TEST_F(TickerViewsTest, AtTheBottomTheFullViewMovesUpAndTheStripGoesBack) {
    Ticker& ticker = ShadeAt(9000 - 210);
    ticker.picWindow_Click();
    EXPECT_FLOAT_EQ(ticker.Top(), 9000 - 1740);
    EXPECT_TRUE(ticker.Dock);
    EXPECT_EQ(ticker.OriginalTop, 9000 - 210);
    ticker.picWindow_Click();
    EXPECT_FLOAT_EQ(ticker.Top(), 9000 - 210);
    EXPECT_FALSE(ticker.Dock);
}

TEST_F(TickerViewsTest, AFullPanelExactlyOnTheBottomStaysPinnedThere) {
    Ticker& ticker = ShadeAt(9000 - 1740);
    ticker.picWindow_Click();
    EXPECT_TRUE(ticker.Dock);
    EXPECT_FLOAT_EQ(ticker.Top(), 9000 - 1740);  // set, but no move needed
    ticker.picWindow_Click();
    EXPECT_FLOAT_EQ(ticker.Top(), 9000 - 210);   // pinned, and the restore test fails
}

TEST_F(TickerViewsTest, ADoubleClickOnTheSkinTogglesTheView) {
    Ticker& ticker = ShadeAt(3000);
    ticker.picSkin_DblClick();
    EXPECT_EQ(ticker.picWindow.Tag(), "Full");
    EXPECT_TRUE(ticker.DoubleClick);
}

TEST_F(TickerViewsTest, TheLargeSizeUsesItsFixedHeights) {
    StoreSetting("Size", "Large");
    Ticker& ticker = ShadeAt(3000);
    ticker.picWindow_Click();
    EXPECT_FLOAT_EQ(ticker.Height(), 2320);
    EXPECT_EQ(ticker.picSkin.GetPicture(), ticker.picLargeFull.GetPicture());
    ticker.picWindow_Click();
    EXPECT_FLOAT_EQ(ticker.Height(), 280);
}

TEST_F(TickerViewsTest, OnATallDesktopTheStripGoesBackToItsPlace) {
    // 3000 px high: the strip's Top lies beyond what 16 bits hold.
    desktop.workArea = {0, 0, 1280, 3000};
    StoreSetting("Height", "Shade");
    StoreSetting("Top", "44000");
    Ticker& ticker = ShowTicker();
    ClickViewButton(ticker);
    EXPECT_FLOAT_EQ(ticker.Top(), 45000 - 1740);
    ClickViewButton(ticker);
    EXPECT_FLOAT_EQ(ticker.Top(), 44000);
}

// A chart window taller than the Full panel, docked beside the strip with level bottoms,
// all on the work-area bottom: after Full and after Shade again the bottoms are level.
TEST_F(TickerViewsTest, ASideBySideChartWindowKeepsItsBottomLevelInBothSizes) {
    for (const char* size : {"Standard", "Large"}) {
        StoreSetting("Size", size);
        Ticker& ticker = ShadeAt(0);
        ticker.setTop(9000 - ticker.Height());
        Charts& charts = program().charts();
        charts.Show();
        charts.Move(ticker.Left() + ticker.Width(), 9000 - charts.Height());
        program().showContents.Docked = true;
        for (const char* view : {"Full", "Shade"}) {
            ClickViewButton(ticker);
            ASSERT_EQ(ticker.picWindow.Tag(), view);
            EXPECT_FLOAT_EQ(charts.Top() + charts.Height(), ticker.Top() + ticker.Height())
                << size << " " << view;
        }
    }
}

}  // namespace
