// The real message boxes never hold up a quit: the one open ends with its close answer,
// later ones answer at once, and the message loop ends.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/qt_desktop.h"
#include "platform/runtime.h"

namespace {

TEST(MessageBoxQuitTest, AQuitEndsTheOpenBoxAndAnswersLaterOnesAtOnce) {
    QtDesktop desktop;
    QTemporaryDir program, settings;
    Runtime runtime(desktop, {program.path().toStdString(), settings.path().toStdString()});
    std::vector<int> answers;
    // A box with no close answer of its own would ignore the quit's close for ever: the
    // watchdog answers it, and the test fails.
    QObject context;
    bool watchdogFired = false;
    QTimer::singleShot(5000, &context, [&] {
        watchdogFired = true;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
                box->button(QMessageBox::No)->click();
    });
    const int result = runtime.RunMessageLoop([&] {
        QTimer::singleShot(0, &context, [&] { runtime.Quit(); });
        answers.push_back(runtime.MsgBox("Leave now?", MsgBox::vbYesNo));
        answers.push_back(runtime.MsgBox("Save changes?", MsgBox::vbYesNoCancel));
    });
    EXPECT_FALSE(watchdogFired) << "the box waited for its answer";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(answers, (std::vector<int>{MsgBox::vbNo, MsgBox::vbCancel}));
}

}  // namespace
