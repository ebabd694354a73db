#pragma once
// Anything with a window handle: top-level windows and the windowed controls. User32
// reaches it through these calls; its messages run through its procedure chain.

#include <cstdint>

#include "platform/user32.h"

class Window {
public:
    // The window's own procedure: the start of every chain.
    static constexpr WNDPROC kOwnProcedure = 1;

    explicit Window(User32& user32) : user32_(user32) {}
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // 0 while the window does not exist on screen.
    HWND hWnd() const { return handle_; }

    intptr_t Style() const { return style_; }
    void setStyle(intptr_t style);
    WNDPROC Procedure() const { return procedure_; }
    void setProcedure(WNDPROC procedure) { procedure_ = procedure; }

    // Sends a message through the current procedure chain.
    LRESULT Dispatch(uint32_t message, WPARAM wParam, LPARAM lParam);

    virtual RECT ScreenRectPixels() const = 0;
    virtual POINT ClientOriginPixels() const = 0;
    virtual void SetTopmost(bool) {}
    virtual void SetPixelGeometry(int, int, int, int) {}
    // What the window answers when no procedure of the program handles a message.
    virtual LRESULT DefaultProcedure(uint32_t, WPARAM, LPARAM) { return 0; }

protected:
    // The frame follows the style bits: no border and no dialog frame means borderless.
    virtual void StyleChanged() {}
    void CreateHandle();
    // Sends WM_NCDESTROY through the chain, then forgets the handle.
    void DestroyHandle();
    User32& user32() { return user32_; }

private:
    User32& user32_;
    HWND handle_ = 0;
    intptr_t style_ = 0;
    WNDPROC procedure_ = kOwnProcedure;
};
