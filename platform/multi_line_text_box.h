#pragma once
// A text box of several lines, with a vertical scroll bar when they do not fit; lines are
// separated by CR LF in Text, as the classic multi-line box keeps them.

#include "platform/text_box.h"

class MultiLineTextBox : public TextBox {
public:
    using TextBox::TextBox;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
};
