// A program that ends takes every window of its own with it, so that nothing of it runs
// in a later program's events.
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "charts/charts.h"
#include "support/ticker_fixture.h"
#include "support/wait_until.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

class ProgramReleaseTest : public TickerTest {};

TEST_F(ProgramReleaseTest, AnEndedProgramLeavesNoWindowThatStillRuns) {
    Ticker& ticker = ShowTicker();
    const int period = ticker.Timer2.Interval();
    program().charts().Show();
    ticker.Unload();  // unloads the chart window too; both windows wait for deletion
    ticker.Show();
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) windows.emplace_back(window);

    Start();  // the first program ends; the second one loads windows of its own
    program().ticker().Show();
    program().charts().Show();
    for (const QPointer<QWidget>& window : windows) EXPECT_TRUE(window.isNull());

    // A refresh timer of the first program's windows would call into its freed forms now.
    QObject context;
    int ticks = 0;
    QTimer clock(&context);
    QObject::connect(&clock, &QTimer::timeout, &context, [&] { ++ticks; });
    clock.start(period);
    EXPECT_TRUE(WaitUntil([&] { return ticks >= 2; }, 30000));
}

}  // namespace
