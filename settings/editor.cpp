#include "settings/editor.h"

#include "settings/symbol_file.h"

void Editor::OpenStockData() {
    EditorFileNum = SymbolFile::Open(runtime_, EditorFileNum);
    FirstStockRecord();
}

void Editor::FirstStockRecord() {
    EditorRecNo = 1;
    EditorRecCount = EditorFileNum ? SymbolFile::CountRecords(runtime_, EditorFileNum) : 0;
    if (EditorRecCount >= 1) {
        ReadStockRecord();
    } else {
        EditorSymbol.clear();
        EditorSymbolName.clear();
    }
}

void Editor::ReadStockRecord() {
    if (EditorFileNum == 0) return;
    EditorRecBuf = SymbolFile::Read(runtime_, EditorFileNum, EditorRecNo);
    EditorSymbol = EditorRecBuf.TickerSymbol();
    EditorSymbolName = EditorRecBuf.SymbolName();
}
