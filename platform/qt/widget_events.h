#pragma once
// Qt side: turns a widget's mouse and key events into the classic events of the control
// or window behind it, with positions in twips.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "platform/events.h"

class Control;

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
    const Control* owner = nullptr;  // the control whose widget this is; none for a window
};

// False once a handler has unloaded the window that holds the widget: the widget then
// only waits for its deletion, and the rest of the event must not reach it.
bool StillOwned(const MouseSink& sink, const QWidget& widget);

// Whether the Qt widget underneath has mouse behaviour of its own (a button presses, a
// text box places its caret) that must see the mouse events too.
enum class BaseMouse { None, Own };

template <class Base, BaseMouse baseMouse = BaseMouse::None>
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
        // Qt turns a double-click on a widget without its own double-click into a press.
        if (forwarding_) return Base::mousePressEvent(event);
        afterDoubleClick_ = false;
        QPointer<QWidget> alive(this);
        if (!PassToBase(this, alive, event, [&] { Base::mousePressEvent(event); })) return;
        Raise(sink_.down, ButtonOf(event->button()), event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        QPointer<QWidget> alive(this);
        Raise(sink_.move, ButtonsHeld(event->buttons()), event);
        PassToBase(this, alive, event, [&] { Base::mouseMoveEvent(event); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        int button = ButtonOf(event->button());
        bool click = button == 1 && !afterDoubleClick_ && this->rect().contains(event->position().toPoint());
        afterDoubleClick_ = false;
        QPointer<QWidget> alive(this);
        Raise(sink_.up, button, event);
        // A push button raises its Click from here, after MouseUp as the classic order has it.
        if (!PassToBase(this, alive, event, [&] { Base::mouseReleaseEvent(event); })) return;
        if (click && sink_.click && *sink_.click) (*sink_.click)();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return mousePressEvent(event);
        afterDoubleClick_ = true;
        QPointer<QWidget> alive(this);
        forwarding_ = true;
        bool live = PassToBase(this, alive, event, [&] { Base::mouseDoubleClickEvent(event); });
        if (alive) forwarding_ = false;
        if (live && sink_.doubleClick && *sink_.doubleClick) (*sink_.doubleClick)();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!RaiseKey(sink_.keyDown, event)) Base::keyPressEvent(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        if (!RaiseKey(sink_.keyUp, event)) Base::keyReleaseEvent(event);
    }

private:
    // Hands the event on to the Qt widget when it has mouse behaviour of its own. False when
    // a handler has deleted the widget or unloaded its window, before or during; the widget
    // is then not touched again, not even by a member call. The event stays accepted, so
    // that it never travels on to the window underneath.
    template <class Handler>
    static bool PassToBase(EventWidget* self, const QPointer<QWidget>& alive, QMouseEvent* event,
                           Handler baseHandler) {
        if (!Live(self, alive)) return false;
        if constexpr (baseMouse == BaseMouse::Own) {
            baseHandler();
            if (!Live(self, alive)) return false;
            event->accept();
        }
        return true;
    }
    static bool Live(EventWidget* self, const QPointer<QWidget>& alive) {
        return alive && StillOwned(self->sink_, *self);
    }
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
    bool forwarding_ = false;  // a double-click is with the Qt widget
};

// The sink that raises a control's own events.
MouseSink SinkFor(Control& control);
// The same for a button whose Qt widget raises Click itself, also from the keyboard.
MouseSink SinkWithoutClick(Control& control);
}  // namespace widget_events
