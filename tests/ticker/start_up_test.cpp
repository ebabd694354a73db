#include <QFile>

#include "support/ticker_fixture.h"
#include "ticker/start_up.h"
#include "ticker/ticker.h"

namespace {

class StartUpTest : public TickerTest {};

TEST_F(StartUpTest, SmallAndLargeFontsShowTheTicker) {
    for (int dpi : {96, 120}) {
        desktop.dpi = dpi;
        WriteSymbols({{"IBM", "IBM"}});
        StartUp::Main(Start());
        EXPECT_TRUE(program().ticker().Visible()) << dpi;
        EXPECT_TRUE(desktop.boxes.empty()) << dpi;
        EXPECT_FALSE(desktop.ended);
    }
}

TEST_F(StartUpTest, OtherScreensAreRefusedWithNothingShownOrStored) {
    desktop.dpi = 144;
    StartUp::Main(Start());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Vesk Ticker must be run in either Small or Large Font mode. You are not using "
              "either of these. If you would like to use Vesk Ticker, please adjust your Font "
              "Size.");
    EXPECT_EQ(desktop.boxes[0].title, "Vesk Ticker");
    EXPECT_EQ(desktop.boxes[0].style, 48);
    EXPECT_TRUE(desktop.ended);
    EXPECT_TRUE(runtime().Forms().empty());
    EXPECT_FALSE(ReadStored(runtime().registry(), "Software\\Vesk Ticker", "Left").found);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ProgramFile("stockdata.std"))));
}

TEST_F(StartUpTest, AFirstRunCreatesAnEmptySymbolList) {
    StartUp::Main(Start());
    EXPECT_TRUE(program().ticker().Visible());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(ProgramFile("stockdata.std"))));
    EXPECT_EQ(ReadProgramFile("stockdata.std"), "");
    EXPECT_EQ(program().ticker().Label2.Caption(), "");  // nothing to ask for yet
    EXPECT_TRUE(desktop.boxes.empty());
}

}  // namespace
