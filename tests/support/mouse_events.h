#pragma once
// Mouse and key input for tests. The offscreen platform has no pointer to move, so input
// goes either straight to a widget, with the buttons held as the test says, or through the
// window system to the widget's window, as the user's mouse and keyboard go.

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <QWidget>

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Press at from, move to to with the button held, release there.
inline void DragMouse(QWidget* widget, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(widget, QEvent::MouseButtonPress, from, button, button);
    SendMouse(widget, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, button);
    SendMouse(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

inline void ClickMouse(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(widget, QEvent::MouseButtonPress, at, button, button);
    SendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// Input as the window system delivers it: to the top-level window, which finds the widget
// under the point, gives the focus and keeps the mouse with the pressed widget.
inline QWindow* WindowOf(QWidget* widget) { return widget->window()->windowHandle(); }
inline QPoint InWindow(QWidget* widget, QPoint at) { return widget->mapTo(widget->window(), at); }

inline void ClickAt(QWidget* widget, QPoint at) {
    QTest::mouseClick(WindowOf(widget), Qt::LeftButton, {}, InWindow(widget, at));
}
inline void Click(QWidget* widget) { ClickAt(widget, widget->rect().center()); }

// Press at from, move to to with the button held (to may lie outside the widget), release.
inline void DragAcross(QWidget* widget, QPoint from, QPoint to) {
    QWindow* window = WindowOf(widget);
    QTest::mousePress(window, Qt::LeftButton, {}, InWindow(widget, from));
    QTest::mouseMove(window, InWindow(widget, (from + to) / 2));
    QTest::mouseMove(window, InWindow(widget, to));
    QTest::mouseRelease(window, Qt::LeftButton, {}, InWindow(widget, to));
}

// A key pressed and released in the window that holds the widget; it goes to the focus.
inline void TypeKey(QWidget* widget, Qt::Key key) { QTest::keyClick(WindowOf(widget), key); }
