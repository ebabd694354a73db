#include "platform/form.h"
#include "platform/label.h"
#include "platform/timer.h"
#include "support/program_fixture.h"
#include "ticker/resizer.h"

namespace {

class ResizeForm : public Form {
public:
    explicit ResizeForm(Runtime& runtime) : Form(runtime, "ResizeForm") {}
    Label first{*this, "Caption"};
    Label twin{*this, "caption"};  // the same name, told apart by case only
    Label other{*this, "Other"};
    Timer clock{*this, "Clock"};

protected:
    void InitializeComponent() override {
        setWidth(3000);
        setHeight(1500);
        first.Move(300, 150, 900, 300);
        twin.Move(600, 600, 300, 150);
        other.Move(30, 60, 90, 120);
    }
};

class ResizerTest : public ProgramTest {};

TEST_F(ResizerTest, TheFirstResizeChangesNothingAndLaterOnesScaleFromTheRecording) {
    Start();
    ResizeForm form(runtime());
    form.Load();
    Resizer resizer;
    ASSERT_TRUE(resizer.Resize(&form));
    EXPECT_FLOAT_EQ(form.other.Left(), 30);
    EXPECT_FLOAT_EQ(form.other.Height(), 120);

    form.setWidth(float(double(form.Width()) * 4.0 / 3.0));
    form.setHeight(float(double(form.Height()) * 4.0 / 3.0));
    ASSERT_TRUE(resizer.Resize(&form));
    EXPECT_FLOAT_EQ(form.other.Left(), 40);
    EXPECT_FLOAT_EQ(form.other.Top(), 80);
    EXPECT_FLOAT_EQ(form.other.Width(), 120);
    EXPECT_FLOAT_EQ(form.other.Height(), 160);
    // Both controls of one name take the first one's scaled geometry.
    EXPECT_FLOAT_EQ(form.twin.Left(), 400);
    EXPECT_FLOAT_EQ(form.twin.Width(), 1200);

    form.setWidth(3000);
    form.setHeight(1500);
    resizer.Resize(&form);
    EXPECT_FLOAT_EQ(form.other.Left(), 30);  // no rounding piles up
    form.Unload();
}

TEST_F(ResizerTest, NothingToRecordRaisesTheErrorEvent) {
    Resizer resizer;
    int32_t code = 0;
    std::string description;
    resizer.OnResizeError = [&](int32_t c, const std::string& d) {
        code = c;
        description = d;
    };
    EXPECT_FALSE(resizer.Resize(nullptr));
    EXPECT_EQ(code, 424 - 2147221504);
    EXPECT_EQ(description.rfind("RError: ", 0), 0u);
}

TEST(RObjectsTest, KeysAreUniqueWithoutRegardToCase) {
    rObjects objects;
    ASSERT_NE(objects.Add(1, 2, 3, 4, "Label1"), nullptr);
    EXPECT_EQ(objects.Add(5, 6, 7, 8, "LABEL1"), nullptr);
    ASSERT_NE(objects.Add(9, 9, 9, 9, ""), nullptr);
    EXPECT_EQ(objects.Item("label1")->oWidth(), 1);
    EXPECT_EQ(objects.Item("Label1")->oLeft(), 4);
    EXPECT_EQ(objects.Item("Label2"), nullptr);
    EXPECT_EQ(objects.Item(""), nullptr);
}

}  // namespace
