#include "platform/user32.h"

#include <cstring>

#include "platform/runtime.h"
#include "platform/window.h"

namespace {
constexpr HDC kScreenDC = 0x30001;
}

bool User32::SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                          uint32_t flags) {
    Window* target = Find(window);
    if (!target) return false;
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST) target->SetTopmost(true);
        if (insertAfter == HWND_NOTOPMOST) target->SetTopmost(false);
    }
    if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE)) {
        RECT now = target->ScreenRectPixels();
        if (flags & SWP_NOMOVE) {
            x = now.left;
            y = now.top;
        }
        if (flags & SWP_NOSIZE) {
            cx = now.right - now.left;
            cy = now.bottom - now.top;
        }
        target->SetPixelGeometry(x, y, cx, cy);
    }
    return true;
}

intptr_t User32::GetWindowLongA(HWND window, int index) {
    Window* target = Find(window);
    if (!target) return 0;
    if (index == GWL_STYLE) return target->Style();
    if (index == GWL_WNDPROC) return target->Procedure();
    return 0;
}

intptr_t User32::SetWindowLongA(HWND window, int index, intptr_t value) {
    Window* target = Find(window);
    if (!target) return 0;
    intptr_t previous = GetWindowLongA(window, index);
    if (index == GWL_STYLE) target->setStyle(value);
    if (index == GWL_WNDPROC) target->setProcedure(value);
    return previous;
}

bool User32::GetWindowRect(HWND window, RECT& rect) {
    Window* target = Find(window);
    if (!target) return false;
    rect = target->ScreenRectPixels();
    return true;
}

bool User32::GetCursorPos(POINT& point) {
    PixelPoint cursor = runtime_.desktop().CursorPos();
    point = POINT{cursor.x, cursor.y};
    return true;
}

bool User32::ScreenToClient(HWND window, POINT& point) {
    Window* target = Find(window);
    if (!target) return false;
    POINT origin = target->ClientOriginPixels();
    point.x -= origin.x;
    point.y -= origin.y;
    return true;
}

bool User32::SystemParametersInfoA(uint32_t action, uint32_t, void* pv, uint32_t) {
    if (action != SPI_GETWORKAREA || !pv) return false;
    PixelRect area = runtime_.desktop().WorkArea();
    *static_cast<RECT*>(pv) = RECT{area.left, area.top, area.right, area.bottom};
    return true;
}

HDC User32::GetDC(HWND window) { return window == kDesktopWindow ? kScreenDC : 0; }

int User32::ReleaseDC(HWND, HDC dc) { return dc == kScreenDC ? 1 : 0; }

int User32::GetDeviceCaps(HDC dc, int index) {
    if (dc != kScreenDC || index != LOGPIXELSX) return 0;
    return runtime_.desktop().LogicalDpi();
}

intptr_t User32::ShellExecuteA(HWND, const std::string& operation, const std::string& file,
                               const std::string&, const std::string&, int) {
    // Values above 32 mean success to the classic callers.
    if (operation != "open") return 2;
    runtime_.desktop().OpenUrl(file);
    return 42;
}

LRESULT User32::SendMessageA(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    Window* target = Find(window);
    return target ? target->Dispatch(message, wParam, lParam) : 0;
}

LRESULT User32::CallWindowProcA(WNDPROC procedure, HWND window, uint32_t message, WPARAM wParam,
                                LPARAM lParam) {
    if (procedure == Window::kOwnProcedure) {
        Window* target = Find(window);
        return target ? target->DefaultProcedure(message, wParam, lParam) : 0;
    }
    auto found = procedures_.find(procedure);
    if (found == procedures_.end()) return 0;
    // A copy: the procedure may replace itself while it runs.
    WindowProcedure run = found->second;
    return run(window, message, wParam, lParam);
}

void User32::RtlMoveMemory(void* destination, const void* source, size_t length) {
    std::memmove(destination, source, length);
}

HWND User32::Register(Window& window) {
    HWND handle = nextHandle_;
    nextHandle_ += 4;
    windows_[handle] = &window;
    return handle;
}

void User32::Unregister(HWND window) { windows_.erase(window); }

Window* User32::Find(HWND window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second;
}

WNDPROC User32::AddProcedure(WindowProcedure procedure) {
    WNDPROC number = nextProcedure_++;
    procedures_[number] = std::move(procedure);
    return number;
}
