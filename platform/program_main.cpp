#include "platform/program_main.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "platform/qt_desktop.h"
#include "platform/runtime.h"

namespace {

RuntimeFolders FoldersFromEnvironment() {
    RuntimeFolders folders;
    QByteArray home = qgetenv("VESK_TICKER_HOME");
    folders.program = home.isEmpty() ? QCoreApplication::applicationDirPath().toStdString()
                                     : QDir(QString::fromLocal8Bit(home)).absolutePath().toStdString();
    QByteArray config = qgetenv("XDG_CONFIG_HOME");
    QString base = config.isEmpty() ? QDir::homePath() + "/.config" : QString::fromLocal8Bit(config);
    folders.settings = (base + "/vesk-ticker").toStdString();
    return folders;
}

}  // namespace

int RunProgram(int argc, char** argv, const std::function<int(Runtime&)>& run) {
    // With Qt's scaling on, a 120 dpi screen would report 96 and every picture would be
    // scaled twice.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    application.setApplicationName("Vesk Ticker");
    QtDesktop desktop;
    Runtime runtime(desktop, FoldersFromEnvironment());
    return run(runtime);
}
