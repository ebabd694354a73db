#include "platform/label.h"
#include "support/ticker_fixture.h"
#include "ticker/quote_get.h"
#include "ticker/ticker.h"

namespace {

class QuoteCycleTest : public TickerTest {
protected:
    // Shows the ticker on one symbol and returns it after its first fetch.
    Ticker& FetchOne(const std::string& symbol, const std::string& reply) {
        WriteSymbols({{symbol, "Name of " + symbol}});
        SetQuoteReply(reply);
        return ShowTicker();
    }
};

TEST_F(QuoteCycleTest, IndexEntriesShowTheirCaptionsAndAskForTheServiceSymbol) {
    struct Case {
        std::string stored, caption, title, requested;
    };
    const Case cases[] = {
        {"DJIA", "DJIA", "DJIA", "^DJI"},
        {"NASDAQ", "NASDAQ", "NASDAQ", "^IXIC"},
        {"S&P 500", "S&P 500", "S&P 500", "^SPC"},
        {"30YR", "30 YR", "30 YR BOND", "^TYX"},
        {"ibm", "ibm", "ibm", "ibm"},
    };
    for (const Case& c : cases) {
        WriteSymbols({{c.stored, "Index"}, {"MSFT", "Microsoft"}});
        Start();
        runtime().files().ChDir(programFolder.path().toStdString());
        program().getSymbol.OpenStockData();
        program().ticker().FirstQuote = true;
        QuoteGet& quotes = program().quoteGet;
        quotes.PrepareQuoteSymbol();
        quotes.BuildQuoteRequest();
        Ticker& ticker = program().ticker();
        EXPECT_EQ(ticker.Label1.DisplayText(), c.caption);
        EXPECT_EQ(ticker.qCurrentStock.DisplayText(), c.title);
        EXPECT_EQ(ticker.Label2.Caption(), "Loading...");
        EXPECT_EQ(ticker.Label1.ToolTipText(), "Index");
        EXPECT_EQ(program().getSymbol.QuoteSymbol, c.requested);
        EXPECT_NE(quotes.QuoteURL.find("/d/quotes.csv?s=" + c.requested + "&f=sl1d1t1c1ohgv&e=.csv"),
                  std::string::npos);
    }
}

TEST_F(QuoteCycleTest, AQuoteFillsTheLabelsAsReceived) {
    Ticker& ticker =
        FetchOne("IBM", "\"IBM\",84.50,\"12/10/2026\",\"4:01pm\",+0.88,84.40,85.00,83.60,4573100\r\n");
    EXPECT_EQ(ticker.Label2.Caption(), "84.50");
    EXPECT_EQ(ticker.Label3.Caption(), "+0.88");
    EXPECT_EQ(ticker.qLastPrice.Caption(), "84.50");
    EXPECT_EQ(ticker.qChange.Caption(), "+0.88");
    EXPECT_EQ(ticker.qOpenPrice.Caption(), "84.40");
    EXPECT_EQ(ticker.qDailyHigh.Caption(), "85.00");
    EXPECT_EQ(ticker.qDailyLow.Caption(), "83.60");
    EXPECT_EQ(ticker.qVolume.Caption(), "4573100\r\n");  // the line end stays in the last field
    EXPECT_EQ(RequestedSymbols(), std::vector<std::string>{"IBM"});
}

TEST_F(QuoteCycleTest, TheBondIsScaledToItsYieldWithItsSignPutBack) {
    struct Case {
        std::string reply, price, change;
    };
    const Case cases[] = {
        {"\"^TYX\",55.25,\"d\",\"t\",+0.12,55.10,55.40,55.00,0", "5.525%", "+0.012%"},
        {"\"^TYX\",55.25,\"d\",\"t\",-0.12,55.10,55.40,55.00,0", "5.525%", "-0.012%"},
    };
    for (const Case& c : cases) {
        Ticker& ticker = FetchOne("30YR", c.reply);
        EXPECT_EQ(ticker.Label2.Caption(), c.price);
        EXPECT_EQ(ticker.qLastPrice.Caption(), c.price);
        EXPECT_EQ(ticker.Label3.Caption(), c.change);
        EXPECT_EQ(ticker.Label3.ToolTipText(), c.change);
        EXPECT_EQ(ticker.qChange.Caption(), c.change);
        EXPECT_EQ(ticker.qOpenPrice.Caption(), "5.51%");
        EXPECT_EQ(ticker.qVolume.Caption(), "0");
    }
}

TEST_F(QuoteCycleTest, TheChangeIsColouredByItsFirstCharacter) {
    Ticker& ticker = FetchOne("IBM", "\"IBM\",1,\"d\",\"t\",+0.5,1,1,1,1");
    ticker.positivecolor = "0,200,0";
    ticker.negativecolor = "200,0,0";
    ticker.textcolor = "10,20,30";
    struct Case {
        std::string change;
        Color expected;
    };
    const Case cases[] = {{"+0.5", RGB(0, 200, 0)},
                          {"-0.5", RGB(200, 0, 0)},
                          {"0.00", RGB(10, 20, 30)},
                          {"", RGB(10, 20, 30)}};  // an empty change keeps the last colour
    for (const Case& c : cases) {
        SetQuoteReply("\"IBM\",1,\"d\",\"t\"," + c.change + ",1,1,1,1");
        program().quoteGet.GetQuote();
        EXPECT_EQ(ticker.Label3.ForeColor(), c.expected) << c.change;
        EXPECT_EQ(ticker.qChange.ForeColor(), c.expected) << c.change;
    }
}

TEST_F(QuoteCycleTest, RepliesThatCarryNoQuote) {
    struct Case {
        std::string symbol, reply, label2;
    };
    const Case cases[] = {
        {"IBM", "", "Error"},
        {"IBM", "<invalid address>", "Error"},
        {"IBM", "no commas here", ""},
        {"30YR", "no commas here", "Loading..."},  // the bond's conversions fail
    };
    for (const Case& c : cases) {
        Ticker& ticker = FetchOne(c.symbol, c.reply);
        EXPECT_EQ(ticker.Label2.Caption(), c.label2) << c.reply;
        EXPECT_EQ(ticker.Label3.Caption(), "") << c.reply;
        EXPECT_EQ(ticker.qLastPrice.Caption(), "") << c.reply;
        EXPECT_EQ(ticker.Label3.ForeColor(), kBlack) << c.reply;
    }
}

// A quote is one line; anything much longer is refused rather than held and drawn.
TEST_F(QuoteCycleTest, AQuoteReplyAbove64KiBIsAnError) {
    const std::string quote =
        "\"IBM\",84.50,\"12/10/2026\",\"4:01pm\",+0.88,84.40,85.00,83.60,4573100,";
    struct Case {
        size_t length;
        std::string label2;
    };
    for (const Case& c : {Case{64 * 1024, "84.50"}, Case{64 * 1024 + 1, "Error"},
                          Case{8 * 1024 * 1024, "Error"}}) {
        Ticker& ticker = FetchOne("IBM", quote + std::string(c.length - quote.size(), 'x'));
        EXPECT_EQ(ticker.Label2.Caption(), c.label2) << c.length;
    }
}

TEST_F(QuoteCycleTest, ReplyFieldsAreCutAtCommasUpToTen) {
    struct Case {
        std::string reply;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"a,b,c,d,e,f,g,h,i,j,k,l", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
        {"\"IBM\",,x", {"\"IBM\"", "", "x", "", "", "", "", "", "", ""}},
        {"no comma", std::vector<std::string>(10)},
        {"", std::vector<std::string>(10)},
    };
    QuoteGet& quotes = Start().quoteGet;
    for (const Case& c : cases) {
        std::string reply = c.reply;
        quotes.SplitQuoteLine(reply);
        EXPECT_EQ(std::vector<std::string>(quotes.QuoteFields.begin(), quotes.QuoteFields.end()),
                  c.fields)
            << c.reply;
    }
}

TEST(ReplaceTextTest, EveryOccurrenceIsReplacedOnce) {
    EXPECT_EQ(ReplaceText("one two three", " ", "+"), "one+two+three");
    EXPECT_EQ(ReplaceText("one two three", " ", "++"), "one++two++three");
    EXPECT_EQ(ReplaceText("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceText("text", "", "+"), "text");
}

}  // namespace
