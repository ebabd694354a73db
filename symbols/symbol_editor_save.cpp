// The Symbol Manager's save paths: the prompt of OK, File > Save, and the rewrite of
// stockdata.std that both run.

#include <vector>

#include "platform/runtime.h"
#include "settings/symbol_file.h"
#include "symbols/symbol_editor.h"
#include "symbols/symbol_list_file.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

std::string SymbolEditor::ShortListText() const {
    return "stockdata.std holds " + std::to_string(symbolsInFile_) +
           " symbols, but the Symbol Manager can show only the first 32,767.";
}

bool SymbolEditor::RefuseShortSave() {
    if (symbolsInFile_ <= kMaxRows) return false;
    runtime().MsgBox(ShortListText() +
                         " Saving from this window would lose the others, so the file is left "
                         "as it is.",
                     MsgBox::vbExclamation);
    return true;
}

void SymbolEditor::cmdOK_Click() {
    int answer = runtime().MsgBox("Save changes?", MsgBox::vbYesNoCancel + MsgBox::vbExclamation,
                                  "Vesk Ticker");
    if (answer == MsgBox::vbYes) {
        if (RefuseShortSave() || !RewriteSymbolFile()) return;
        Unload();
        Ticker& ticker = program_.ticker();
        ticker.Unload();
        ticker.Show();
    } else if (answer == MsgBox::vbNo) {
        Unload();
    }
}

void SymbolEditor::SaveMenuItem_Click() {
    if (RefuseShortSave() || !RewriteSymbolFile()) return;
    Ticker& ticker = program_.ticker();
    ticker.Unload();
    ticker.Show();
    program_.getSymbol.OpenStockData();
    program_.quoteGet.GetQuote();
}

bool SymbolEditor::RewriteSymbolFile() {
    Runtime& rt = runtime();
    GetSymbol& cursor = program_.getSymbol;
    Editor& editor = program_.editor;
    bool cursorWasOpen = cursor.StockFileNum != 0;
    rt.files().CloseAll();
    // Both numbers are closed now; a reader that kept one would later close whichever
    // file took that number next.
    cursor.StockFileNum = 0;
    editor.EditorFileNum = 0;

    std::vector<StockRecord> records;
    ListItemCollection& rows = ListView1.ListItems;
    records.reserve(size_t(rows.Count()));
    for (int i = 1; i <= rows.Count(); ++i) {
        ListItem& row = rows.item(i);
        records.push_back(StockRecord::From(row.Text(), row.ListSubItems.item(1).Text()));
    }
    bool saved = SymbolListFile::Replace(rt, records);
    if (saved) {
        editor.OpenStockData();
    } else {
        // The old list is still there: both readers get their file back where they were.
        editor.EditorFileNum = SymbolFile::Open(rt, 0);
        if (cursorWasOpen) cursor.StockFileNum = SymbolFile::Open(rt, 0);
    }
    rt.files().ChDir(rt.App().Path);
    return saved;
}
