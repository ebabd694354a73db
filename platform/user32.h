#pragma once
// The window-manager calls the system makes, with their classic semantics, over our own
// window handles. Windows answer through a chain of window procedures, so that a window
// can be subclassed: SetWindowLongA(GWL_WNDPROC) installs a procedure and returns the
// previous one, which CallWindowProcA then reaches.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

class Runtime;
class Window;

using HWND = intptr_t;
using HDC = intptr_t;
using WPARAM = intptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WNDPROC = intptr_t;  // a procedure's number, as SetWindowLongA hands it out
using WindowProcedure = std::function<LRESULT(HWND, uint32_t, WPARAM, LPARAM)>;

struct RECT {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct POINT {
    int32_t x = 0, y = 0;
};

constexpr HWND HWND_TOPMOST = -1;
constexpr HWND HWND_NOTOPMOST = -2;
constexpr uint32_t SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4,
                   SWP_FRAMECHANGED = 0x20, SWP_NOOWNERZORDER = 0x200;
constexpr int GWL_WNDPROC = -4;
constexpr int GWL_STYLE = -16;
constexpr intptr_t WS_BORDER = 0x00800000, WS_DLGFRAME = 0x00400000, WS_SYSMENU = 0x00080000,
                   WS_THICKFRAME = 0x00040000, WS_MINIMIZEBOX = 0x00020000,
                   WS_MAXIMIZEBOX = 0x00010000;
constexpr uint32_t SPI_GETWORKAREA = 48;
constexpr int LOGPIXELSX = 88;
constexpr int SW_SHOWNORMAL = 1;
constexpr uint32_t WM_NOTIFY = 0x4E;
constexpr uint32_t WM_NCDESTROY = 0x82;

class User32 {
public:
    explicit User32(Runtime& runtime) : runtime_(runtime) {}

    bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, uint32_t flags);
    intptr_t GetWindowLongA(HWND window, int index);
    intptr_t SetWindowLongA(HWND window, int index, intptr_t value);
    bool GetWindowRect(HWND window, RECT& rect);
    bool GetCursorPos(POINT& point);
    bool ScreenToClient(HWND window, POINT& point);
    // Only SPI_GETWORKAREA is served; pv points at a RECT.
    bool SystemParametersInfoA(uint32_t action, uint32_t param, void* pv, uint32_t winIni);
    HWND GetDesktopWindow() { return kDesktopWindow; }
    HDC GetDC(HWND window);
    int ReleaseDC(HWND window, HDC dc);
    int GetDeviceCaps(HDC dc, int index);
    // Opens the URL with the desktop's browser; verbs other than "open" do nothing.
    intptr_t ShellExecuteA(HWND window, const std::string& operation, const std::string& file,
                           const std::string& parameters, const std::string& directory, int show);
    LRESULT SendMessageA(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
    LRESULT CallWindowProcA(WNDPROC procedure, HWND window, uint32_t message, WPARAM wParam,
                            LPARAM lParam);
    void RtlMoveMemory(void* destination, const void* source, size_t length);

    // The layer's own bookkeeping: windows take a handle while they exist, and procedures
    // a number when they are installed.
    HWND Register(Window& window);
    void Unregister(HWND window);
    Window* Find(HWND window) const;
    WNDPROC AddProcedure(WindowProcedure procedure);

private:
    static constexpr HWND kDesktopWindow = 0x10010;
    Runtime& runtime_;
    std::map<HWND, Window*> windows_;
    std::map<WNDPROC, WindowProcedure> procedures_;
    HWND nextHandle_ = 0x20000;
    WNDPROC nextProcedure_ = 0x1000;
};
