#include "platform/qt/qt_desktop.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/menu_builder.h"

int QtDesktop::LogicalDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchX())) : 96;
}

PixelRect QtDesktop::WorkArea() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    QRect area = screen->availableGeometry();
    return PixelRect{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
}

PixelPoint QtDesktop::CursorPos() {
    QPoint at = QCursor::pos();
    return PixelPoint{at.x(), at.y()};
}

int QtDesktop::ShowMessageBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (style & 0x70) {
        case MsgBox::vbCritical: box.setIcon(QMessageBox::Critical); break;
        case MsgBox::vbQuestion: box.setIcon(QMessageBox::Question); break;
        case MsgBox::vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgBox::vbInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (style & 0xF) {
        case MsgBox::vbOKCancel:
            choices = {{QMessageBox::Ok, MsgBox::vbOK}, {QMessageBox::Cancel, MsgBox::vbCancel}};
            break;
        case MsgBox::vbAbortRetryIgnore:
            choices = {{QMessageBox::Abort, MsgBox::vbAbort},
                       {QMessageBox::Retry, MsgBox::vbRetry},
                       {QMessageBox::Ignore, MsgBox::vbIgnore}};
            break;
        case MsgBox::vbYesNoCancel:
            choices = {{QMessageBox::Yes, MsgBox::vbYes},
                       {QMessageBox::No, MsgBox::vbNo},
                       {QMessageBox::Cancel, MsgBox::vbCancel}};
            break;
        case MsgBox::vbYesNo:
            choices = {{QMessageBox::Yes, MsgBox::vbYes}, {QMessageBox::No, MsgBox::vbNo}};
            break;
        case MsgBox::vbRetryCancel:
            choices = {{QMessageBox::Retry, MsgBox::vbRetry},
                       {QMessageBox::Cancel, MsgBox::vbCancel}};
            break;
        default: choices = {{QMessageBox::Ok, MsgBox::vbOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& choice : choices) buttons |= choice.button;
    box.setStandardButtons(buttons);
    auto pressed = QMessageBox::NoButton;
    if (!endingBoxes_) {
        openBoxes_.push_back(&box);
        pressed = QMessageBox::StandardButton(box.exec());
        openBoxes_.pop_back();
    }
    for (const Choice& choice : choices)
        if (choice.button == pressed) return choice.answer;
    // Closed by its close box: the box's escape answer.
    return choices.size() > 1 ? choices.back().answer : MsgBox::vbOK;
}

// A box waits for the user, who may be gone (a logout, a kill): none may hold up a quit.
void QtDesktop::EndMessageBoxes() {
    endingBoxes_ = true;
    for (QMessageBox* box : openBoxes_) box->reject();
}

void QtDesktop::OpenUrl(const std::string& url) {
    // Qt hands the URL to the desktop's opener as one argument; no shell sees it.
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::TolerantMode));
}

void QtDesktop::PopupMenu(Menu& menu, PixelPoint at) {
    QMenu popup;
    FillQMenu(popup, menu);
    popup.exec(QPoint(at.x, at.y));
}

void QtDesktop::EndProgram() {
    std::fflush(nullptr);
    std::_Exit(0);
}
