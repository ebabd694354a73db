#pragma once
// The New Chart Symbol dialog: the symbol the chart window charts next. It stores
// nothing and fetches nothing; the chart window saves the symbol and updates on request.

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/text_box.h"

class Program;

class NewChartSymbol : public Form {
public:
    explicit NewChartSymbol(Program& program);

    Label lblTickerSymbol{*this, "lblTickerSymbol"};
    TextBox txtTickerSymbol{*this, "txtTickerSymbol"};
    CommandButton cmdOK{*this, "cmdOK"}, cmdCancel{*this, "cmdCancel"};
    Label lblSymbolLookup{*this, "lblSymbolLookup"};

    void cmdOK_Click();
    void cmdCancel_Click();
    void lblSymbolLookup_Click();

protected:
    void InitializeComponent() override;
    void Form_Load() override;

private:
    Program& program_;
};
