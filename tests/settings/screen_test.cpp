#include <QWidget>

#include "platform/form.h"
#include "platform/label.h"
#include "settings/always_on_top.h"
#include "settings/dpi.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/program_fixture.h"

namespace {

class PlainForm : public Form {
public:
    explicit PlainForm(Runtime& runtime) : Form(runtime, "PlainForm") {}
    Label Marker{*this, "Marker"};  // leads the test to the real window

protected:
    void InitializeComponent() override {
        setWidth(1500);
        setHeight(900);
    }
};

class ScreenTest : public ProgramTest {
protected:
    void SetUp() override {
        Start();
        Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey);
    }
};

TEST_F(ScreenTest, GetDpiReportsTheDesktopsLogicalDpi) {
    for (int dpi : {96, 120, 144}) {
        desktop.dpi = dpi;
        EXPECT_EQ(DPI::GetDPI(runtime()), dpi);
    }
}

TEST_F(ScreenTest, OnlyTheStoredTextTrueMakesAWindowTopmostAndItKeepsItsPlaceAndSize) {
    PlainForm form(runtime());
    form.Show();
    form.Move(1200, 600);
    const QWidget* window = form.Marker.Widget()->window();
    const QRect placed = window->geometry();
    const auto expectUnmoved = [&] {
        EXPECT_FLOAT_EQ(form.Left(), 1200);
        EXPECT_FLOAT_EQ(form.Top(), 600);
        EXPECT_FLOAT_EQ(form.Width(), 1500);
        EXPECT_FLOAT_EQ(form.Height(), 900);
        EXPECT_EQ(window->geometry(), placed);
    };
    AlwaysOnTop::SetAlwaysOnTop(form);  // a missing setting is stored as "True"
    EXPECT_TRUE(form.Topmost());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(GetString::GetStringValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey,
                                        "Always On Top"),
              "True");
    expectUnmoved();
    for (const char* text : {"False", "true", "1", "", "True"}) {
        SCOPED_TRACE(text);
        const bool topmost = std::string(text) == "True";
        Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, "Always On Top",
                               text);
        AlwaysOnTop::SetAlwaysOnTop(form);
        EXPECT_EQ(form.Topmost(), topmost);
        EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), topmost);
        expectUnmoved();
    }
    form.Unload();
}

}  // namespace
