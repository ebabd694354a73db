#include "settings/dpi.h"

#include "platform/runtime.h"
#include "platform/user32.h"

namespace DPI {

int GetDPI(Runtime& runtime) {
    User32& user32 = runtime.user32();
    HWND desktop = user32.GetDesktopWindow();
    HDC dc = user32.GetDC(desktop);
    int dpi = user32.GetDeviceCaps(dc, LOGPIXELSX);
    user32.ReleaseDC(desktop, dc);
    return dpi;
}

}  // namespace DPI
