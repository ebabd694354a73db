#pragma once
// The Symbol Lookup dialog: sends a company-name search to the quote service's lookup
// page in the user's browser.

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/text_box.h"

class Program;

class SymbolLookup : public Form {
public:
    explicit SymbolLookup(Program& program);

    Label Label1{*this, "Label1"};
    TextBox Text1{*this, "Text1"};
    CommandButton Command1{*this, "Command1"};

    void Command1_Click();

protected:
    void InitializeComponent() override;
    void Form_Load() override;

private:
    Program& program_;
};
