#include "ticker/quote_get.h"

#include <algorithm>

#include "platform/core/conversions.h"
#include "platform/font.h"
#include "platform/text_case.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

struct IndexEntry {
    const char* stored;
    const char* caption;
    const char* title;
};

constexpr IndexEntry kIndexEntries[] = {
    {"DJIA", "DJIA", "DJIA"},
    {"NASDAQ", "NASDAQ", "NASDAQ"},
    {"S&P 500", "S&&P 500", "S&&P 500"},
    {"30YR", "30 YR", "30 YR BOND"},
};

// The quote service's symbols for the index entries, tested in this order.
constexpr std::pair<const char*, const char*> kServiceSymbols[] = {
    {"DJIA", "^DJI"}, {"NASDAQ", "^IXIC"}, {"S&&P 500", "^SPC"}, {"30YR", "^TYX"}};

constexpr const char* kBond = "^TYX";

// Cuts text at commas into fields, the way both the reply and the colour texts are cut:
// nothing when there is no comma, at most `limit` fields.
template <class Store>
void CutAtCommas(const std::string& text, size_t limit, Store store) {
    if (text.empty() || text.find(',') == std::string::npos) return;
    std::string rest = text + ",";
    size_t start = 0;
    for (size_t field = 0; field < limit; ++field) {
        size_t comma = rest.find(',', start);
        if (comma == std::string::npos) return;
        if (!store(field, rest.substr(start, comma - start))) return;
        start = comma + 1;
    }
}

}  // namespace

void QuoteGet::PrepareQuoteSymbol() {
    Ticker& ticker = program_.ticker();
    GetSymbol& cursor = program_.getSymbol;
    if (ticker.FirstQuote) {
        ticker.FirstQuote = false;
    } else {
        cursor.NextStockRecord();
    }
    SymbolCaption = SymbolTitle = cursor.QuoteSymbol;
    for (const IndexEntry& entry : kIndexEntries) {
        if (cursor.QuoteSymbol == entry.stored) {
            SymbolCaption = entry.caption;
            SymbolTitle = entry.title;
        }
    }
    if (cursor.QuoteSymbol == "S&P 500") cursor.QuoteSymbol = "S&&P 500";
}

void QuoteGet::BuildQuoteRequest() {
    Ticker& ticker = program_.ticker();
    GetSymbol& cursor = program_.getSymbol;
    ticker.qCurrentStock.setCaption(SymbolTitle);
    for (Label* value : {&ticker.qLastPrice, &ticker.qChange, &ticker.qOpenPrice,
                         &ticker.qDailyHigh, &ticker.qDailyLow, &ticker.qVolume})
        value->setCaption("");
    ticker.Label1.setCaption(SymbolCaption);
    ticker.Label2.setCaption("Loading...");
    ticker.Label3.setCaption("");
    ticker.Label1.setToolTipText(cursor.QuoteSymbolName);
    ticker.qCurrentStock.setToolTipText(cursor.QuoteSymbolName);
    for (const auto& [stored, service] : kServiceSymbols)
        if (cursor.QuoteSymbol == stored) cursor.QuoteSymbol = service;
    QuoteURL = "http://" + program_.hosts.QuoteHost + "/d/quotes.csv?s=" + cursor.QuoteSymbol +
               "&f=sl1d1t1c1ohgv&e=.csv";
}

void QuoteGet::SplitQuoteLine(std::string& reply) {
    QuoteFields.fill("");
    if (reply.empty() || reply.find(',') == std::string::npos) return;
    CutAtCommas(reply, QuoteFields.size(), [this](size_t field, std::string text) {
        QuoteFields[field] = std::move(text);
        return true;
    });
    reply += ",";
}

bool QuoteGet::ParseRGB(const std::string& color, std::array<int16_t, 4>& parts) {
    bool numbers = true;
    CutAtCommas(color, parts.size(), [&](size_t field, const std::string& text) {
        auto value = TextToInteger(text);
        if (!value) return numbers = false;
        parts[field] = *value;
        return true;
    });
    return numbers;
}

uint32_t ColorOf(const std::array<int16_t, 4>& parts) {
    auto channel = [](int16_t value) { return std::clamp<int>(value, 0, 255); };
    return RGB(channel(parts[0]), channel(parts[1]), channel(parts[2]));
}

void QuoteGet::GetQuote() {
    Ticker& ticker = program_.ticker();
    if (QuoteURL.empty()) return;  // no request yet: an empty list shows blank values
    QuoteReply = ticker.inetQuotes.OpenURL(QuoteURL);
    if (QuoteReply.empty() || QuoteReply == "<invalid address>") {
        ticker.Label2.setCaption("Error");
        return;
    }
    SplitQuoteLine(QuoteReply);

    const std::string& change = QuoteFields[4];
    if (!change.empty()) {
        const std::string& color = change[0] == '+'   ? ticker.positivecolor
                                   : change[0] == '-' ? ticker.negativecolor
                                                      : ticker.textcolor;
        ParseChangeRGB(color);
        ticker.Label3.setForeColor(ColorOf(ChangeRGB));
        ticker.qChange.setForeColor(ColorOf(ChangeRGB));
    }

    if (program_.getSymbol.QuoteSymbol == kBond) {
        ShowBondQuote();
        return;
    }
    ticker.Label3.setCaption(QuoteFields[4]);
    ticker.Label3.setToolTipText(QuoteFields[4]);
    ticker.qLastPrice.setCaption(QuoteFields[1]);
    ticker.qChange.setCaption(QuoteFields[4]);
    ticker.qOpenPrice.setCaption(QuoteFields[5]);
    ticker.qDailyHigh.setCaption(QuoteFields[6]);
    ticker.qDailyLow.setCaption(QuoteFields[7]);
    ticker.qVolume.setCaption(QuoteFields[8]);
    ticker.Label2.setCaption(QuoteFields[1]);
    ticker.Label2.setToolTipText(QuoteFields[1]);
    ChangeSign = FirstCharacter(QuoteFields[4]);
}

// The service gives the 30-year bond at ten times its yield in percent.
void QuoteGet::ShowBondQuote() {
    Ticker& ticker = program_.ticker();
    ChangeSign = FirstCharacter(QuoteFields[4]);
    // A field that is not a number leaves its label as the request step left it.
    auto show = [this](size_t field, std::initializer_list<Label*> labels, bool tooltip = false) {
        auto value = TextToDouble(QuoteFields[field]);
        if (!value) return;
        std::string text = DoubleToText(*value * 0.1) + "%";
        for (Label* label : labels) {
            label->setCaption(text);
            if (tooltip) label->setToolTipText(text);
        }
    };
    show(4, {&ticker.Label3}, true);
    show(1, {&ticker.qLastPrice});
    show(4, {&ticker.qChange});
    show(5, {&ticker.qOpenPrice});
    show(6, {&ticker.qDailyHigh});
    show(7, {&ticker.qDailyLow});
    ticker.qVolume.setCaption(QuoteFields[8]);
    show(1, {&ticker.Label2}, true);
    // The conversion drops a leading "+"; put the sign back.
    if (FirstCharacter(ticker.Label3.Caption()) != ChangeSign) {
        ticker.Label3.setCaption(ChangeSign + ticker.Label3.Caption());
        ticker.Label3.setToolTipText(ChangeSign + ticker.Label3.ToolTipText());
        ticker.qChange.setCaption(ChangeSign + ticker.qChange.Caption());
    }
}

std::string ReplaceText(std::string text, const std::string& find, const std::string& replacement) {
    if (find.empty()) return text;
    size_t at = text.find(find);
    while (at != std::string::npos) {
        text.replace(at, find.size(), replacement);
        at = text.find(find, at + replacement.size());
    }
    return text;
}
