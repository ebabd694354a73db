// The real message boxes never hold up a quit. A box at start-up (a bad vesk-ticker.conf)
// runs the first event loop, before the message loop: the quit must end it there too.
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

TEST(MessageBoxQuitTest, AQuitEndsAStartUpBoxAndAnswersLaterOnesAtOnce) {
    QtDesktop desktop;
    QTemporaryDir program, settings;
    Runtime runtime(desktop, {program.path().toStdString(), settings.path().toStdString()});
    // A box that waited for its answer would wait for ever: the watchdog answers it, and
    // the test fails.
    QObject context;
    bool watchdogFired = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &context, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                watchdogFired = true;
                box->button(QMessageBox::No)->click();
            }
    });
    watchdog.start(3000);
    QTimer::singleShot(0, &context, [&] { runtime.Quit(); });
    std::vector<int> answers;
    answers.push_back(runtime.MsgBox("Leave now?", MsgBox::vbYesNo));
    answers.push_back(runtime.MsgBox("Save changes?", MsgBox::vbYesNoCancel));
    EXPECT_FALSE(watchdogFired) << "the box waited for its answer";
    EXPECT_EQ(answers, (std::vector<int>{MsgBox::vbNo, MsgBox::vbCancel}));
    bool started = false;
    EXPECT_EQ(runtime.RunMessageLoop([&] { started = true; }), 0);
    EXPECT_FALSE(started);
}

}  // namespace
