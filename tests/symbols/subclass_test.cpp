// The table of hooked windows and the Subclass control's rules.

#include "platform/form.h"
#include "support/program_fixture.h"
#include "symbols/subclass.h"
#include "symbols/win_proc.h"

namespace {

constexpr uint32_t kListed = 0x400, kUnlisted = 0x401;

class HookedForm : public Form {
public:
    explicit HookedForm(Program& program)
        : Form(program.runtime, "HookedForm"), A(*this, "A", program.winProc), B(*this, "B", program.winProc) {}
    Subclass A, B;

protected:
    void InitializeComponent() override {
        setWidth(1500);
        setHeight(1500);
    }
};

class SubclassTest : public ProgramTest {
protected:
    void SetUp() override {
        Start();
        form = std::make_unique<HookedForm>(program());
        form->Load();
        window = form->hWnd();
        // The window's own procedure counts the messages that reach it.
        own = runtime().user32().AddProcedure([this](HWND, uint32_t message, WPARAM, LPARAM) -> LRESULT {
            reachedOwn.push_back(message);
            return 5;
        });
        runtime().user32().SetWindowLongA(window, GWL_WNDPROC, own);
        for (Subclass* control : {&form->A, &form->B}) {
            control->OnWndProc = [this, control](uint32_t& message, WPARAM&, LPARAM&, LRESULT& result) {
                raised.emplace_back(control->Name(), message);
                result = 9;
            };
        }
    }
    void TearDown() override { form->Release(); }
    WinProc& table() { return program().winProc; }
    LRESULT Send(uint32_t message) { return runtime().user32().SendMessageA(window, message, 0, 0); }

    std::unique_ptr<HookedForm> form;
    HWND window = 0;
    WNDPROC own = 0;
    std::vector<uint32_t> reachedOwn;
    std::vector<std::pair<std::string, uint32_t>> raised;
};

TEST_F(SubclassTest, ListedMessagesRaiseTheEventOthersGoToTheEarlierProcedure) {
    form->A.setMessages(kListed, true);
    form->A.setHWnd(window);
    EXPECT_EQ(Send(kListed), 9);
    EXPECT_EQ(Send(kUnlisted), 5);
    EXPECT_EQ(raised, (std::vector<std::pair<std::string, uint32_t>>{{"A", kListed}}));
    EXPECT_EQ(reachedOwn, std::vector<uint32_t>{kUnlisted});
    // The handler reaches the earlier procedure only when it asks.
    uint32_t message = kListed;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    EXPECT_EQ(form->A.CallWndProc(message, wParam, lParam), 5);
    form->A.setHWnd(0);
    EXPECT_EQ(form->A.CallWndProc(message, wParam, lParam), 0);
}

TEST_F(SubclassTest, HookingAWindowAnotherControlHooksTakesItOver) {
    form->A.setHWnd(window);
    form->B.setHWnd(window);
    ASSERT_EQ(table().SubclassedCount(), 1);
    EXPECT_EQ(table().SubclassedWindows()[0].Owner, &form->B);
    // The earlier procedure was put back first, so no hook ever calls itself.
    EXPECT_EQ(table().SubclassedWindows()[0].OldProc, own);
    EXPECT_EQ(form->A.hWnd(), window);
    form->A.setMessages(kListed, true);
    form->B.setMessages(kListed, true);
    Send(kListed);
    EXPECT_EQ(raised, (std::vector<std::pair<std::string, uint32_t>>{{"B", kListed}}));
    form->B.setHWnd(0);
    EXPECT_EQ(table().SubclassedCount(), 0);
    EXPECT_EQ(runtime().user32().GetWindowLongA(window, GWL_WNDPROC), own);
}

TEST_F(SubclassTest, SettingTheSameHandleAgainChangesNothing) {
    form->A.setHWnd(window);
    WNDPROC hooked = runtime().user32().GetWindowLongA(window, GWL_WNDPROC);
    form->A.setHWnd(window);
    ASSERT_EQ(table().SubclassedCount(), 1);
    EXPECT_EQ(table().SubclassedWindows()[0].OldProc, own);
    EXPECT_EQ(runtime().user32().GetWindowLongA(window, GWL_WNDPROC), hooked);
    EXPECT_EQ(Send(kUnlisted), 5);
    EXPECT_EQ(reachedOwn.size(), 1u);
}

TEST_F(SubclassTest, MessagesListEachNumberOnce) {
    Subclass& a = form->A;
    a.setMessages(kListed, true);
    a.setMessages(kListed, true);
    a.setMessages(kUnlisted, false);
    EXPECT_TRUE(a.Messages(kListed));
    EXPECT_FALSE(a.Messages(kUnlisted));
    a.setMessages(kListed, false);
    EXPECT_FALSE(a.Messages(kListed));
    a.setHWnd(window);
    EXPECT_EQ(Send(kListed), 5);  // no longer listed
}

TEST_F(SubclassTest, TheWindowsLastMessageUnhooksIt) {
    form->A.setMessages(int32_t(WM_NCDESTROY), true);
    form->A.setHWnd(window);
    form->Unload();
    EXPECT_EQ(raised, (std::vector<std::pair<std::string, uint32_t>>{{"A", WM_NCDESTROY}}));
    EXPECT_EQ(form->A.hWnd(), 0);
    EXPECT_EQ(table().SubclassedCount(), 0);
}

}  // namespace
