#include "support/wait_until.h"

#include <QCoreApplication>
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

bool DoEventsUntil(const std::function<bool()>& done, int deadlineMs) {
    QElapsedTimer clock;
    clock.start();
    QTimer wake;  // a condition that no event of its own announces is seen too
    wake.start(1);
    while (!done() && clock.elapsed() < deadlineMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}
