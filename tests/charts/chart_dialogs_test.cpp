// The New Chart Symbol and Symbol Lookup dialogs.
#include <QTest>

#include "charts/charts_fixture.h"
#include "charts/new_chart_symbol.h"
#include "charts/symbol_lookup.h"

namespace {

class ChartDialogsTest : public ChartsTest {
protected:
    NewChartSymbol& OpenSymbolDialog(Charts& charts) {
        charts.picSymbol_Click();
        return program().newChartSymbol();
    }
};

TEST_F(ChartDialogsTest, OkPutsTheSymbolInUpperCaseAndFetchesAndStoresNothing) {
    Charts& charts = ShowCharts();
    NewChartSymbol& dialog = OpenSymbolDialog(charts);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Caption(), "Vesk Ticker - New Chart Symbol");
    EXPECT_TRUE(dialog.Topmost());
    dialog.txtTickerSymbol.setText(" msft.x ");
    dialog.cmdOK_Click();
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(charts.lblSymbol.Caption(), " MSFT.X ");
    EXPECT_EQ(StoredChartSetting("Symbol"), "IBM");  // the default the load wrote back
    EXPECT_EQ(ChartRequests(), 0u);
}

TEST_F(ChartDialogsTest, CancelAndEscapeChangeNothingAndEnterPressesOk) {
    Charts& charts = ShowCharts();
    NewChartSymbol& dialog = OpenSymbolDialog(charts);
    dialog.txtTickerSymbol.setText("aapl");
    dialog.cmdCancel_Click();
    EXPECT_EQ(charts.lblSymbol.Caption(), "IBM");

    OpenSymbolDialog(charts);
    dialog.txtTickerSymbol.setText("aapl");
    QTest::keyClick(dialog.txtTickerSymbol.Widget(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(charts.lblSymbol.Caption(), "IBM");

    OpenSymbolDialog(charts);
    dialog.txtTickerSymbol.setText("aapl");
    QTest::keyClick(dialog.txtTickerSymbol.Widget(), Qt::Key_Return);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(charts.lblSymbol.Caption(), "AAPL");
}

TEST_F(ChartDialogsTest, OkAfterTheChartWindowClosedLoadsItWithoutShowingIt) {
    Charts& charts = ShowCharts();
    NewChartSymbol& dialog = OpenSymbolDialog(charts);
    charts.picExit_Click();
    dialog.txtTickerSymbol.setText("dell");
    dialog.cmdOK_Click();
    EXPECT_TRUE(charts.Loaded());
    EXPECT_FALSE(charts.Visible());
    EXPECT_EQ(charts.lblSymbol.Caption(), "DELL");
}

TEST_F(ChartDialogsTest, TheLookupSendsTheWordsJoinedByPlusSignsUnescaped) {
    Charts& charts = ShowCharts();
    NewChartSymbol& dialog = OpenSymbolDialog(charts);
    dialog.lblSymbolLookup_Click();
    SymbolLookup& lookup = program().symbolLookup();
    EXPECT_TRUE(lookup.Visible());
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(lookup.Caption(), "Vesk Ticker - Symbol Lookup");
    lookup.Text1.setText("big blue &  co");
    QTest::keyClick(lookup.Text1.Widget(), Qt::Key_Return);
    EXPECT_FALSE(lookup.Loaded());
    EXPECT_TRUE(dialog.Loaded());
    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_EQ(desktop.urls[0], "http://" + server.url("").substr(7) + "/l?s=big+blue+&++co");
}

}  // namespace
