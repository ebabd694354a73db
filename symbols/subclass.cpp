#include "symbols/subclass.h"

#include <algorithm>

#include "symbols/win_proc.h"

Subclass::Subclass(Form& form, std::string name, WinProc& winProc)
    : Control(form, std::move(name)), winProc_(winProc) {}

Subclass::~Subclass() { Terminate(); }

void Subclass::Terminate() {
    if (hWnd_ != 0) winProc_.UnsubclassWindow(hWnd_);
    hWnd_ = 0;
}

void Subclass::setHWnd(HWND hWndNew) {
    if (hWndNew == hWnd_) return;
    if (hWnd_ != 0) winProc_.UnsubclassWindow(hWnd_);
    hWnd_ = hWndNew;
    if (hWnd_ != 0) winProc_.SubclassWindow(hWnd_, *this);
}

bool Subclass::Messages(int32_t nMessage) const {
    return std::find(MsgList.begin(), MsgList.end(), nMessage) != MsgList.end();
}

void Subclass::setMessages(int32_t nMessage, bool bSubclass) {
    auto found = std::find(MsgList.begin(), MsgList.end(), nMessage);
    if (found != MsgList.end() && !bSubclass) MsgList.erase(found);
    if (found == MsgList.end() && bSubclass) MsgList.push_back(nMessage);
}

LRESULT Subclass::CallWndProc(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam) {
    return hWnd_ != 0 ? winProc_.CallOldWndProc(hWnd_, Msg, wParam, lParam) : 0;
}

LRESULT Subclass::RaiseWndProc(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam) {
    LRESULT Result = 0;
    if (OnWndProc) OnWndProc(Msg, wParam, lParam, Result);
    return Result;
}

void Subclass::Unrealize() {
    Terminate();
    Control::Unrealize();
}

void Subclass::ResetOwnProperties() {
    Terminate();
    MsgList.clear();
}
