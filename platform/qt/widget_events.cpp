#include "platform/qt/widget_events.h"

#include "platform/control.h"
#include "platform/form.h"
#include "platform/runtime.h"

namespace widget_events {

int ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

int ButtonsHeld(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

int KeyCodeOf(const QKeyEvent& event) {
    int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return KeyCodes::vbKeyReturn;
        case Qt::Key_Escape: return KeyCodes::vbKeyEscape;
        case Qt::Key_Delete: return KeyCodes::vbKeyDelete;
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: return 9;
        case Qt::Key_Space: return 32;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Insert: return 45;
        default: return key & 0xFFFF;
    }
}

Qt::CursorShape CursorOf(int mousePointer) {
    switch (mousePointer) {
        case MousePointers::vbCrosshair: return Qt::CrossCursor;
        case MousePointers::vbIBeam: return Qt::IBeamCursor;
        case MousePointers::vbSizeAll: return Qt::SizeAllCursor;
        case MousePointers::vbHourglass: return Qt::WaitCursor;
        case MousePointers::vbNoDrop: return Qt::ForbiddenCursor;
        default: return Qt::ArrowCursor;
    }
}

}  // namespace widget_events

namespace widget_events {

bool StillOwned(const MouseSink& sink, const QWidget& widget) {
    return !sink.owner || sink.owner->Widget() == &widget;
}

MouseSink SinkFor(Control& control) {
    MouseSink sink;
    sink.down = &control.OnMouseDown;
    sink.move = &control.OnMouseMove;
    sink.up = &control.OnMouseUp;
    sink.click = &control.OnClick;
    sink.doubleClick = &control.OnDblClick;
    sink.keyDown = &control.OnKeyDown;
    sink.keyUp = &control.OnKeyUp;
    sink.owner = &control;
    // Twips per pixel are fixed for the run, so the sink may keep them.
    sink.twipsX = control.Parent().runtime().TwipsPerPixelX();
    sink.twipsY = control.Parent().runtime().TwipsPerPixelY();
    return sink;
}

MouseSink SinkWithoutClick(Control& control) {
    MouseSink sink = SinkFor(control);
    sink.click = nullptr;
    return sink;
}

}  // namespace widget_events
