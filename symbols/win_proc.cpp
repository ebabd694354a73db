#include "symbols/win_proc.h"

#include <algorithm>

#include "symbols/subclass.h"

WinProc::WinProc(User32& user32)
    : user32_(user32),
      procedure_(user32.AddProcedure([this](HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam) {
          return SubclassWndProc(hWnd, Msg, wParam, lParam);
      })) {}

const SubclassedWindow* WinProc::Find(HWND hWnd) const {
    auto found = std::find_if(windows_.begin(), windows_.end(),
                              [hWnd](const SubclassedWindow& record) { return record.hWnd == hWnd; });
    return found == windows_.end() ? nullptr : &*found;
}

// The record is complete before the window's procedure is replaced.
void WinProc::SubclassWindow(HWND hWnd, Subclass& owner) {
    if (hWnd == 0) return;
    UnsubclassWindow(hWnd);
    windows_.push_back(SubclassedWindow{hWnd, &owner, 0});
    windows_.back().OldProc = user32_.GetWindowLongA(hWnd, GWL_WNDPROC);
    user32_.SetWindowLongA(hWnd, GWL_WNDPROC, procedure_);
}

void WinProc::UnsubclassWindow(HWND hWnd) {
    const SubclassedWindow* record = Find(hWnd);
    if (!record) return;
    user32_.SetWindowLongA(hWnd, GWL_WNDPROC, record->OldProc);
    windows_.erase(windows_.begin() + (record - windows_.data()));
}

LRESULT WinProc::CallOldWndProc(HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam) {
    const SubclassedWindow* record = Find(hWnd);
    return record ? user32_.CallWindowProcA(record->OldProc, hWnd, Msg, wParam, lParam) : 0;
}

LRESULT WinProc::SubclassWndProc(HWND hWnd, uint32_t Msg, WPARAM wParam, LPARAM lParam) {
    const SubclassedWindow* found = Find(hWnd);
    if (!found) return 0;
    // A copy: the handler may hook or unhook windows while it runs.
    SubclassedWindow record = *found;
    LRESULT result = 0;
    if (!record.Owner->Messages(int32_t(Msg))) {
        result = user32_.CallWindowProcA(record.OldProc, hWnd, Msg, wParam, lParam);
    } else {
        result = record.Owner->RaiseWndProc(Msg, wParam, lParam);
    }
    // The handler may have changed Msg; the test sees what it left.
    if (Msg == WM_NCDESTROY) record.Owner->setHWnd(0);
    return result;
}
