// The ticker against the local quote service it ships with, as a user runs it.
#include <QRegularExpression>
#include <QTimer>

#include "service.h"
#include "settings/registry2.h"
#include "support/program_fixture.h"
#include "ticker/start_up.h"
#include "ticker/ticker.h"

namespace {

class LocalServiceTest : public ProgramTest {
protected:
    Ticker& StartAgainst(ServiceOptions options) {
        options.port = 0;
        service = std::make_unique<QuoteService>(options);
        int port = service->Start();
        EXPECT_GT(port, 0);
        WriteProgramFile("vesk-ticker.conf", "[Hosts]\nQuoteHost=127.0.0.1:" + std::to_string(port));
        StartUp::Main(Start());
        return program().ticker();
    }
    void TearDown() override {
        if (service) service->Stop();
    }
    std::unique_ptr<QuoteService> service;
};

TEST_F(LocalServiceTest, QuotesAndIndicesAreShown) {
    WriteSymbols({{"IBM", "International Business Machines"}, {"30YR", "30 Year Bond"}});
    Ticker& ticker = StartAgainst({});
    EXPECT_TRUE(QString::fromStdString(ticker.Label2.Caption()).contains(QRegularExpression("^\\d+\\.\\d\\d$")))
        << ticker.Label2.Caption();
    EXPECT_TRUE(ticker.Label3.Caption()[0] == '+' || ticker.Label3.Caption()[0] == '-' ||
                ticker.Label3.Caption() == "0.00");
    ticker.Interval = 0;
    ticker.Timer2_Timer();
    EXPECT_TRUE(QString::fromStdString(ticker.Label2.Caption()).contains(QRegularExpression("^5\\.\\d+%$")))
        << ticker.Label2.Caption();
    EXPECT_EQ(ticker.Label1.Caption(), "30 YR");
}

TEST_F(LocalServiceTest, AServiceSlowerThanTheTimeOutShowsErrorWhileTicksGoOn) {
    WriteSymbols({{"IBM", "IBM"}});
    Start();  // a first run stores the time-out for the one that follows
    Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey);
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, "Timeout", "1");
    ServiceOptions slow;
    slow.knobs.latency_ms = 3000;
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, &clock, [&] { ++ticks; });
    clock.start(50);
    Ticker& ticker = StartAgainst(slow);
    EXPECT_EQ(ticker.Label2.Caption(), "Error");
    // The clock is due long before the time-out, so any turn of the loop inside the
    // fetch ticks it; how often depends on the machine's load.
    EXPECT_GE(ticks, 1);
}

}  // namespace
