#include "settings/get_symbol.h"

#include "settings/symbol_file.h"

void GetSymbol::OpenStockData() {
    StockFileNum = SymbolFile::Open(runtime_, StockFileNum);
    FirstStockRecord();
}

void GetSymbol::FirstStockRecord() {
    StockRecNo = 1;
    StockRecCount = StockFileNum ? SymbolFile::CountRecords(runtime_, StockFileNum) : 0;
    if (StockRecCount >= 1) {
        ReadStockRecord();
    } else {
        QuoteSymbol.clear();
        QuoteSymbolName.clear();
    }
}

void GetSymbol::NextStockRecord() {
    if (StockRecCount < 1) return;
    StockRecNo = StockRecNo >= StockRecCount ? 1 : StockRecNo + 1;
    ReadStockRecord();
}

void GetSymbol::ReadStockRecord() {
    if (StockFileNum == 0) return;
    StockRecBuf = SymbolFile::Read(runtime_, StockFileNum, StockRecNo);
    QuoteSymbol = StockRecBuf.TickerSymbol();
    QuoteSymbolName = StockRecBuf.SymbolName();
}
