#include "platform/program_main.h"

#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/qt/font_map.h"
#include "platform/qt/qt_desktop.h"
#include "platform/runtime.h"

namespace {

RuntimeFolders FoldersFromEnvironment() {
    RuntimeFolders folders;
    QByteArray home = qgetenv("VESK_TICKER_HOME");
    folders.program = home.isEmpty() ? QCoreApplication::applicationDirPath().toStdString()
                                     : QDir(QString::fromLocal8Bit(home)).absolutePath().toStdString();
    folders.settings = SettingsFolder();
    return folders;
}

int signalPipe[2] = {-1, -1};

void ForwardSignal(int) {
    const int savedErrno = errno;  // the interrupted code may be about to read it
    Registry::AbandonLockWaits();  // a wait for a stopped copy's lock must not hold the quit
    char byte = 1;
    // Never blocks: once a byte waits unread, the quit is on its way whatever else arrives.
    [[maybe_unused]] ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// A terminating signal (logout, kill) quits the message loop instead of killing the
// process, so that the normal way out stores every pending setting.
void QuitOnTerminatingSignals(QApplication& application, Runtime& runtime) {
    // Neither end goes to the browser that OpenUrl starts.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [&runtime] {
        char byte;
        [[maybe_unused]] ssize_t read = ::read(signalPipe[0], &byte, 1);
        runtime.Quit();
    });
    struct sigaction action = {};
    action.sa_handler = ForwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace

int RunProgram(int argc, char** argv, const std::function<int(Runtime&)>& run) {
    // With Qt's scaling on, a 120 dpi screen would report 96 and every picture would be
    // scaled twice.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    application.setApplicationName("Vesk Ticker");
    // Buttons, boxes and frames take the designs' default face, on a style that draws a
    // frame's caption on its border as the designs expect.
    application.setStyle("Fusion");
    application.setFont(ToQFont(Font{}));
    QtDesktop desktop;
    Runtime runtime(desktop, FoldersFromEnvironment());
    QuitOnTerminatingSignals(application, runtime);
    return run(runtime);
}
