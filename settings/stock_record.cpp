#include "settings/stock_record.h"

#include <algorithm>

#include "platform/core/ansi.h"
#include "platform/text_case.h"

namespace {

void Fill(char* field, size_t width, std::string_view text) {
    std::string single = Utf8ToAnsi(text);
    size_t used = std::min(width, single.size());
    std::copy_n(single.begin(), used, field);
    std::fill(field + used, field + width, ' ');
}

// A field without the spaces that pad it, as UTF-8.
std::string FieldText(const char* field, size_t width) {
    std::string_view text(field, width);
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return AnsiToUtf8(text.substr(first, last - first + 1));
}

}  // namespace

std::optional<std::string> StockRecord::FirstUnstorable(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const std::string character = FirstCharacter(text.substr(at));
        if (AnsiToUtf8(Utf8ToAnsi(character)) != character) return character;
        at += character.size();
    }
    return std::nullopt;
}

StockRecord StockRecord::From(std::string_view tickerSymbol, std::string_view symbolName) {
    StockRecord record;
    Fill(record.bytes.data(), kSymbolWidth, tickerSymbol);
    Fill(record.bytes.data() + kSymbolWidth, kNameWidth, symbolName);
    return record;
}

std::string StockRecord::TickerSymbol() const { return FieldText(bytes.data(), kSymbolWidth); }

std::string StockRecord::SymbolName() const {
    return FieldText(bytes.data() + kSymbolWidth, kNameWidth);
}
