#include "platform/form.h"
#include "settings/always_on_top.h"
#include "settings/dpi.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/program_fixture.h"

namespace {

class PlainForm : public Form {
public:
    explicit PlainForm(Runtime& runtime) : Form(runtime, "PlainForm") {}

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

TEST_F(ScreenTest, OnlyTheStoredTextTrueMakesAWindowTopmost) {
    PlainForm form(runtime());
    form.Load();
    AlwaysOnTop::SetAlwaysOnTop(form);  // a missing setting is stored as "True"
    EXPECT_TRUE(form.Topmost());
    EXPECT_EQ(GetString::GetStringValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey,
                                        "Always On Top"),
              "True");
    for (const char* text : {"False", "true", "1", ""}) {
        Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, "Always On Top",
                               text);
        AlwaysOnTop::SetAlwaysOnTop(form);
        EXPECT_FALSE(form.Topmost()) << text;
    }
    float left = form.Left(), width = form.Width();
    EXPECT_FLOAT_EQ(form.Left(), left);
    EXPECT_FLOAT_EQ(form.Width(), width);
    form.Unload();
}

}  // namespace
