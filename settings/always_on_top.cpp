#include "settings/always_on_top.h"

#include "platform/form.h"
#include "platform/runtime.h"
#include "settings/get_string.h"
#include "settings/registry2.h"

namespace AlwaysOnTop {

void SetAlwaysOnTop(Form& window) {
    Runtime& runtime = window.runtime();
    bool topmost = GetString::GetStringValue(runtime, HKEY_CURRENT_USER, Registry2::kMainKey,
                                             "Always On Top") == "True";
    runtime.user32().SetWindowPos(window.hWnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                                  0, SWP_NOSIZE | SWP_NOMOVE);
}

}  // namespace AlwaysOnTop
