#include "symbols/symbol_properties.h"

#include "settings/always_on_top.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"

SymbolProperties::SymbolProperties(Program& program)
    : SymbolDialog(program, "SymbolProperties", "Vesk Ticker - Symbol Properties") {
    cmdOK.OnClick = [this] { cmdOK_Click(); };
    cmdCancel.OnClick = [this] { cmdCancel_Click(); };
}

// Without a selected row that has a symbol the dialog closes before it is ever seen.
void SymbolProperties::Form_Load() {
    SymbolEditor& editor = program_.symbolEditor();
    ListItem* row = editor.Loaded() ? editor.ListView1.SelectedItem() : nullptr;
    if (!row || row->Text().empty()) {
        Unload();
        return;
    }
    txtTickerSymbol.setText(row->Text());
    txtSymbolName.setText(row->ListSubItems.item(1).Text());
    AlwaysOnTop::SetAlwaysOnTop(*this);
    Show();
    txtTickerSymbol.SetFocus();
}

// The row selected now, not the one the boxes were filled from; none, nothing to edit.
void SymbolProperties::cmdOK_Click() {
    if (!BoxesAreStorable()) return;
    SymbolEditor& editor = program_.symbolEditor();
    ListItem* row = editor.Loaded() ? editor.ListView1.SelectedItem() : nullptr;
    if (row) {
        row->setText(txtTickerSymbol.Text());
        row->ListSubItems.item(1).setText(txtSymbolName.Text());
    }
    Unload();
}

void SymbolProperties::cmdCancel_Click() { Unload(); }
