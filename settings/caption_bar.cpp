#include "settings/caption_bar.h"

#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/user32.h"

namespace CaptionBar {

void RemoveCaptionBar(Form& window) {
    constexpr intptr_t kCaptionAndBoxes =
        WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    User32& user32 = window.runtime().user32();
    RECT rect;
    user32.GetWindowRect(window.hWnd(), rect);
    intptr_t style = user32.GetWindowLongA(window.hWnd(), GWL_STYLE);
    window.setCaption("");
    user32.SetWindowLongA(window.hWnd(), GWL_STYLE, style & ~kCaptionAndBoxes);
    // The new frame takes effect in place.
    user32.SetWindowPos(window.hWnd(), 0, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top,
                        SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

}  // namespace CaptionBar
