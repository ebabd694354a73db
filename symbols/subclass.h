#pragma once
// A control that hooks one window: the messages listed in Messages reach its WndProc
// event, every other one goes straight to the window's earlier procedure. On this 64-bit
// platform wParam, lParam and the result are pointer-sized, since lParam may hold an
// address. The control has no face at run time.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/control.h"
#include "platform/user32.h"

class WinProc;

using WndProcHandler =
    std::function<void(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam, LRESULT& Result)>;

class Subclass : public Control {
public:
    Subclass(Form& form, std::string name, WinProc& winProc);
    ~Subclass() override;

    bool HasGeometry() const override { return false; }

    // One window at a time: hooking another, or 0, gives the last one its own procedure
    // back, so that an unloaded list is never left hooked.
    HWND hWnd() const { return hWnd_; }
    void setHWnd(HWND hWndNew);
    // Only the messages the owner must judge take the detour through WndProc; the window
    // handles every other one as it always did.
    bool Messages(int32_t nMessage) const;
    void setMessages(int32_t nMessage, bool bSubclass);
    // For a WndProc handler that lets a message through after all: the window's own
    // answer.
    LRESULT CallWndProc(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam);

    WndProcHandler OnWndProc;

    // An unloaded form's window is gone; its hook must go with it.
    void Unrealize() override;

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }
    void ResetOwnProperties() override;

private:
    friend class WinProc;
    LRESULT RaiseWndProc(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam);
    void Terminate();

    WinProc& winProc_;
    HWND hWnd_ = 0;
    std::vector<int32_t> MsgList;  // a handful at most, so a list beats a set
};
