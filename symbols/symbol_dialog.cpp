#include "symbols/symbol_dialog.h"

#include "platform/command_button.h"
#include "platform/runtime.h"
#include "settings/stock_record.h"
#include "ticker/program.h"

SymbolDialog::SymbolDialog(Program& program, std::string name, std::string caption)
    : Form(program.runtime, std::move(name)), program_(program), caption_(std::move(caption)) {}

void SymbolDialog::Design(CommandButton& ok, CommandButton& cancel) {
    borderStyle = BorderStyle::FixedSingle;
    startUpPosition = StartUpPosition::CenterScreen;
    showInTaskbar = true;
    setCaption(caption_);
    setWidth(4200);
    setHeight(1725);
    fraProperties.Move(120, 80, 3975, 1050);
    fraProperties.setCaption("Properties");
    auto inFrame = [this](Control& control, float left, float top, float width, float height) {
        control.setContainer(fraProperties);
        control.Move(left, top, width, height);
    };
    inFrame(lblTickerSymbol, 120, 285, 1050, 195);
    lblTickerSymbol.setCaption("Ticker Symbol:");
    lblTickerSymbol.setTransparent(true);
    inFrame(txtTickerSymbol, 1320, 240, 1095, 285);
    txtTickerSymbol.setMaxLength(int(StockRecord::kSymbolWidth));
    inFrame(lblName, 160, 645, 1020, 195);
    lblName.setCaption("Symbol Name:");
    lblName.setTransparent(true);
    inFrame(txtSymbolName, 1320, 600, 2535, 285);
    txtSymbolName.setMaxLength(int(StockRecord::kNameWidth));
    ok.Move(1605, 1240, 1215, 375);
    ok.setCaption("OK");
    ok.setDefault(true);
    cancel.Move(2880, 1240, 1215, 375);
    cancel.setCaption("Cancel");
    cancel.setCancel(true);
}

bool SymbolDialog::BoxesAreStorable() {
    for (TextBox* box : {&txtTickerSymbol, &txtSymbolName}) {
        const std::optional<std::string> refused = StockRecord::FirstUnstorable(box->Text());
        if (!refused) continue;
        runtime().MsgBox("The symbol list cannot store the character \"" + *refused +
                             "\". Please use only letters, digits and signs of Western "
                             "European languages.",
                         MsgBox::vbExclamation);
        box->SetFocus();
        return false;
    }
    return true;
}
