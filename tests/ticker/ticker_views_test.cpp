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

}  // namespace
