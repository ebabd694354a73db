#include "support/ticker_fixture.h"
#include "support/wait_until.h"
#include "ticker/config.h"
#include "ticker/ticker.h"

namespace {

class RefreshTimerTest : public TickerTest {
protected:
    void SetUp() override { WriteSymbols({{"IBM", "IBM"}, {"MSFT", "Microsoft"}, {"AAPL", "Apple"}}); }
    // Runs the refresh timer's handler once per tick and returns the ticks that fetched.
    std::vector<int> TicksThatFetch(Ticker& ticker, int ticks) {
        std::vector<int> fetched;
        for (int tick = 1; tick <= ticks; ++tick) {
            size_t before = server.requestLines().size();
            ticker.Timer2_Timer();
            if (server.requestLines().size() > before) fetched.push_back(tick);
        }
        return fetched;
    }
};

TEST_F(RefreshTimerTest, ARefreshComesEveryIntervalPlusOneTicks) {
    StoreSetting("Interval", "10");
    Ticker& ticker = ShowTicker();
    EXPECT_EQ(TicksThatFetch(ticker, 33), (std::vector<int>{11, 22, 33}));
    EXPECT_EQ(RequestedSymbols(), (std::vector<std::string>{"IBM", "MSFT", "AAPL", "IBM"}));
}

TEST_F(RefreshTimerTest, AnIntervalOfZeroRefreshesAtEveryTick) {
    StoreSetting("Interval", "0");
    Ticker& ticker = ShowTicker();
    EXPECT_EQ(TicksThatFetch(ticker, 3), (std::vector<int>{1, 2, 3}));
}

TEST_F(RefreshTimerTest, PauseAndOpenSettingsDialogsHoldTheRefresh) {
    StoreSetting("Interval", "2");
    Ticker& ticker = ShowTicker();
    ticker.Label1_DblClick();
    EXPECT_TRUE(ticker.Pause);
    EXPECT_TRUE(TicksThatFetch(ticker, 7).empty());
    ticker.qCurrentStock_DblClick();
    EXPECT_FALSE(ticker.Pause);
    // The count kept running while paused (0, 1, 2, reset, 1, 2, reset, 1), so the next
    // refresh comes at the second tick.
    EXPECT_EQ(TicksThatFetch(ticker, 3), (std::vector<int>{2}));

    program().config().CL = true;
    EXPECT_TRUE(TicksThatFetch(ticker, 6).empty());
    program().config().CL = false;
    EXPECT_FALSE(TicksThatFetch(ticker, 3).empty());
}

TEST_F(RefreshTimerTest, TheTimerIsOffDuringTheFetchAndEventsRunWhileItWaits) {
    StoreSetting("Interval", "0");
    Ticker& ticker = ShowTicker();
    // The server answers on this thread, so its hook running at all shows that the loop
    // turns while the fetch waits.
    bool arrived = false;
    bool timerOffDuringFetch = false;
    TestHttpServer::Route route;
    route.body = "\"IBM\",1,\"d\",\"t\",+1,1,1,1,1";
    route.arrived = [&] {
        arrived = true;
        timerOffDuringFetch = !ticker.Timer2.Enabled();
    };
    server.setRoute("/d/quotes.csv", route);
    ticker.Timer2_Timer();
    EXPECT_TRUE(arrived);
    EXPECT_TRUE(timerOffDuringFetch);
    EXPECT_TRUE(ticker.Timer2.Enabled());
    EXPECT_EQ(ticker.Label2.Caption(), "1");
}

TEST_F(RefreshTimerTest, ASlowOrRefusedServiceShowsError) {
    StoreSetting("Timeout", "1");
    SetQuoteReply("\"IBM\",1,\"d\",\"t\",+1,1,1,1,1", 3000);
    Ticker& slow = ShowTicker();
    EXPECT_EQ(slow.Label2.Caption(), "Error");

    WriteProgramFile("vesk-ticker.conf",
                     "[Hosts]\nQuoteHost=127.0.0.1:" + std::to_string(TestHttpServer::unusedPort()));
    Ticker& refused = ShowTicker();
    EXPECT_EQ(refused.Label2.Caption(), "Error");
}

TEST_F(RefreshTimerTest, TheRealTimerRefreshesOnItsOwn) {
    StoreSetting("Interval", "0");
    ShowTicker();
    size_t before = server.requestLines().size();
    EXPECT_TRUE(WaitUntil([&] { return server.requestLines().size() > before; }, 30000))
        << "no refresh within 30 s";
}

}  // namespace
