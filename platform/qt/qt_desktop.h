#pragma once
// The desktop on Qt: the real screen, real message boxes, the user's browser.

#include <vector>

#include "platform/desktop.h"

class QMessageBox;

class QtDesktop final : public Desktop {
public:
    int LogicalDpi() override;
    PixelRect WorkArea() override;
    PixelPoint CursorPos() override;
    int ShowMessageBox(const std::string& text, int style, const std::string& title) override;
    void EndMessageBoxes() override;
    void OpenUrl(const std::string& url) override;
    void PopupMenu(Menu& menu, PixelPoint at) override;
    void EndProgram() override;

private:
    std::vector<QMessageBox*> openBoxes_;  // innermost last
    bool endingBoxes_ = false;
};
