#include "support/ticker_fixture.h"
#include "ticker/ticker.h"

namespace {

class TickerMenusTest : public TickerTest {
protected:
    Ticker& Research(const std::string& symbol, const std::string& item) {
        // The research hosts are only named in the addresses handed to the browser.
        WriteProgramFile("vesk-ticker.conf",
                         "[Hosts]\nQuoteHost=" + server.url("").substr(7) +
                             "\nResearchHost=research.invalid\nChartPageHost=charts.invalid\n"
                             "MessageBoardHost=boards.invalid\n");
        WriteSymbols({{symbol, "Name"}, {"MSFT", "Microsoft"}});
        Ticker& ticker = ShowTicker();
        desktop.menuChoices = {item};
        ticker.Label1_MouseDown(2, 0, 10, 10);
        return ticker;
    }
};

TEST_F(TickerMenusTest, TheOptionsMenuShowsTheStateBeforeItPopsUp) {
    StoreSetting("Always On Top", "False");
    Ticker& ticker = ShowTicker();
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    ticker.Pause = true;
    ticker.picOptions_MouseDown(4, 0, 0, 0);
    ASSERT_EQ(desktop.popups.size(), 2u);
    EXPECT_EQ(desktop.popups[0].menu, "PMenu");
    EXPECT_EQ(desktop.popups[0].items,
              (std::vector<std::string>{"&About Vesk Ticker...", "-", "&Configuation...",
                                        "Check For &Updates...", "-", "Chart Browser",
                                        "Symbol Manager", "-", "Always On &Top", "-", "&Pause",
                                        "-", "E&xit"}));
    EXPECT_EQ(desktop.popups[1].items[10], "&Resume");
}

TEST_F(TickerMenusTest, AlwaysOnTopTwiceReturnsToTheFirstState) {
    Ticker& ticker = ShowTicker();
    ASSERT_TRUE(ticker.Topmost());
    desktop.menuChoices = {"AlwaysOnTopMenuItem"};
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_FALSE(ticker.Topmost());
    EXPECT_TRUE(ticker.AlwaysOnTop);
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(desktop.popups.back().items[8], "Always On &Top");
    desktop.menuChoices = {"AlwaysOnTopMenuItem"};
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_TRUE(ticker.Topmost());
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(desktop.popups.back().items[8], "Always On &Top [x]");
}

TEST_F(TickerMenusTest, PauseFromTheMenuTogglesItsCaption) {
    Ticker& ticker = ShowTicker();
    desktop.menuChoices = {"PauseMenuItem"};
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_TRUE(ticker.Pause);
    EXPECT_EQ(ticker.PauseMenuItem.Caption(), "&Resume");
}

TEST_F(TickerMenusTest, ResearchPagesCarryTheSymbolVerbatim) {
    struct Case {
        std::string stored, item, host, path;
    };
    const Case cases[] = {
        {"IBM", "NewsMenuItem", "research.invalid", "/n/I/IBM.html"},
        {"IBM", "SOneDayMenuItem", "charts.invalid", "/q?s=IBM&d=1b"},
        {"IBM", "SFiveDayMenuItem", "charts.invalid", "/q?s=IBM&d=2b"},
        {"IBM", "SOneYearMenuItem", "charts.invalid", "/q?s=IBM&d=0b"},
        {"IBM", "LOneDayMenuItem", "charts.invalid", "/q?s=IBM&d=1d"},
        {"IBM", "LFiveDayMenuItem", "charts.invalid", "/q?s=IBM&d=5d"},
        {"IBM", "LThreeMonthMenuItem", "charts.invalid", "/q?s=IBM&d=3m"},
        {"IBM", "LOneYearMenuItem", "charts.invalid", "/q?s=IBM&d=1y"},
        {"IBM", "LTwoYearMenuITem", "charts.invalid", "/q?s=IBM&d=2y"},
        {"IBM", "LFiveYearMenuITem", "charts.invalid", "/q?s=IBM&d=5y"},
        {"IBM", "MessageBoardMenuItem", "boards.invalid", "/?action=q&board=IBM"},
        {"IBM", "CompanyProfileMenuItem", "research.invalid", "/p/I/IBM.html"},
        {"IBM", "SECMenuItem", "research.invalid", "/e/l/I/IBM.html"},
        {"IBM", "ResearchMenuItem", "research.invalid", "/z/a/I/IBM.html"},
        {"IBM", "InsiderMenuItem", "research.invalid", "/t/I/IBM.html"},
        {"30YR", "NewsMenuItem", "research.invalid", "/n/3/30 YR.html"},
        {"S&P 500", "SOneDayMenuItem", "charts.invalid", "/q?s=S&&P 500&d=1b"},
        // The first letter is a whole character, of two or three bytes in UTF-8.
        {"\xC3\x84" "BC", "NewsMenuItem", "research.invalid", "/n/\xC3\x84/\xC3\x84" "BC.html"},
        {"\xE2\x82\xAC" "URO", "CompanyProfileMenuItem", "research.invalid",
         "/p/\xE2\x82\xAC/\xE2\x82\xAC" "URO.html"},
    };
    for (const Case& c : cases) {
        desktop.urls.clear();
        Research(c.stored, c.item);
        ASSERT_EQ(desktop.urls.size(), 1u) << c.item;
        EXPECT_EQ(desktop.urls[0], "http://" + c.host + c.path);
    }
}

TEST_F(TickerMenusTest, TheFullViewSymbolUsesItsOwnCaption) {
    WriteSymbols({{"30YR", "30 Year Bond"}, {"MSFT", "Microsoft"}});
    Ticker& ticker = ShowTicker();
    desktop.menuChoices = {"NewsMenuItem"};
    ticker.qCurrentStock_MouseDown(2, 0, 0, 0);
    EXPECT_EQ(ticker.InfoStock, "30 YR BOND");
    ticker.qCurrentStock_MouseDown(1, 0, 0, 0);  // other buttons do nothing here
    ticker.Label1_MouseDown(4, 0, 0, 0);
    EXPECT_EQ(desktop.popups.size(), 1u);
}

}  // namespace

namespace {

class SymbolManagerToggleTest : public TickerTest {};

TEST_F(SymbolManagerToggleTest, TheMenuItemAndTheSkinButtonOpenTheSymbolManager) {
    Ticker& ticker = ShowTicker();
    desktop.menuChoices = {"SymbolManagerMenuItem"};
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    ASSERT_EQ(runtime().Forms().size(), 2u);
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(desktop.popups.back().items[6], "Symbol Manager [x]");
    desktop.menuChoices = {"SymbolManagerMenuItem"};
    ticker.picOptions_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(runtime().Forms().size(), 1u);
    ticker.picSymbolEditor_Click();
    EXPECT_EQ(runtime().Forms().size(), 2u);
}

}  // namespace
