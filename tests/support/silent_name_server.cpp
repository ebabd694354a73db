#include "support/silent_name_server.h"

#include <QFile>

QStringList BehindSilentNameServer(const QStringList& command) {
    return QStringList{VESK_SILENT_NAME_SERVER} + command;
}

bool NameServerCouldNotBeHidden(const QProcess& process) {
    constexpr int kCannotIsolate = 77;  // the tool's exit status for it
    return process.state() == QProcess::NotRunning && process.exitCode() == kCannotIsolate;
}

bool NameServerAsked(qint64 pid) {
    // The process's own network namespace: the server's socket, 127.0.0.1:53 in hex, and
    // its receive queue, which nothing reads.
    QFile sockets(QString("/proc/%1/net/udp").arg(pid));
    if (!sockets.open(QIODevice::ReadOnly)) return false;
    for (QByteArray line = sockets.readLine(); !line.isEmpty(); line = sockets.readLine()) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 4 && fields[1] == "0100007F:0035")
            return fields[4].split(':').value(1).toULongLong(nullptr, 16) > 0;
    }
    return false;
}
