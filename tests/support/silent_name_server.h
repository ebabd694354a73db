#pragma once
// Programs run behind a name server that never answers (tools/silent-name-server), so that
// the lookup of any name outside /etc/hosts hangs.

#include <QProcess>
#include <QStringList>

// The command that runs command behind the silent name server.
QStringList BehindSilentNameServer(const QStringList& command);
// True when a process started behind it has ended because it could not be put there (no
// namespaces here, or no root).
bool NameServerCouldNotBeHidden(const QProcess& process);
// True once a process behind it has sent the name server a query.
bool NameServerAsked(qint64 pid);
