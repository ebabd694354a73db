#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/ticker_fixture.h"
#include "platform/frame.h"
#include "ticker/config.h"
#include "ticker/ticker.h"

namespace {

class ConfigTest : public TickerTest {
protected:
    Config& Open() {
        WriteSymbols({{"IBM", "IBM"}, {"MSFT", "Microsoft"}});
        ShowTicker();
        desktop.menuChoices = {"ConfiguartionMenuItem"};
        program().ticker().picOptions_MouseDown(1, 0, 0, 0);
        return program().config();
    }
    std::string Stored(const char* name) {
        return GetString::GetStringValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, name);
    }
};

TEST_F(ConfigTest, AFreshMachineShowsTheDefaults) {
    Config& config = Open();
    EXPECT_TRUE(config.Visible());
    EXPECT_TRUE(config.CL);
    EXPECT_EQ(config.Caption(), "Vesk Ticker - Configuration");
    EXPECT_EQ(config.txtSeconds.Text(), "10");
    EXPECT_EQ(config.txtTimeout.Text(), "60");
    EXPECT_TRUE(config.optTickerSize[0].Value());
    EXPECT_FALSE(config.optTickerSize[1].Value());
}

TEST_F(ConfigTest, OkStoresTheSettingsAndRestartsTheTicker) {
    Config& config = Open();
    config.txtSeconds.setText("5");
    config.txtTimeout.setText("");
    config.optTickerSize[1].setValue(true);
    program().ticker().picWindow.setTag("Shade");
    size_t before = server.requestLines().size();
    config.Command1.Press();
    EXPECT_FALSE(config.Loaded());
    EXPECT_FALSE(config.CL);
    EXPECT_EQ(Stored("Interval"), "5");
    EXPECT_EQ(Stored("Timeout"), "60");  // an empty box keeps the stored value
    EXPECT_EQ(Stored("Size"), "Large");
    EXPECT_EQ(Stored("Height"), "Shade");
    EXPECT_EQ(Stored("Always On Top"), "True");
    Ticker& ticker = program().ticker();
    EXPECT_TRUE(ticker.Visible());
    EXPECT_EQ(ticker.Interval, 5);
    EXPECT_FLOAT_EQ(ticker.Width(), 4200);  // back in its Large size
    EXPECT_EQ(ticker.picWindow.Tag(), "Shade");
    EXPECT_EQ(server.requestLines().size(), before + 1);  // the reload fetched at once
}

TEST_F(ConfigTest, TextThatIsNotAWholeNumberIsRefused) {
    Config& config = Open();
    for (const char* text : {"", "1.5", "-3", "ab"}) {
        desktop.boxes.clear();
        config.txtSeconds.setText(text);
        config.Command1.Press();
        EXPECT_TRUE(config.Loaded()) << text;
        ASSERT_EQ(desktop.boxes.size(), 1u) << text;
        EXPECT_EQ(Stored("Interval"), "10");
    }
    config.txtSeconds.setText("7");
    config.txtTimeout.setText("x");
    config.Command1.Press();
    EXPECT_TRUE(config.Loaded());
    EXPECT_EQ(Stored("Timeout"), "60");
}

TEST_F(ConfigTest, CancelAndTheCloseBoxStoreNothingAndLetTheTickerRefresh) {
    Config& config = Open();
    config.txtSeconds.setText("3");
    config.Command2.Press();
    EXPECT_FALSE(config.Loaded());
    EXPECT_FALSE(config.CL);
    EXPECT_EQ(Stored("Interval"), "10");
    config.Show();
    EXPECT_TRUE(config.CL);
    config.Unload();
    EXPECT_FALSE(config.CL);
}

TEST_F(ConfigTest, TypingStopsAtThreeCharacters) {
    Config& config = Open();
    auto* box = qobject_cast<QLineEdit*>(config.txtSeconds.Widget());
    ASSERT_NE(box, nullptr);
    box->selectAll();
    QTest::keyClicks(box, "12345");
    EXPECT_EQ(config.txtSeconds.Text(), "123");
    EXPECT_EQ(box->text().toStdString(), "123");
}

TEST_F(ConfigTest, ALongerStoredValueIsKeptWholeAndOnlyTypingIsLimited) {
    StoreSetting("Interval", "1000");
    Config& config = Open();
    auto* box = qobject_cast<QLineEdit*>(config.txtSeconds.Widget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text().toStdString(), "1000");
    EXPECT_EQ(config.txtSeconds.Text(), "1000");  // what OK stores
    box->end(false);
    QTest::keyClick(box, Qt::Key_5);  // no room for more
    EXPECT_EQ(box->text().toStdString(), "1000");
    QTest::keyClick(box, Qt::Key_Backspace);  // but it may shrink
    EXPECT_EQ(box->text().toStdString(), "100");
    QTest::keyClick(box, Qt::Key_0);  // now the limit holds again
    EXPECT_EQ(config.txtSeconds.Text(), "100");
}

// The rows of column x in the image that differ from the colour at its first row.
std::vector<int> LinesInColumn(const QImage& image, int x) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) != image.pixelColor(x, 0)) rows.push_back(y);
    return rows;
}

TEST_F(ConfigTest, FramesCarryTheirCaptionOnTheTopLineAndLabelsLieClearOnThem) {
    Config& config = Open();
    for (const Frame* frame : {&config.Frame3, &config.Frame5, &config.Frame4}) {
        SCOPED_TRACE(frame->Caption());
        QWidget* widget = frame->Widget();
        const QImage shown = widget->grab().toImage();
        const int captionHeight = QFontMetrics(widget->font()).height();
        // Right of the caption, the only lines are the frame's top and bottom edges: the top
        // one crosses the caption's middle, the bottom one closes the box at its foot.
        const std::vector<int> lines = LinesInColumn(shown, shown.width() - 20);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_LT(lines.front(), captionHeight);
        EXPECT_GT(lines.front(), captionHeight / 4);
        EXPECT_GE(lines.back(), shown.height() - 3);
        EXPECT_EQ(shown.pixelColor(shown.width() - 20, shown.height() / 2), shown.pixelColor(shown.width() - 20, 0))
            << "the box is not filled";
        for (int row : lines)
            EXPECT_TRUE(row < captionHeight || row >= shown.height() - 3) << "a line inside the box at row " << row;
    }
    // A label's empty corner shows the frame's own colour beside it.
    const QImage shown = config.Frame3.Widget()->grab().toImage();
    const QRect label = config.Label4.Widget()->geometry();
    EXPECT_EQ(shown.pixelColor(label.right(), label.bottom()), shown.pixelColor(label.right() + 2, label.bottom()));
}

}  // namespace
