// Updating the chart: the fetch, chart.gif and what the window shows.
#include <QTest>
#include <QTimer>

#include "charts/charts_fixture.h"
#include "service.h"

namespace {

class ChartDownloadTest : public ChartsTest {
protected:
    Charts& ShowYearChart() {
        StoreChartSetting("Symbol", "IBM");
        StoreChartSetting("Chart Type", "1 Year");
        return ShowCharts();
    }
};

TEST_F(ChartDownloadTest, RepliesOf150Or151BytesLeaveTheFileAndOthersReplaceIt) {
    Charts& charts = ShowYearChart();
    for (size_t length : {149u, 150u, 151u, 152u, 0u}) {
        WriteProgramFile("chart.gif", "previous");
        const std::string reply(length, 'x');
        SetChartReply("/c/0b/i/ibm.gif", reply);
        charts.picUpdate_Click();
        bool kept = length == 150 || length == 151;
        EXPECT_EQ(ReadProgramFile("chart.gif"), kept ? "previous" : reply) << length;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(ProgramFile("chart.gif.part"))));
    }
    EXPECT_FALSE(charts.gifCharts.HasImage());  // an empty file shows nothing
}

TEST_F(ChartDownloadTest, AChartIsStoredAsReceivedAndShownWhileLoadingShowsMeanwhile) {
    Charts& charts = ShowYearChart();
    const std::string first = Gif(192, 96), second = Gif(150, 80);
    TestHttpServer::Route slow;
    slow.body = QByteArray::fromStdString(first);
    slow.delayMs = 100;
    server.setRoute("/c/0b/i/ibm.gif", slow);
    bool loadingSeen = false, watchdog = false;
    QObject context;  // the timers die with the test
    QTimer::singleShot(50, &context, [&] {
        loadingSeen = charts.lblLoading.Visible() && !charts.gifCharts.Visible();
    });
    QTimer::singleShot(5000, &context, [&] { watchdog = true; });
    charts.picUpdate_Click();
    ASSERT_FALSE(watchdog);
    EXPECT_TRUE(loadingSeen);
    EXPECT_EQ(ReadProgramFile("chart.gif"), first);
    EXPECT_FALSE(charts.lblLoading.Visible());
    EXPECT_TRUE(charts.gifCharts.Visible());
    EXPECT_EQ(charts.gifCharts.ImageWidthPixels(), 192);

    // The same period and symbol again: the new bytes are written and shown.
    SetChartReply("/c/0b/i/ibm.gif", second);
    charts.picUpdate_Click();
    EXPECT_EQ(ReadProgramFile("chart.gif"), second);
    EXPECT_EQ(charts.gifCharts.ImageWidthPixels(), 150);
    EXPECT_EQ(server.requestLines().back(), "GET /c/0b/i/ibm.gif HTTP/1.1");
}

TEST_F(ChartDownloadTest, AFailedFetchOrAnUnknownPeriodKeepsThePreviousChart) {
    const std::string previous = Gif(40, 20);
    WriteProgramFile("chart.gif", previous);
    StoreChartSetting("Symbol", "IBM");
    StoreChartSetting("Chart Type", "1 Day");
    Charts& charts = ShowCharts();
    SetChartReply("/t", "Not Found", 404);
    charts.picUpdate_Click();
    EXPECT_EQ(ReadProgramFile("chart.gif"), previous);
    EXPECT_EQ(charts.gifCharts.ImageWidthPixels(), 40);
    EXPECT_TRUE(charts.gifCharts.Visible());
    EXPECT_FALSE(charts.lblLoading.Visible());

    size_t requests = ChartRequests();
    charts.lblChartType.setCaption("2 Weeks");
    charts.picUpdate_Click();
    EXPECT_EQ(ChartRequests(), requests);
    EXPECT_EQ(ReadProgramFile("chart.gif"), previous);
}

TEST_F(ChartDownloadTest, TheQueryCarriesTheSymbolAsTheLabelHoldsIt) {
    Charts& charts = ShowCharts();
    SetChartReply("/v", "chart");
    charts.lblChartType.setCaption("5 Day");
    charts.lblSymbol.setCaption("ibm");
    charts.picUpdate_Click();
    charts.lblSymbol.setCaption("IBM");
    charts.picUpdate_Click();
    const auto& lines = server.requestLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "GET /v?s=ibm HTTP/1.1");
    EXPECT_EQ(lines.back(), "GET /v?s=IBM HTTP/1.1");
}

TEST_F(ChartDownloadTest, EnterReleasedOnTheWindowOrAnyOfItsPicturesUpdates) {
    Charts& charts = ShowCharts();
    SetChartReply("/c/0b/i/ibm.gif", Gif(10, 10));
    Control* controls[] = {&charts.picBottom, &charts.picCharts, &charts.picChartType,
                           &charts.picExit,   &charts.picLeft,   &charts.picRight,
                           &charts.picSymbol, &charts.picTop,    &charts.picUpdate};
    for (Control* control : controls) {
        size_t before = ChartRequests();
        int other = 'A', enter = 13;
        control->OnKeyUp(other, 0);
        EXPECT_EQ(ChartRequests(), before) << control->Name();
        control->OnKeyUp(enter, 0);
        EXPECT_EQ(ChartRequests(), before + 1) << control->Name();
    }
    // The window itself hears a real key release.
    size_t before = ChartRequests();
    QWidget* window = charts.picTop.Widget()->window();
    QTest::keyRelease(window, Qt::Key_A);
    EXPECT_EQ(ChartRequests(), before);
    QTest::keyRelease(window, Qt::Key_Return);
    EXPECT_EQ(ChartRequests(), before + 1);
}

TEST_F(ChartDownloadTest, TheLocalQuoteServiceDrawsChartsAndKnowsNoChartForUnknownSymbols) {
    ServiceOptions options;
    options.port = 0;
    QuoteService service(options);
    int port = service.Start();
    ASSERT_GT(port, 0);
    const std::string host = "127.0.0.1:" + std::to_string(port);
    WriteProgramFile("vesk-ticker.conf", "[Hosts]\nQuoteHost=" + host + "\nChartHostA=" + host +
                                             "\nChartHostB=" + host + "\n");
    Charts& charts = ShowCharts();
    for (const char* period : {"1 Day", "5 Day", "1 Year"}) {
        charts.lblChartType.setCaption(period);
        charts.picUpdate_Click();
        EXPECT_EQ(charts.gifCharts.ImageWidthPixels(), 192) << period;
        EXPECT_EQ(charts.gifCharts.ImageHeightPixels(), 96) << period;
    }
    const std::string chart = ReadProgramFile("chart.gif");
    charts.lblSymbol.setCaption("ZZZZ");
    charts.picUpdate_Click();
    EXPECT_EQ(ReadProgramFile("chart.gif"), chart);
    EXPECT_TRUE(charts.gifCharts.HasImage());
    service.Stop();
}

}  // namespace
