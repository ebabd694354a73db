#pragma once
// The table of hooked windows: a hooked window's messages go to SubclassWndProc, which
// hands those its Subclass control lists to the control's WndProc event and every other
// message to the procedure the window had before.

#include <cstdint>
#include <vector>

#include "platform/user32.h"

class Subclass;

struct SubclassedWindow {
    HWND hWnd = 0;
    Subclass* Owner = nullptr;
    WNDPROC OldProc = 0;
};

class WinProc {
public:
    explicit WinProc(User32& user32);

    // In the order of hooking; a window is in it at most once.
    const std::vector<SubclassedWindow>& SubclassedWindows() const { return windows_; }
    int16_t SubclassedCount() const { return int16_t(windows_.size()); }

    // Hooks the window for owner, taking it from any control that hooked it before.
    void SubclassWindow(HWND hWnd, Subclass& owner);
    // Puts the window's earlier procedure back; a window not in the table is left alone.
    void UnsubclassWindow(HWND hWnd);
    // The earlier procedure's answer; 0 for a window not in the table.
    LRESULT CallOldWndProc(HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam);
    // The procedure installed in every hooked window.
    LRESULT SubclassWndProc(HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam);

private:
    const SubclassedWindow* Find(HWND hWnd) const;

    User32& user32_;
    WNDPROC procedure_;  // SubclassWndProc's number
    std::vector<SubclassedWindow> windows_;
};
