#include "docking/update_docked.h"

#include "docking/show_contents.h"
#include "platform/form.h"
#include "support/program_fixture.h"

namespace {

class Bare : public Form {
public:
    Bare(Runtime& runtime, float left, float top, float width, float height)
        : Form(runtime, "Bare") {
        Move(left, top);
        setWidth(width);
        setHeight(height);
    }

protected:
    void InitializeComponent() override {}
};

class UpdateDockedTest : public ProgramTest {};

TEST_F(UpdateDockedTest, EdgesAndCornersThatMeetAreDockedAndOneTwipApartIsNot) {
    struct Case {
        const char* what;
        float left, top, width, height;  // of the chart window; the ticker is 0,0 3150 x 210
        bool touching, docked;
    };
    const Case cases[] = {
        {"right edge meets", 3150, 0, 3150, 2395, true, true},
        {"one twip right of it", 3151, 0, 3150, 2395, true, false},
        {"left edge meets", -3150, 0, 3150, 2395, true, true},
        {"flush below", 0, 210, 3150, 2395, true, true},
        {"one twip below", 0, 211, 3150, 2395, false, false},
        {"corner only", 3150, 210, 3150, 2395, true, true},
        {"level but apart", 4000, 0, 3150, 2395, true, false},
        {"below and apart", 5000, 3000, 3150, 2395, false, false},
        {"overlapping", 1000, 100, 3150, 2395, true, true},
    };
    Start();
    Bare ticker(runtime(), 0, 0, 3150, 210);
    for (const Case& c : cases) {
        Bare charts(runtime(), c.left, c.top, c.width, c.height);
        ShowContents state;
        state.ChartsTouching = !c.touching;
        state.Docked = !c.docked;
        Docking::UpdateDocked(state, charts, ticker);
        EXPECT_EQ(state.ChartsTouching, c.touching) << c.what;
        EXPECT_EQ(state.Docked, c.docked) << c.what;
        // The test is symmetric: the ticker against the chart window says the same.
        Docking::UpdateDocked(state, ticker, charts);
        EXPECT_EQ(state.Docked, c.docked) << c.what << " (reversed)";
    }
}

TEST_F(UpdateDockedTest, SumsAreSinglePrecision) {
    // 0.1 + 0.2 meets 0.3 only when the sum is rounded to single precision.
    Start();
    Bare left(runtime(), 0.1f, 0, 0.2f, 100);
    Bare right(runtime(), 0.3f, 0, 100, 100);
    ShowContents state;
    Docking::UpdateDocked(state, left, right);
    EXPECT_TRUE(state.Docked);
}

}  // namespace
