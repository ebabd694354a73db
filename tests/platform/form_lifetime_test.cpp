// An unloaded or released window must never call back into its form: its timers stop at
// once, and no window of a form outlives it.
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "platform/form.h"
#include "platform/timer.h"
#include "support/program_fixture.h"
#include "support/wait_until.h"

namespace {

class TimerForm : public Form {
public:
    explicit TimerForm(Runtime& runtime) : Form(runtime, "TimerForm") {
        Timer1.OnTimer = [this] { ++ticks; };
    }
    Timer Timer1{*this, "Timer1"};
    int ticks = 0;

protected:
    void InitializeComponent() override {
        setWidth(1500);
        setHeight(1500);
        Timer1.setInterval(1);
    }
};

class FormLifetimeTest : public ProgramTest {
protected:
    // Turns the events as a nested loop does (no deferred deletes) until a timer of the
    // same interval has ticked often enough to show any tick of the form's timer.
    void RunEventsForAWhile() {
        QObject context;
        int reference = 0;
        QTimer clock(&context);
        QObject::connect(&clock, &QTimer::timeout, &context, [&] { ++reference; });
        clock.start(1);
        ASSERT_TRUE(DoEventsUntil([&] { return reference >= 20; }, kDeadlineMs))
            << "the event loop never turned";
    }
    // Turns the events until a timer of the given interval has ticked.
    void WaitOut(int intervalMs) {
        bool ticked = false;
        QTimer::singleShot(intervalMs, [&] { ticked = true; });
        ASSERT_TRUE(DoEventsUntil([&] { return ticked; }, kDeadlineMs));
    }
    void WaitForATick(TimerForm& form) {
        ASSERT_TRUE(DoEventsUntil([&] { return form.ticks > 0; }, kDeadlineMs))
            << "the timer never ticked";
    }
    static constexpr int kDeadlineMs = 30000;
};

TEST_F(FormLifetimeTest, AnUnloadedFormsTimerStopsAtOnce) {
    Start();
    TimerForm form(runtime());
    form.Show();
    WaitForATick(form);
    QPointer<QWidget> timer = form.Timer1.Widget();
    ASSERT_TRUE(form.Unload());
    form.ticks = 0;
    RunEventsForAWhile();
    EXPECT_EQ(form.ticks, 0);
    EXPECT_FALSE(timer.isNull());  // still waiting for deletion, so it could have ticked

    form.Show();  // a new load runs the timer again
    WaitForATick(form);
}

TEST_F(FormLifetimeTest, NoWindowOutlivesItsForm) {
    for (bool unloadFirst : {false, true}) {
        SCOPED_TRACE(unloadFirst ? "unloaded, then gone" : "gone while loaded");
        Start();
        auto form = std::make_unique<TimerForm>(runtime());
        form->Show();
        QPointer<QWidget> window = form->Timer1.Widget()->window();
        if (unloadFirst) form->Unload();
        form.reset();
        EXPECT_TRUE(window.isNull());
        RunEventsForAWhile();
    }
}

TEST_F(FormLifetimeTest, AnEndedRuntimeIsNotCalledBackByTheStoreItOwned) {
    auto ended = std::make_unique<Runtime>(
        desktop, RuntimeFolders{programFolder.path().toStdString(), settingsFolder.path().toStdString()});
    HKEY key = 0;
    ASSERT_EQ(ended->registry().RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vesk Ticker", 0,
                                                KEY_ALL_ACCESS_LEGACY, key),
              ERROR_SUCCESS);
    const uint8_t text[] = "1";
    ended->registry().RegSetValueExA(key, "Left", REG_SZ, text, sizeof text);
    // Past the flush the write asked for (a quarter second after it), so that the store's
    // last write, as the runtime goes, asks for another.
    WaitOut(500);
    ended.reset();
    WaitOut(500);
}

}  // namespace
