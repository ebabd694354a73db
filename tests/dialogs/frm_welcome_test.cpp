#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "dialogs/frm_welcome.h"
#include "platform/qt/font_map.h"
#include "support/ticker_fixture.h"
#include "support/wait_until.h"
#include "ticker/start_up.h"
#include "ticker/ticker.h"

namespace {

class WelcomeTest : public TickerTest {};

TEST_F(WelcomeTest, AFirstRunIsGreetedAfterTheTicker) {
    StartUp::Main(Start());
    EXPECT_TRUE(program().ticker().Visible());
    frmWelcome& welcome = program().frmWelcome();
    ASSERT_TRUE(welcome.Visible());
    EXPECT_EQ(welcome.Caption(), "Welcome to Vesk Ticker");
    EXPECT_EQ(welcome.txtInfo.Text(),
              "Welcome to Vesk Ticker!\r\n"
              "\r\n"
              "To begin using Vesk Ticker, you must first build a list of symbols to receive "
              "quotes for. To do this:\r\n"
              "\r\n"
              "1.  Either click on the button that resembles a list (the second button down on "
              "the right hand side of the ticker) OR click on the Options button (the button on "
              "the top left-hand side of the ticker) and click on Symbol Manager in the Options "
              "menu.\r\n"
              "\r\n"
              "2.  While in the Symbol Manager, use the Symbol menu at the top to add, modify, or "
              "delete symbols.");
    EXPECT_EQ(runtime().Forms().back(), &welcome);
}

TEST_F(WelcomeTest, TheTextFitsWithoutAScrollBarAtEitherDpi) {
    // The face the program gives every box and button.
    const QFont testFont = QApplication::font();
    QApplication::setFont(ToQFont(Font{}));
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        desktop.dpi = dpi;
        StartUp::Main(Start());
        frmWelcome& welcome = program().frmWelcome();
        auto* box = qobject_cast<QPlainTextEdit*>(welcome.txtInfo.Widget());
        ASSERT_TRUE(box);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box->window()));
        EXPECT_FALSE(box->verticalScrollBar()->isVisible());
        // Text beyond the box brings the bar, so none of it is out of reach.
        std::string longer = welcome.txtInfo.Text();
        for (int line = 0; line < 12; ++line) longer += "\r\nMore";
        welcome.txtInfo.setText(longer);
        EXPECT_TRUE(WaitUntil([&] { return box->verticalScrollBar()->isVisible(); }, 5000));
        welcome.Unload();
    }
    QApplication::setFont(testFont);
}

TEST_F(WelcomeTest, StoredSymbolsMeanNoGreeting) {
    WriteSymbols({{"IBM", "IBM"}});
    StartUp::Main(Start());
    EXPECT_TRUE(program().ticker().Visible());
    EXPECT_FALSE(runtime().IsLoaded(program().frmWelcome()));
}

TEST_F(WelcomeTest, AClickIntoTheTextHandsTheFocusToOkAndEnterCloses) {
    StartUp::Main(Start());
    frmWelcome& welcome = program().frmWelcome();
    QWidget* text = welcome.txtInfo.Widget();
    text->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(text->window()));
    text->setFocus();
    QPoint inside(20, 20);
    QWidget* under = text->childAt(inside);  // the part of the box that takes the mouse
    QTest::mouseClick(under ? under : text, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(welcome.cmdOK.HasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(welcome.Loaded());
}

}  // namespace
