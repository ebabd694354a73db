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

    // "Specifies the handle of the window to be subclassed"; 0 hooks nothing.
    HWND hWnd() const { return hWnd_; }
    void setHWnd(HWND hWndNew);
    // "Specifies which messages are passed to the WndProc event"
    bool Messages(int32_t nMessage) const;
    void setMessages(int32_t nMessage, bool bSubclass);
    // "Invokes the original window procedure for the subclassed window"
    LRESULT CallWndProc(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam);

    WndProcHandler OnWndProc;

    // The window unloads: the control lets go of its window.
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
    std::vector<int32_t> MsgList;  // in the order of adding
};
