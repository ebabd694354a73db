#include "symbols/new_symbol.h"

#include "settings/always_on_top.h"
#include "symbols/insert_symbol_row.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"

NewSymbol::NewSymbol(Program& program)
    : SymbolDialog(program, "NewSymbol", "Vesk Ticker - New Symbol") {
    cmdOK.OnClick = [this] { cmdOK_Click(); };
    cmdCancel.OnClick = [this] { cmdCancel_Click(); };
}

void NewSymbol::Form_Load() {
    AlwaysOnTop::SetAlwaysOnTop(*this);
    Show();
    txtTickerSymbol.SetFocus();
}

// With the Symbol Manager closed meanwhile there is no list to add to.
void NewSymbol::cmdOK_Click() {
    if (!BoxesAreStorable()) return;
    SymbolEditor& editor = program_.symbolEditor();
    if (editor.Loaded()) InsertSymbolRow(editor, txtTickerSymbol.Text(), txtSymbolName.Text());
    Unload();
}

void NewSymbol::cmdCancel_Click() { Unload(); }
