#include "platform/window.h"

Window::~Window() {
    if (handle_) user32_.Unregister(handle_);
}

void Window::setStyle(intptr_t style) {
    style_ = style;
    StyleChanged();
}

LRESULT Window::Dispatch(uint32_t message, WPARAM wParam, LPARAM lParam) {
    return user32_.CallWindowProcA(procedure_, handle_, message, wParam, lParam);
}

void Window::CreateHandle() {
    if (!handle_) handle_ = user32_.Register(*this);
}

void Window::DestroyHandle() {
    if (!handle_) return;
    Dispatch(WM_NCDESTROY, 0, 0);
    user32_.Unregister(handle_);
    handle_ = 0;
    procedure_ = kOwnProcedure;
}
