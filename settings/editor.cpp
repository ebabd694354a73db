#include "settings/editor.h"

#include "settings/symbol_file.h"

namespace {
SymbolFile::Reader ReaderOf(Editor& e) {
    return {e.EditorFileNum, e.EditorRecNo,  e.EditorRecCount,
            e.EditorRecBuf,  e.EditorSymbol, e.EditorSymbolName};
}
}  // namespace

void Editor::OpenStockData() { SymbolFile::OpenStockData(runtime_, ReaderOf(*this)); }
void Editor::FirstStockRecord() { SymbolFile::FirstStockRecord(runtime_, ReaderOf(*this)); }
void Editor::ReadStockRecord() { SymbolFile::ReadStockRecord(runtime_, ReaderOf(*this)); }
