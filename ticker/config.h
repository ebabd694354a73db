#pragma once
// The Configuration dialog: the refresh interval, the request time-out and the ticker's
// size. OK stores them with the ticker's state and restarts the ticker; while the dialog
// is open, CL keeps the ticker from refreshing.

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/frame.h"
#include "platform/label.h"
#include "platform/option_button.h"
#include "platform/text_box.h"

class Program;

class Config : public Form {
public:
    explicit Config(Program& program);

    // True while a dialog that edits settings is open (this one or the update check).
    bool CL = false;

    // Declared in tab order; frames first, as they contain the rest.
    Frame Frame3{*this, "Frame3"}, Frame5{*this, "Frame5"}, Frame4{*this, "Frame4"};
    CommandButton Command1{*this, "Command1"}, Command2{*this, "Command2"};
    TextBox txtSeconds{*this, "txtSeconds"};
    OptionButton optTickerSize[2]{{*this, "optTickerSize", 0}, {*this, "optTickerSize", 1}};
    TextBox txtTimeout{*this, "txtTimeout"};
    Label Label3{*this, "Label3"}, Label4{*this, "Label4"}, Label2{*this, "Label2"},
        Label5{*this, "Label5"};

    void Command1_Click();
    void Command2_Click();

protected:
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_Terminate() override;

private:
    bool CheckWholeNumbers();
    Program& program_;
};
