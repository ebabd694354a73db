#include "dialogs/open_address.h"

#include <algorithm>
#include <string_view>

#include "platform/core/ascii_case.h"
#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/user32.h"

namespace {

constexpr int kInvalidArgument = 5;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() > prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool IsWebOrMailAddress(const std::string& address) {
    if (std::any_of(address.begin(), address.end(),
                    [](unsigned char c) { return c <= ' ' || c == 0x7F; }))
        return false;
    return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://") ||
           StartsWithNoCase(address, "mailto:");
}

}  // namespace

void OpenAddress(Form& window, const std::string& address) {
    Runtime& runtime = window.runtime();
    runtime.setScreenMousePointer(MousePointers::vbHourglass);
    if (IsWebOrMailAddress(address)) {
        runtime.user32().ShellExecuteA(window.hWnd(), "open", address, "", "", SW_SHOWNORMAL);
    } else {
        runtime.MsgBox("Unable to load '" + address + "' : Not a web or e-mail address (Error " +
                       std::to_string(kInvalidArgument) + ")");
    }
    runtime.setScreenMousePointer(MousePointers::vbDefault);
}
