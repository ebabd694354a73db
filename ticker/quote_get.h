#pragma once
// The quote cycle: the symbol under the cursor becomes one request to the quote service,
// whose one-line reply is split at commas and shown in the ticker, the change coloured by
// its sign. The callers run PrepareQuoteSymbol, BuildQuoteRequest and GetQuote in a fixed
// order, so the captions and the request already belong to the next symbol to fetch.

#include <array>
#include <cstdint>
#include <string>

class Program;

class QuoteGet {
public:
    explicit QuoteGet(Program& program) : program_(program) {}

    // A quote is one short line; a longer reply is refused before it can hold up the window.
    static constexpr int64_t kMaxReplyBytes = 64 * 1024;

    std::string SymbolCaption;  // for Label1 (Shade view)
    std::string SymbolTitle;    // for qCurrentStock (Full view)
    std::string QuoteURL;
    std::string QuoteReply;
    std::array<std::string, 10> QuoteFields;
    std::string ChangeSign;
    std::array<int16_t, 4> TextRGB{};
    std::array<int16_t, 4> ChangeRGB{};

    void PrepareQuoteSymbol();
    void BuildQuoteRequest();
    void GetQuote();

    // Fills QuoteFields from a reply line; appends the closing comma to reply.
    void SplitQuoteLine(std::string& reply);
    // Fill TextRGB / ChangeRGB from "r,g,b"; false when a part is not a number (the parts
    // before it are kept).
    bool ParseTextRGB(const std::string& color) { return ParseRGB(color, TextRGB); }
    bool ParseChangeRGB(const std::string& color) { return ParseRGB(color, ChangeRGB); }

private:
    static bool ParseRGB(const std::string& color, std::array<int16_t, 4>& parts);
    void ShowBondQuote();

    Program& program_;
};

// Text with every occurrence of find replaced; the inserted text is never searched again.
std::string ReplaceText(std::string text, const std::string& find, const std::string& replacement);

// The colour of three parsed parts, each kept within 0..255.
uint32_t ColorOf(const std::array<int16_t, 4>& parts);
