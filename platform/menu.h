#pragma once
// A menu entry of a window: on the menu bar, in a submenu, or in a hidden top-level menu
// that only pops up. "-" as the caption makes a separator; "&" marks the access key.

#include <functional>
#include <string>
#include <vector>

class Form;

class Menu {
public:
    // A top-level menu of the window (shown on its menu bar while visible).
    Menu(Form& form, std::string name, std::string caption);
    // An entry of parent's submenu.
    Menu(Menu& parent, std::string name, std::string caption);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    bool Checked() const { return checked_; }
    void setChecked(bool checked) { checked_ = checked; }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool IsSeparator() const { return caption_ == "-"; }

    const std::vector<Menu*>& Items() const { return items_; }
    Menu* Parent() const { return parent_; }
    Form& Owner() const { return form_; }

    // Raised when the entry is chosen; for an entry with a submenu, as the submenu opens.
    std::function<void()> OnClick;
    void Click() const;

    // Back to the design's state at an unload.
    void ResetToDesign();

private:
    Form& form_;
    Menu* parent_ = nullptr;
    std::string name_;
    std::string designCaption_, caption_;
    bool checked_ = false, enabled_ = true, visible_ = true;
    std::vector<Menu*> items_;
};
