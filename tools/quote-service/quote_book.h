#pragma once
// Made-up market data: a seeded random walk per symbol, the same for the same symbol and
// seed, moved on a little by every quote request so that successive refreshes change.

#include <cstdint>
#include <ctime>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

enum class ChartPeriod { kOneDay, kFiveDays, kOneYear };

class QuoteBook {
public:
    QuoteBook(std::uint64_t seed, const std::vector<std::string>& unknown_symbols);

    // Index symbols, and 1 to 5 letters, dots or dashes, unless listed as unknown.
    bool IsKnown(std::string_view symbol) const;

    // One reply line with its CRLF: symbol, last, date, time, change, open, high, low, volume;
    // an unknown symbol gets "N/A" in every field but the first.
    std::string NextQuoteLine(std::string_view symbol, std::time_t now);

    // Prices for a chart, oldest first; empty for an unknown symbol.
    std::vector<double> ChartSeries(std::string_view symbol, ChartPeriod period) const;

private:
    struct Walk {
        std::mt19937_64 random;
        std::int64_t previous_close = 0;  // prices in hundredths
        std::int64_t open = 0;
        std::int64_t last = 0;
        std::int64_t high = 0;
        std::int64_t low = 0;
        std::int64_t volume = 0;
    };

    Walk StartWalk(const std::string& symbol) const;
    std::uint64_t SymbolSeed(const std::string& symbol) const;

    std::uint64_t seed_;
    std::set<std::string> unknown_symbols_;
    std::mutex mutex_;
    std::map<std::string, Walk> walks_;
};
