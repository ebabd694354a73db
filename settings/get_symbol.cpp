#include "settings/get_symbol.h"

#include "settings/symbol_file.h"

namespace {
SymbolFile::Reader ReaderOf(GetSymbol& g) {
    return {g.StockFileNum, g.StockRecNo,  g.StockRecCount,
            g.StockRecBuf,  g.QuoteSymbol, g.QuoteSymbolName};
}
}  // namespace

void GetSymbol::OpenStockData() { SymbolFile::OpenStockData(runtime_, ReaderOf(*this)); }
void GetSymbol::FirstStockRecord() { SymbolFile::FirstStockRecord(runtime_, ReaderOf(*this)); }
void GetSymbol::ReadStockRecord() { SymbolFile::ReadStockRecord(runtime_, ReaderOf(*this)); }

void GetSymbol::NextStockRecord() {
    if (StockRecCount < 1) return;
    StockRecNo = StockRecNo >= StockRecCount ? 1 : StockRecNo + 1;
    ReadStockRecord();
}
