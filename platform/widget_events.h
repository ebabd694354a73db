#pragma once
// Qt side: turns a widget's mouse and key events into the classic events of the control
// or window behind it, with positions in twips.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/events.h"

namespace widget_events {

int ButtonOf(Qt::MouseButton button);
int ButtonsHeld(Qt::MouseButtons buttons);
int ShiftOf(Qt::KeyboardModifiers modifiers);
int KeyCodeOf(const QKeyEvent& event);
Qt::CursorShape CursorOf(int mousePointer);

// The classic sequence: a double-click arrives as press, release, double-click, release;
// Click follows a left release, but not the release that ends a double-click.
struct MouseSink {
    MouseHandler* down = nullptr;
    MouseHandler* move = nullptr;
    MouseHandler* up = nullptr;
    std::function<void()>* click = nullptr;
    std::function<void()>* doubleClick = nullptr;
    KeyHandler* keyDown = nullptr;
    KeyHandler* keyUp = nullptr;
    float twipsX = 15, twipsY = 15;
};

template <class Base>
class EventWidget : public Base {
public:
    template <class... Args>
    explicit EventWidget(MouseSink sink, Args&&... args)
        : Base(std::forward<Args>(args)...), sink_(sink) {
        this->setMouseTracking(true);
    }
    void setSink(MouseSink sink) { sink_ = sink; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        afterDoubleClick_ = false;
        Raise(sink_.down, ButtonOf(event->button()), event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        Raise(sink_.move, ButtonsHeld(event->buttons()), event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        int button = ButtonOf(event->button());
        bool click = button == 1 && !afterDoubleClick_ && this->rect().contains(event->position().toPoint());
        afterDoubleClick_ = false;
        Raise(sink_.up, button, event);
        if (click && sink_.click && *sink_.click) (*sink_.click)();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return mousePressEvent(event);
        afterDoubleClick_ = true;
        if (sink_.doubleClick && *sink_.doubleClick) (*sink_.doubleClick)();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!RaiseKey(sink_.keyDown, event)) Base::keyPressEvent(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        if (!RaiseKey(sink_.keyUp, event)) Base::keyReleaseEvent(event);
    }

private:
    void Raise(MouseHandler* handler, int button, QMouseEvent* event) {
        if (!handler || !*handler) return;
        QPointF at = event->position();
        (*handler)(button, ShiftOf(event->modifiers()), float(at.x() * sink_.twipsX),
                   float(at.y() * sink_.twipsY));
    }
    bool RaiseKey(KeyHandler* handler, QKeyEvent* event) {
        if (!handler || !*handler || event->isAutoRepeat()) return false;
        int code = KeyCodeOf(*event);
        (*handler)(code, ShiftOf(event->modifiers()));
        return false;  // the widget still does its own handling of the key
    }
    MouseSink sink_;
    bool afterDoubleClick_ = false;
};

}  // namespace widget_events

class Control;
namespace widget_events {
// The sink that raises a control's own events.
MouseSink SinkFor(Control& control);
}  // namespace widget_events
