#pragma once
// The Symbol Manager's reader of the symbol list: the cursor's twin without the step to
// the next record; the Symbol Manager sets EditorRecNo itself and writes through the file.

#include <cstdint>
#include <string>

#include "settings/stock_record.h"

class Runtime;

class Editor {
public:
    explicit Editor(Runtime& runtime) : runtime_(runtime) {}

    int16_t EditorFileNum = 0;
    int32_t EditorRecNo = 1;
    int32_t EditorRecCount = 0;
    StockRecord EditorRecBuf;
    std::string EditorSymbol;
    std::string EditorSymbolName;

    void OpenStockData();
    void FirstStockRecord();
    void ReadStockRecord();

private:
    Runtime& runtime_;
};
