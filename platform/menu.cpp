#include "platform/menu.h"

#include "platform/form.h"

Menu::Menu(Form& form, std::string name, std::string caption)
    : form_(form), name_(std::move(name)), designCaption_(caption), caption_(std::move(caption)) {
    form_.Adopt(*this);
}

Menu::Menu(Menu& parent, std::string name, std::string caption)
    : form_(parent.form_), parent_(&parent), name_(std::move(name)), designCaption_(caption),
      caption_(std::move(caption)) {
    parent.items_.push_back(this);
}

void Menu::setVisible(bool visible) { visible_ = visible; }

void Menu::Click() const {
    if (enabled_ && OnClick) OnClick();
}

void Menu::ResetToDesign() {
    caption_ = designCaption_;
    checked_ = false;
    enabled_ = true;
    visible_ = true;
    for (Menu* item : items_) item->ResetToDesign();
}
