#include "settings/stock_record.h"

#include <algorithm>

#include "platform/core/ansi.h"

namespace {

void Fill(char* field, size_t width, std::string_view text) {
    std::string single = Utf8ToAnsi(text);
    size_t used = std::min(width, single.size());
    std::copy_n(single.begin(), used, field);
    std::fill(field + used, field + width, ' ');
}

std::string Trimmed(const char* field, size_t width) {
    std::string_view text(field, width);
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return AnsiToUtf8(text.substr(first, last - first + 1));
}

}  // namespace

StockRecord StockRecord::From(std::string_view tickerSymbol, std::string_view symbolName) {
    StockRecord record;
    Fill(record.bytes.data(), kSymbolWidth, tickerSymbol);
    Fill(record.bytes.data() + kSymbolWidth, kNameWidth, symbolName);
    return record;
}

std::string StockRecord::TickerSymbol() const { return Trimmed(bytes.data(), kSymbolWidth); }

std::string StockRecord::SymbolName() const {
    return Trimmed(bytes.data() + kSymbolWidth, kNameWidth);
}
