#pragma once
// An option button; the buttons of one container exclude each other.

#include "platform/control.h"

class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, int16_t index = -1);

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    bool Value() const { return value_; }
    void setValue(bool value);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void ResetOwnProperties() override;

private:
    friend class OptionButtonWidget;
    void Chosen();
    std::string caption_;
    bool value_ = false;
};
