#include "platform/runtime.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>

#include "platform/form.h"
#include "platform/user32.h"
#include "platform/qt/widget_events.h"

Runtime::Runtime(Desktop& desktop, RuntimeFolders folders)
    : desktop_(desktop),
      registry_(folders.settings),
      files_(folders.program),
      user32_(std::make_unique<User32>(*this)),
      events_(std::make_unique<QObject>()) {
    app_.Path = std::move(folders.program);
    // A problem of the load is told as the message loop starts, before the program: there a
    // quit signal can end its box.
    if (const auto& problem = registry_.LoadProblem()) untoldProblems_.push_back(*problem);
    // Told once the handler that wrote has returned: a box in the middle of a drag or an
    // unload would run the event loop there.
    registry_.ReportProblemsTo([this](const std::string& problem) {
        untoldProblems_.push_back(problem);
        QTimer::singleShot(0, events_.get(), [this] { TellSettingsProblems(); });
    });
    // Syncing each write to the disk would cost a drag its smoothness; one sync shortly
    // after a burst keeps the settings as safe, and retries what another copy held back.
    registry_.WhenFlushDue([this] {
        if (flushArmed_) return;
        flushArmed_ = true;
        QTimer::singleShot(kSettingsFlushDelayMs, events_.get(), [this] {
            flushArmed_ = false;
            registry_.Flush();
        });
    });
}

void Runtime::TellSettingsProblems() {
    while (!untoldProblems_.empty()) {
        const std::string problem = std::move(untoldProblems_.front());
        untoldProblems_.pop_front();
        MsgBox(problem, MsgBox::vbExclamation);
    }
}

Runtime::~Runtime() {
    // The store settles as the members go; nothing of this runtime may be called back by then.
    registry_.WhenFlushDue(nullptr);
    registry_.ReportProblemsTo(nullptr);
}

float Runtime::TwipsPerPixelX() { return 1440.0f / float(std::max(1, desktop_.LogicalDpi())); }
float Runtime::TwipsPerPixelY() { return TwipsPerPixelX(); }

bool Runtime::IsLoaded(const Form& form) const {
    return std::find(loaded_.begin(), loaded_.end(), &form) != loaded_.end();
}

void Runtime::FormLoaded(Form& form) { loaded_.push_back(&form); }

void Runtime::FormUnloaded(Form& form) {
    std::erase(loaded_, &form);
    // The program ends with its last window, as a program without a main window does.
    if (loaded_.empty())
        QTimer::singleShot(0, events_.get(), [this] {
            if (loaded_.empty()) Quit();
        });
}

void Runtime::setScreenMousePointer(int pointer) {
    if (screenMousePointer_ != 0) QGuiApplication::restoreOverrideCursor();
    screenMousePointer_ = pointer;
    if (pointer != 0) QGuiApplication::setOverrideCursor(widget_events::CursorOf(pointer));
}

void Runtime::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

int Runtime::MsgBox(const std::string& text, int style, const std::string& title) {
    return desktop_.ShowMessageBox(text, style, title.empty() ? app_.Title : title);
}

void Runtime::RaiseUnhandled(const std::string& description) {
    MsgBox(description, MsgBox::vbCritical);
    End();
}

void Runtime::End() {
    ended_ = true;
    registry_.Settle();
    TellSettingsProblems();  // the program ends before the event loop would tell them
    desktop_.EndProgram();
}

int Runtime::RunMessageLoop(const std::function<void()>& start) {
    if (ended_ || quitRequested_) return 0;
    // Started from inside the loop, so that a quit during the start (a signal while the first
    // quote is fetched) ends the fetch and the loop as it does later on.
    QTimer::singleShot(0, events_.get(), [this, start] {
        TellSettingsProblems();
        if (!quitRequested_) start();
    });
    looping_ = true;
    const int code = QCoreApplication::exec();
    looping_ = false;
    return code;
}

void Runtime::Quit() {
    if (quitRequested_) return;  // a second signal during the unloads below
    quitRequested_ = true;
    // Before the loop quits: an open box would otherwise wait for its answer, and one
    // without a close answer would refuse to close.
    desktop_.EndMessageBoxes();
    // Qt's own quit would close the shown windows in an order of its own. In load order, a
    // window unloads while those it opened are still there to be saved (the ticker's chart
    // window). One not shown, as one still in its load, is left to the program's release.
    for (Form* form : std::vector<Form*>(loaded_))
        if (IsLoaded(*form) && form->Visible()) form->Unload();
    // Leaves every loop, nested ones too (a fetch, a box), without closing any window. Only
    // from inside the message loop: outside it, every later nested loop would end at once.
    if (looping_) QCoreApplication::exit(0);
}
