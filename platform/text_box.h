#pragma once
// A one-line text box; typing stops at MaxLength characters (0: no limit), while a text
// set from code is kept whole.

#include "platform/control.h"

class TextBox : public Control {
public:
    using Control::Control;

    const std::string& Text() const { return text_; }
    void setText(std::string text);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int maxLength);
    std::function<void()> OnChange;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void ResetOwnProperties() override;

private:
    friend class TextBoxWidget;
    void TypedText(std::string text);
    std::string text_;
    int maxLength_ = 0;
};
