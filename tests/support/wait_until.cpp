#include "support/wait_until.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

bool WaitUntil(const std::function<bool()>& done, int deadlineMs) {
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= deadlineMs) loop.quit();
    });
    poll.start(1);
    if (!done()) loop.exec();
    return done();
}
