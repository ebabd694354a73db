#pragma once
// One entry of the symbol list as stockdata.std holds it: 10 bytes of symbol and 40 of
// name, single-byte text padded with spaces; 50 bytes, no separators.

#include <array>
#include <optional>
#include <string>
#include <string_view>

struct StockRecord {
    static constexpr size_t kSymbolWidth = 10;
    static constexpr size_t kNameWidth = 40;
    static constexpr size_t kLength = kSymbolWidth + kNameWidth;

    std::array<char, kLength> bytes{};

    // Cut or padded with spaces to the field widths.
    static StockRecord From(std::string_view tickerSymbol, std::string_view symbolName);
    // The first character of text that the single-byte fields cannot hold, if any; such a
    // character would come back from the file as "?".
    static std::optional<std::string> FirstUnstorable(std::string_view text);
    // The fields as text, with leading and trailing spaces removed.
    std::string TickerSymbol() const;
    std::string SymbolName() const;
};
