#include <fstream>
#include <iterator>

#include "charts/charts.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/ticker_fixture.h"
#include "ticker/ticker.h"

namespace {

class TickerSaveTest : public TickerTest {
protected:
    std::string Main(const char* name) { return StoredText(Registry2::kMainKey, name); }
    std::string Chart(const char* name) { return StoredText(Registry2::kChartKey, name); }
    std::string StoredText(std::string_view key, const char* name) {
        StoredValue value = ReadStored(runtime().registry(), key, name);
        return value.found ? value.bytes.substr(0, value.bytes.find('\0')) : "<missing>";
    }
    void StoreChart(const char* name, const char* value) {
        Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, name, value);
    }
};

TEST_F(TickerSaveTest, ExitWithTheChartWindowClosedStoresWhereItWouldOpen) {
    StoreSetting("Always On Top", "False");
    Ticker& ticker = ShowTicker();
    StoreChart("Left", "-900");  // off the work area: opening would pull it back in
    ticker.Move(1500, 3000);
    ticker.picWindow.setTag("Medium");
    ticker.ExitMenuItem_Click();
    EXPECT_TRUE(desktop.ended);
    EXPECT_EQ(Main("Left"), "1500");
    EXPECT_EQ(Main("Top"), "3000");
    EXPECT_EQ(Main("Height"), "Full");  // any view but Shade
    EXPECT_EQ(Main("Always On Top"), "False");
    EXPECT_EQ(Chart("StartUp"), "False");
    EXPECT_EQ(Chart("Left"), "0");
    EXPECT_FALSE(ticker.isLoaded(program().charts()) && program().charts().Visible());

    // A user who opens the settings file after the exit finds each key once.
    std::ifstream file(runtime().registry().StorePath());
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const std::string mainKey = "[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n";
    EXPECT_NE(text.find(mainKey), std::string::npos) << text;
    EXPECT_EQ(text.find(mainKey), text.rfind(mainKey)) << text;
}

TEST_F(TickerSaveTest, TheExitButtonAlsoStoresTheOpenChartWindowsSymbolAndPeriod) {
    Ticker& ticker = ShowTicker();
    Charts& charts = program().charts();
    charts.Show();
    charts.lblSymbol.setCaption("MSFT");
    charts.lblChartType.setCaption("5 Day");
    ticker.ExitMenuItem_Click();
    EXPECT_EQ(Chart("StartUp"), "True");
    EXPECT_EQ(Chart("Symbol"), "IBM");  // the Exit item leaves them as last saved
    ticker.picExit_MouseUp(2, 0, 0, 0);
    EXPECT_EQ(Chart("Symbol"), "MSFT");
    EXPECT_EQ(Chart("Chart Type"), "5 Day");
}

TEST_F(TickerSaveTest, AnUnloadSavesAndClosesTheChartWindowAndAReloadReadsItBack) {
    Ticker& ticker = ShowTicker();
    program().showContents.Docked = true;
    ticker.picWindow_Click();  // to Shade
    ticker.Move(4500, 1500);
    ticker.Unload();
    EXPECT_FALSE(program().loadedCharts());
    EXPECT_EQ(Main("Docked"), "True");
    EXPECT_EQ(Main("Height"), "Shade");
    ticker.Show();
    EXPECT_EQ(ticker.picWindow.Tag(), "Shade");
    EXPECT_FLOAT_EQ(ticker.Left(), 4500);
    EXPECT_TRUE(program().showContents.Docked);
}

}  // namespace
