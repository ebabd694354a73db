#pragma once
// A push button. The window's Default button answers Enter, its Cancel button Escape.

#include "platform/control.h"

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, int16_t index = -1);

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    bool Default() const { return default_; }
    void setDefault(bool isDefault) { default_ = isDefault; }
    bool Cancel() const { return cancel_; }
    void setCancel(bool isCancel) { cancel_ = isCancel; }
    // Clicks it as the user would.
    void Press();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void ResetOwnProperties() override;

private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};
