#pragma once
// The ticker's cursor over the symbol list: the current record, read afresh at each
// step, wrapping from the last record to the first.

#include <cstdint>
#include <string>

#include "settings/stock_record.h"

class Runtime;

class GetSymbol {
public:
    explicit GetSymbol(Runtime& runtime) : runtime_(runtime) {}

    int16_t StockFileNum = 0;
    int32_t StockRecNo = 1;
    int32_t StockRecCount = 0;  // fixed when the file is opened
    StockRecord StockRecBuf;
    std::string QuoteSymbol;  // the quote cycle rewrites it in place for index entries
    std::string QuoteSymbolName;

    // Opens stockdata.std and puts the cursor on record 1.
    void OpenStockData();
    void FirstStockRecord();
    void NextStockRecord();
    void ReadStockRecord();

private:
    Runtime& runtime_;
};
