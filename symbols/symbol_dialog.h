#pragma once
// What the New Symbol and Symbol Properties dialogs share: the design of a symbol and a
// name box in a "Properties" frame, limited to the widths of the symbol file's fields.
// Each dialog declares its own buttons, in its own tab order.

#include <string>

#include "platform/form.h"
#include "platform/frame.h"
#include "platform/label.h"
#include "platform/text_box.h"

class CommandButton;
class Program;

class SymbolDialog : public Form {
public:
    SymbolDialog(Program& program, std::string name, std::string caption);

    Frame fraProperties{*this, "fraProperties"};
    Label lblTickerSymbol{*this, "lblTickerSymbol"};
    TextBox txtTickerSymbol{*this, "txtTickerSymbol"};
    Label lblName{*this, "lblName"};
    TextBox txtSymbolName{*this, "txtSymbolName"};

protected:
    // The shared design, with the dialog's OK and Cancel buttons.
    void Design(CommandButton& ok, CommandButton& cancel);
    // False, after telling the user and putting the focus there, when a box holds a
    // character the symbol file cannot store: the list must show what will be saved.
    bool BoxesAreStorable();
    Program& program_;

private:
    std::string caption_;
};
