#pragma once
// The first-run greeting: how to build the symbol list. The text is never edited, so a
// click into it hands the focus straight to OK.

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/multi_line_text_box.h"

class Program;

class frmWelcome : public Form {
public:
    explicit frmWelcome(Program& program);

    // OK comes first in the tab order, so that it starts with the focus.
    CommandButton cmdOK{*this, "cmdOK"};
    MultiLineTextBox txtInfo{*this, "txtInfo"};

    void cmdOK_Click();
    void txtInfo_Click();
    void txtInfo_MouseDown(int button, int shift, float x, float y);

protected:
    void InitializeComponent() override;
    void Form_Load() override;
};
