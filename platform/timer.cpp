#include "platform/timer.h"

#include <QTimer>
#include <QWidget>

namespace {

// A timer has no face; an invisible widget carries its QTimer so that it lives and dies
// with the window's other controls.
class TimerHost : public QWidget {
public:
    TimerHost(Timer& timer, QWidget* parent) : QWidget(parent) {
        hide();
        QObject::connect(&clock, &QTimer::timeout, [&timer] {
            if (timer.OnTimer) timer.OnTimer();
        });
    }
    QTimer clock;
    bool running = false;
    int interval = 0;
};

}  // namespace

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Apply();
}

QWidget* Timer::CreateWidget(QWidget* parent) { return new TimerHost(*this, parent); }

// An unloaded window's widgets are deleted later, and the timer object may be gone by
// then: its clock stops with the unload.
void Timer::Unrealize() {
    if (auto* host = static_cast<TimerHost*>(Widget())) host->clock.stop();
    Control::Unrealize();
}

void Timer::Apply() {
    auto* host = static_cast<TimerHost*>(Widget());
    if (!host) return;
    bool run = Enabled() && interval_ > 0;
    if (run == host->running && interval_ == host->interval) return;
    host->running = run;
    host->interval = interval_;
    if (run) {
        host->clock.start(interval_);
    } else {
        host->clock.stop();
    }
}
