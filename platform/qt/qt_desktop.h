#pragma once
// The desktop on Qt: the real screen, real message boxes, the user's browser.

#include "platform/desktop.h"

class QtDesktop final : public Desktop {
public:
    int LogicalDpi() override;
    PixelRect WorkArea() override;
    PixelPoint CursorPos() override;
    int ShowMessageBox(const std::string& text, int style, const std::string& title) override;
    void OpenUrl(const std::string& url) override;
    void PopupMenu(Menu& menu, PixelPoint at) override;
    void EndProgram() override;
};
