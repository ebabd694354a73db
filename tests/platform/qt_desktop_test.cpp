// The desktop the program runs on: real message boxes, answered by a click as the user
// answers them, and the real screen.
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/qt/qt_desktop.h"

namespace {

constexpr int kDeadlineMs = 30000;

struct Shown {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool onTop = false;
};

// Shows a box through the desktop and, once it stands, notes what it shows and answers it:
// a click on the button given, or Escape when there is none.
int ShowAndAnswer(int style, QMessageBox::StandardButton click, Shown& shown) {
    QtDesktop desktop;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;  // set going before the box: its own loop runs the poll
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box && waited.elapsed() > kDeadlineMs) {
            ADD_FAILURE() << "no box came up as the modal window";
            poll.stop();
            desktop.EndMessageBoxes();  // a failure, not a hang
        }
        if (!box) return;
        poll.stop();
        shown = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                 box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
        if (QAbstractButton* button = box->button(click)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    poll.start(1);
    return desktop.ShowMessageBox("Save changes?", style, "Vesk Ticker");
}

TEST(QtDesktopTest, AMessageBoxShowsItsTextTitleButtonsAndIconAndGivesTheAnswerClicked) {
    using B = QMessageBox;
    struct Case {
        int style;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton click;
        int answer;
    };
    const Case cases[] = {
        {MsgBox::vbOKOnly, B::Ok, B::NoIcon, B::Ok, MsgBox::vbOK},
        {MsgBox::vbOKCancel + MsgBox::vbCritical, B::Ok | B::Cancel, B::Critical, B::Cancel,
         MsgBox::vbCancel},
        {MsgBox::vbAbortRetryIgnore + MsgBox::vbQuestion, B::Abort | B::Retry | B::Ignore,
         B::Question, B::Ignore, MsgBox::vbIgnore},
        {MsgBox::vbYesNoCancel + MsgBox::vbExclamation, B::Yes | B::No | B::Cancel, B::Warning,
         B::Yes, MsgBox::vbYes},
        {MsgBox::vbYesNo + MsgBox::vbInformation, B::Yes | B::No, B::Information, B::No,
         MsgBox::vbNo},
        {MsgBox::vbRetryCancel + MsgBox::vbExclamation, B::Retry | B::Cancel, B::Warning,
         B::Retry, MsgBox::vbRetry},
        // Escape gives the box's own way out.
        {MsgBox::vbYesNo, B::Yes | B::No, B::NoIcon, B::NoButton, MsgBox::vbNo},
        {MsgBox::vbOKCancel, B::Ok | B::Cancel, B::NoIcon, B::NoButton, MsgBox::vbCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Shown shown;
        EXPECT_EQ(ShowAndAnswer(c.style, c.click, shown), c.answer);
        EXPECT_EQ(shown.text, "Save changes?");
        EXPECT_EQ(shown.title, "Vesk Ticker");
        EXPECT_EQ(shown.buttons, c.buttons);
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_TRUE(shown.onTop);
    }
}

TEST(QtDesktopTest, TheScreenIsTheOneQtReports) {
    QtDesktop desktop;
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect available = screen->availableGeometry();
    const PixelRect area = desktop.WorkArea();  // right and bottom lie just outside
    EXPECT_EQ(area.left, available.x());
    EXPECT_EQ(area.top, available.y());
    EXPECT_EQ(area.right, available.x() + available.width());
    EXPECT_EQ(area.bottom, available.y() + available.height());
    EXPECT_EQ(desktop.LogicalDpi(), 96);  // the offscreen screen's
    QCursor::setPos(120, 80);
    const PixelPoint cursor = desktop.CursorPos();
    EXPECT_EQ(cursor.x, 120);
    EXPECT_EQ(cursor.y, 80);
}

}  // namespace
