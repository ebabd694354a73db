#pragma once
// The Symbol Properties dialog: edits the symbol and name of the row selected when its OK
// is pressed. Tab goes from the name box to Cancel, then to OK.

#include "platform/command_button.h"
#include "symbols/symbol_dialog.h"

class SymbolProperties : public SymbolDialog {
public:
    explicit SymbolProperties(Program& program);

    CommandButton cmdCancel{*this, "cmdCancel"};
    CommandButton cmdOK{*this, "cmdOK"};

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void InitializeComponent() override { Design(cmdOK, cmdCancel); }
    void Form_Load() override;
};
