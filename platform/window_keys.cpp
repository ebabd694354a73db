#include "platform/window_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include "platform/control.h"
#include "platform/qt/widget_events.h"

namespace {

class KeyUpFilter : public QObject {
public:
    KeyUpFilter(QWidget* window, KeyHandler& handler) : QObject(window), handler_(handler) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && handler_) {
                int code = widget_events::KeyCodeOf(*key);
                handler_(code, widget_events::ShiftOf(key->modifiers()));
            }
        }
        return false;
    }

private:
    KeyHandler& handler_;
};

}  // namespace

void WatchWindowKeyUp(Control& control, KeyHandler& handler) {
    QWidget* widget = control.Widget();
    if (!widget) return;
    QWidget* window = widget->window();
    window->installEventFilter(new KeyUpFilter(window, handler));
}
