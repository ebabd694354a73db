#pragma once
// The New Symbol dialog: one free symbol for the Symbol Manager's list per opening.

#include "platform/command_button.h"
#include "symbols/symbol_dialog.h"

class NewSymbol : public SymbolDialog {
public:
    explicit NewSymbol(Program& program);

    CommandButton cmdOK{*this, "cmdOK"};
    CommandButton cmdCancel{*this, "cmdCancel"};

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void InitializeComponent() override { Design(cmdOK, cmdCancel); }
    void Form_Load() override;
};
