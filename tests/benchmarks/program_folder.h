#pragma once
// The program folder a benchmark's ticker runs from: a few symbols, and the local quote
// service as its quote host.

#include <fstream>
#include <string>

#include "settings/stock_record.h"

inline void WriteProgramFolder(const std::string& folder, int quotePort) {
    std::ofstream(folder + "/vesk-ticker.conf") << "[Hosts]\nQuoteHost=127.0.0.1:" << quotePort << "\n";
    std::ofstream symbols(folder + "/stockdata.std", std::ios::binary);
    for (const char* symbol : {"IBM", "MSFT", "AAPL", "ORCL", "INTC"})
        symbols.write(StockRecord::From(symbol, symbol).bytes.data(), StockRecord::kLength);
}
