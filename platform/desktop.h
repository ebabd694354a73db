#pragma once
// The desktop services under the forms runtime: everything that asks the screen or the
// user something. The real one talks to Qt; tests use ScriptedDesktop.

#include <cstdint>
#include <string>

class Menu;

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Message-box styles and answers keep their classic numbers: callers combine them
// (vbRetryCancel + vbExclamation is style 53) and compare the answers.
namespace MsgBox {
constexpr int vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3,
              vbYesNo = 4, vbRetryCancel = 5;
constexpr int vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64;
constexpr int vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6,
              vbNo = 7;
}  // namespace MsgBox

class Desktop {
public:
    virtual ~Desktop() = default;

    // Logical pixels per inch along the screen's width (96 small fonts, 120 large).
    virtual int LogicalDpi() = 0;
    // The screen less the task bars, in pixels.
    virtual PixelRect WorkArea() = 0;
    virtual PixelPoint CursorPos() = 0;

    // Shows a modal message box and returns the answer (MsgBox::vbOK ...).
    virtual int ShowMessageBox(const std::string& text, int style, const std::string& title) = 0;
    // The program is quitting: the open message boxes close, and every later one at once,
    // each with the answer its close box gives.
    virtual void EndMessageBoxes() = 0;
    // Opens the URL in the user's browser. Never goes through a shell.
    virtual void OpenUrl(const std::string& url) = 0;
    // Pops the menu up at the given screen point and runs the chosen item's click.
    virtual void PopupMenu(Menu& menu, PixelPoint at) = 0;

    // Ends the process at once; pending settings have been stored by the caller.
    virtual void EndProgram() = 0;
};
