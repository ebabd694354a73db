#include "quote_book.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

struct IndexScale {
    std::string_view symbol;
    std::int64_t base;  // hundredths
};

// ^TYX is quoted at ten times the yield in percent: 55.25 for 5.525%.
constexpr IndexScale kIndices[] = {
    {"^DJI", 1000000}, {"^IXIC", 200000}, {"^SPC", 110000}, {"^TYX", 5525}};

const IndexScale* FindIndex(std::string_view symbol) {
    for (const IndexScale& index : kIndices)
        if (index.symbol == symbol) return &index;
    return nullptr;
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// Stable across runs and compilers, unlike std::hash.
std::uint64_t TextHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// A fraction in [-limit, limit], most often near zero.
double Wobble(std::mt19937_64& random, double limit) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    return (unit(random) + unit(random) - 1.0) * limit;
}

std::int64_t Step(std::mt19937_64& random, std::int64_t price, double limit) {
    const auto moved = price + std::llround(static_cast<double>(price) * Wobble(random, limit));
    return std::max<std::int64_t>(1, moved);
}

std::string Price(std::int64_t hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(hundredths / 100),
                  static_cast<long long>(hundredths % 100));
    return text;
}

std::string SignedChange(std::int64_t hundredths) {
    if (hundredths == 0) return "0.00";
    std::string change(1, hundredths > 0 ? '+' : '-');
    return change += Price(hundredths > 0 ? hundredths : -hundredths);
}

std::string TradeDate(const std::tm& when) {
    char text[40];
    std::snprintf(text, sizeof text, "%d/%d/%d", when.tm_mon + 1, when.tm_mday, when.tm_year + 1900);
    return text;
}

std::string TradeTime(const std::tm& when) {
    const int hour = when.tm_hour % 12 == 0 ? 12 : when.tm_hour % 12;
    char text[40];
    std::snprintf(text, sizeof text, "%d:%02d%s", hour, when.tm_min, when.tm_hour < 12 ? "am" : "pm");
    return text;
}

}  // namespace

QuoteBook::QuoteBook(std::uint64_t seed, const std::vector<std::string>& unknown_symbols) : seed_(seed) {
    for (const std::string& symbol : unknown_symbols) unknown_symbols_.insert(UpperCase(symbol));
}

bool QuoteBook::IsKnown(std::string_view symbol) const {
    const std::string upper = UpperCase(symbol);
    if (unknown_symbols_.count(upper)) return false;
    if (FindIndex(upper)) return true;
    return !upper.empty() && upper.size() <= 5 && std::all_of(upper.begin(), upper.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || c == '.' || c == '-';
    });
}

std::uint64_t QuoteBook::SymbolSeed(const std::string& symbol) const {
    return TextHash(symbol) ^ (seed_ * 0x9E3779B97F4A7C15ull);
}

QuoteBook::Walk QuoteBook::StartWalk(const std::string& symbol) const {
    Walk walk;
    walk.random.seed(SymbolSeed(symbol));
    const IndexScale* index = FindIndex(symbol);
    const std::int64_t base = index
                                  ? Step(walk.random, index->base, 0.05)
                                  : std::uniform_int_distribution<std::int64_t>(500, 20000)(walk.random);
    walk.previous_close = base;
    walk.open = walk.last = walk.high = walk.low = Step(walk.random, base, 0.01);
    if (!index) walk.volume = std::uniform_int_distribution<std::int64_t>(100000, 2000000)(walk.random);
    return walk;
}

std::string QuoteBook::NextQuoteLine(std::string_view symbol, std::time_t now) {
    if (!IsKnown(symbol)) {
        std::string line = "\"";
        line.append(symbol).append("\"");
        for (int field = 1; field < 9; ++field) line += ",N/A";
        return line + "\r\n";
    }
    const std::string upper = UpperCase(symbol);
    std::lock_guard lock(mutex_);
    auto found = walks_.find(upper);
    if (found == walks_.end()) found = walks_.emplace(upper, StartWalk(upper)).first;
    Walk& walk = found->second;
    walk.last = Step(walk.random, walk.last, 0.004);
    walk.high = std::max(walk.high, walk.last);
    walk.low = std::min(walk.low, walk.last);
    if (walk.volume > 0)
        walk.volume += std::uniform_int_distribution<std::int64_t>(100, 50000)(walk.random);

    std::tm when{};
    localtime_r(&now, &when);
    return "\"" + upper + "\"," + Price(walk.last) + ",\"" + TradeDate(when) + "\",\"" +
           TradeTime(when) + "\"," + SignedChange(walk.last - walk.previous_close) + "," +
           Price(walk.open) + "," + Price(walk.high) + "," + Price(walk.low) + "," +
           std::to_string(walk.volume) + "\r\n";
}

std::vector<double> QuoteBook::ChartSeries(std::string_view symbol, ChartPeriod period) const {
    if (!IsKnown(symbol)) return {};
    const std::string upper = UpperCase(symbol);
    Walk walk = StartWalk(upper);
    walk.random.seed(SymbolSeed(upper) + static_cast<std::uint64_t>(period) + 1);
    const auto [points, limit] = period == ChartPeriod::kOneDay     ? std::pair{78, 0.002}
                                 : period == ChartPeriod::kFiveDays ? std::pair{390, 0.003}
                                                                    : std::pair{252, 0.015};
    std::vector<double> series;
    std::int64_t price = walk.previous_close;
    for (int i = 0; i < points; ++i) {
        series.push_back(static_cast<double>(price) / 100.0);
        price = Step(walk.random, price, limit);
    }
    return series;
}
