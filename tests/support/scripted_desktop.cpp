#include "support/scripted_desktop.h"

#include "platform/menu.h"

namespace {

void Describe(const Menu& menu, const std::string& indent, std::vector<std::string>& lines) {
    for (const Menu* item : menu.Items()) {
        if (!item->Visible()) continue;
        std::string line = indent + item->Caption();
        if (item->Checked()) line += " [x]";
        if (!item->Enabled()) line += " (disabled)";
        lines.push_back(line);
        Describe(*item, indent + "  ", lines);
    }
}

const Menu* FindItem(const Menu& menu, const std::string& name) {
    for (const Menu* item : menu.Items()) {
        if (item->Name() == name) return item;
        if (const Menu* found = FindItem(*item, name)) return found;
    }
    return nullptr;
}

}  // namespace

int ScriptedDesktop::ShowMessageBox(const std::string& text, int style, const std::string& title) {
    boxes.push_back(Box{text, style, title});
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    int buttons = style & 0xF;
    bool hasOk = buttons == MsgBox::vbOKOnly || buttons == MsgBox::vbOKCancel;
    return hasOk ? MsgBox::vbOK : MsgBox::vbCancel;
}

void ScriptedDesktop::PopupMenu(Menu& menu, PixelPoint) {
    Popup popup{menu.Name(), {}};
    Describe(menu, "", popup.items);
    popups.push_back(std::move(popup));
    if (menuChoices.empty()) return;
    std::string choice = menuChoices.front();
    menuChoices.pop_front();
    if (const Menu* item = FindItem(menu, choice)) item->Click();
}
