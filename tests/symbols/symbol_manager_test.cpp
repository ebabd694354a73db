#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>

#include "support/mouse_events.h"
#include "support/symbol_manager_fixture.h"
#include "symbols/new_symbol.h"
#include "symbols/symbol_editor.h"
#include "symbols/symbol_properties.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

using Rows = SymbolManagerTest::Rows;
using Strings = std::vector<std::string>;

TEST_F(SymbolManagerTest, LoadsTheFileInRecordOrderWithNothingSelected) {
    WriteRows({{"IBM", "International Business Machines"}, {"DJIA", "Dow Jones Industrials Average"}});
    SymbolEditor& window = OpenEditor();
    EXPECT_EQ(ListRows(), (Rows{{"IBM", "International Business Machines"},
                                {"DJIA", "Dow Jones Industrials Average"}}));
    EXPECT_EQ(window.ListView1.SelectedItem(), nullptr);
    EXPECT_EQ(window.Caption(), "Vesk Ticker - Symbol Manager");
    EXPECT_TRUE(window.Visible());
    // Whole rows that fit under the header: the quotient cut to a whole number.
    ListItem& first = window.ListView1.ListItems.item(1);
    float q = (window.ListView1.Height() - first.Top()) / first.Height();
    EXPECT_GT(window.MaxItemsPerView, 5);
    EXPECT_EQ(window.MaxItemsPerView, int(q));
    EXPECT_EQ(window.RoundNumber.back(), '.');
    EXPECT_FLOAT_EQ(window.ListView1.ColumnHeaders.item(1).Width(), 0.3f * 4695);
    EXPECT_FLOAT_EQ(window.ListView1.ColumnHeaders.item(2).Width(), 0.62f * 4695);
}

TEST_F(SymbolManagerTest, AMissingFileIsCreatedEmptyAndLeavesTheRowCountUncomputed) {
    SymbolEditor& window = OpenEditor();
    EXPECT_EQ(window.ListView1.ListItems.Count(), 0);
    EXPECT_EQ(window.MaxItemsPerView, 0);
    EXPECT_EQ(window.RoundNumber, "");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(ProgramFile("stockdata.std"))));
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SymbolManagerTest, LargeFontsMoveTheListAndButtons) {
    for (int dpi : {96, 120}) {
        desktop.dpi = dpi;
        SymbolEditor& window = OpenEditor();
        EXPECT_EQ(window.ListView1.Height(), dpi == 96 ? 3945 : 4010);
        EXPECT_EQ(window.cmdOK.Top(), dpi == 96 ? 4130 : 4160);
        EXPECT_EQ(window.cmdCancel.Top(), dpi == 96 ? 4130 : 4160);
    }
}

TEST_F(SymbolManagerTest, InsertionGoesAfterTheSelectedRowOrAtTheEnd) {
    WriteRows(NumberedRows(5));
    SymbolEditor& window = OpenEditor();
    ListView& list = window.ListView1;
    window.DJIAMenuItem_Click();
    EXPECT_EQ(ListRows().back(), (std::pair<std::string, std::string>{"DJIA", "Dow Jones Industrials Average"}));
    EXPECT_EQ(list.SelectedItem()->Index(), 6);

    list.setSelectedItem(&list.ListItems.item(3));
    window.NASDAQMenuItem2.Click();
    window.Bond30YearMenuItem.Click();
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S2", "S3", "NASDAQ", "30YR", "S4", "S5", "DJIA"}));
    EXPECT_EQ(list.SelectedItem()->Index(), 5);
    EXPECT_EQ(ListRows()[3].second, "NASDAQ Composite");
}

TEST_F(SymbolManagerTest, TheFirstRowOfAnEmptyListComputesTheRowsPerView) {
    SymbolEditor& window = OpenEditor();
    window.SP500MenuItem_Click();
    EXPECT_EQ(ListRows(), (Rows{{"S&P 500", "S&P 500 Index"}}));
    int16_t computed = window.MaxItemsPerView;
    EXPECT_GT(computed, 5);
    window.MaxItemsPerView = 3;
    window.SP500MenuItem_Click();
    EXPECT_EQ(window.MaxItemsPerView, 3);
}

TEST_F(SymbolManagerTest, NewSymbolAddsTheTypedTextsAsTheyAre) {
    WriteRows(NumberedRows(2));
    SymbolEditor& window = OpenEditor();
    window.ListView1.setSelectedItem(&window.ListView1.ListItems.item(1));
    window.AddSymbolMenuItem_Click();
    NewSymbol& dialog = program().newSymbol();
    ASSERT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.txtTickerSymbol.MaxLength(), 10);
    EXPECT_EQ(dialog.txtSymbolName.MaxLength(), 40);
    dialog.txtTickerSymbol.setText(" ibm");
    dialog.txtSymbolName.setText("");
    // Asked for again while open, it comes forward with what was typed.
    window.AddSymbolMenuItem2.Click();
    EXPECT_EQ(dialog.txtTickerSymbol.Text(), " ibm");
    dialog.cmdOK.Press();
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(ListRows(), (Rows{{"S1", "Name 1"}, {" ibm", ""}, {"S2", "Name 2"}}));
}

// The symbol file holds single-byte text: what it cannot hold is refused at OK, so the
// list never shows what a save would turn into "?".
TEST_F(SymbolManagerTest, TextTheFileCannotHoldIsRefusedAndWhatItCanIsSavedAsShown) {
    WriteRows(NumberedRows(1));
    SymbolEditor& window = OpenEditor();
    window.AddSymbolMenuItem_Click();
    NewSymbol& added = program().newSymbol();
    QWidget* name = added.txtSymbolName.Widget();
    name->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(name->window()));
    Click(added.txtTickerSymbol.Widget());
    QTest::keyClicks(added.txtTickerSymbol.Widget(), "CAFE");
    Click(name);
    QTest::keyClicks(name, "Caf");
    // What a keyboard without these keys types through the input method.
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("é 日本"));
    QApplication::sendEvent(name, &composed);
    Click(added.cmdOK.Widget());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "The symbol list cannot store the character \"日\". Please use only letters, "
              "digits and signs of Western European languages.");
    EXPECT_TRUE(added.Visible());
    EXPECT_TRUE(name->hasFocus());
    EXPECT_EQ(ListRows(), (Rows{{"S1", "Name 1"}}));

    TypeKey(name, Qt::Key_Backspace);
    TypeKey(name, Qt::Key_Backspace);
    TypeKey(name, Qt::Key_Backspace);
    Click(added.cmdOK.Widget());
    EXPECT_FALSE(added.Loaded());
    EXPECT_EQ(ListRows(), (Rows{{"S1", "Name 1"}, {"CAFE", "Café"}}));

    window.ListView1.setSelectedItem(&window.ListView1.ListItems.item(1));
    window.PropertiesMenuItem_Click();
    SymbolProperties& edited = program().symbolProperties();
    edited.txtTickerSymbol.setText("€→");
    edited.cmdOK.Press();
    EXPECT_EQ(desktop.boxes.size(), 2u);
    EXPECT_TRUE(edited.Visible());
    EXPECT_EQ(ListRows()[0], (std::pair<std::string, std::string>{"S1", "Name 1"}));
    edited.txtTickerSymbol.setText("€");
    edited.cmdOK.Press();
    EXPECT_FALSE(edited.Loaded());

    window.SaveMenuItem_Click();
    EXPECT_EQ(FileRows(), (Rows{{"€", "Name 1"}, {"CAFE", "Café"}}));
}

// The control Tab moves to from the name box, and from there.
std::vector<QWidget*> TabsFrom(QWidget* start) {
    std::vector<QWidget*> order;
    for (QWidget* w = start->nextInFocusChain(); w != start && order.size() < 2; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible()) order.push_back(w);
    return order;
}

TEST_F(SymbolManagerTest, TabGoesToOkFirstInNewSymbolAndToCancelFirstInProperties) {
    WriteRows(NumberedRows(1));
    SymbolEditor& window = OpenEditor();
    window.ListView1.setSelectedItem(&window.ListView1.ListItems.item(1));
    window.AddSymbolMenuItem_Click();
    window.PropertiesMenuItem_Click();
    NewSymbol& added = program().newSymbol();
    SymbolProperties& edited = program().symbolProperties();
    EXPECT_EQ(TabsFrom(added.txtSymbolName.Widget()),
              (std::vector<QWidget*>{added.cmdOK.Widget(), added.cmdCancel.Widget()}));
    EXPECT_EQ(TabsFrom(edited.txtSymbolName.Widget()),
              (std::vector<QWidget*>{edited.cmdCancel.Widget(), edited.cmdOK.Widget()}));
}

TEST_F(SymbolManagerTest, PropertiesClosesAtOnceWithoutASelectedSymbol) {
    WriteRows({{"S1", "Name 1"}, {"", "No symbol"}});
    SymbolEditor& window = OpenEditor();
    SymbolProperties& dialog = program().symbolProperties();
    for (ListItem* selected : {static_cast<ListItem*>(nullptr), &window.ListView1.ListItems.item(2)}) {
        window.ListView1.setSelectedItem(selected);
        window.PropertiesMenuItem_Click();
        EXPECT_FALSE(dialog.Loaded());
        EXPECT_FALSE(dialog.Visible());
    }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SymbolManagerTest, PropertiesWritesIntoTheRowSelectedWhenOkIsPressed) {
    WriteRows(NumberedRows(5));
    SymbolEditor& window = OpenEditor();
    ListView& list = window.ListView1;
    list.setSelectedItem(&list.ListItems.item(2));
    window.ListView1_DblClick();
    SymbolProperties& dialog = program().symbolProperties();
    ASSERT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.txtTickerSymbol.Text(), "S2");
    EXPECT_EQ(dialog.txtSymbolName.Text(), "Name 2");
    dialog.txtSymbolName.setText("Renamed");
    list.setSelectedItem(&list.ListItems.item(5));
    dialog.cmdOK.Press();
    EXPECT_EQ(ListRows()[1], (std::pair<std::string, std::string>{"S2", "Name 2"}));
    EXPECT_EQ(ListRows()[4], (std::pair<std::string, std::string>{"S2", "Renamed"}));
}

TEST_F(SymbolManagerTest, TheSymbolMenuEnablesDeleteAndPropertiesOnlyWithASelection) {
    WriteRows(NumberedRows(3));
    SymbolEditor& window = OpenEditor();
    window.SymbolMenu_Click();
    EXPECT_FALSE(window.DeleteSymbolMenuItem2.Enabled());
    EXPECT_FALSE(window.PropertiesMenuItem2.Enabled());
    EXPECT_TRUE(window.AddSymbolMenuItem2.Enabled());
    window.ListView1.setSelectedItem(&window.ListView1.ListItems.item(2));
    window.SymbolMenu_Click();
    EXPECT_TRUE(window.DeleteSymbolMenuItem2.Enabled());
    window.DeleteSymbolMenuItem2.Click();
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S3"}));
    EXPECT_EQ(window.ListView1.SelectedItem()->Text(), "S3");
    EXPECT_EQ(FileRows().size(), 3u);
}

TEST_F(SymbolManagerTest, RightClickOnEmptySpaceClearsTheSelectionAndStillPopsUp) {
    WriteRows(NumberedRows(3));
    SymbolEditor& window = OpenEditor();
    ListView& list = window.ListView1;
    list.setSelectedItem(&list.ListItems.item(2));
    float below = list.ListItems.item(3).Top() + 2 * list.ListItems.item(3).Height();
    window.ListView1_MouseDown(2, 0, 300, below);
    EXPECT_EQ(list.SelectedItem(), nullptr);
    ASSERT_EQ(desktop.popups.size(), 1u);
    EXPECT_EQ(desktop.popups[0].menu, "EditorMenu");
    EXPECT_EQ(desktop.popups[0].items,
              (Strings{"&Add Symbol...", "Add &Index", "  D&JIA", "  &NASDAQ", "  &S && P 500",
                       "  30 Year &Bond", "-", "&Delete Symbol (disabled)", "-",
                       "&Properties... (disabled)"}));
    // A left click on a row selects it and pops nothing up.
    window.ListView1_MouseDown(1, 0, 300, list.ListItems.item(1).Top() + 10);
    EXPECT_EQ(list.SelectedItem()->Index(), 1);
    EXPECT_EQ(desktop.popups.size(), 1u);
}

TEST_F(SymbolManagerTest, DeleteKeyRemovesTheSelectedRowOtherKeysDoNothing) {
    WriteRows(NumberedRows(3));
    SymbolEditor& window = OpenEditor();
    int key = 46;
    window.ListView1_KeyUp(key, 0);
    EXPECT_EQ(ListSymbols().size(), 3u);
    window.ListView1.setSelectedItem(&window.ListView1.ListItems.item(3));
    int other = 'A';
    window.ListView1_KeyUp(other, 0);
    EXPECT_EQ(ListSymbols().size(), 3u);
    window.ListView1_KeyUp(key, 0);
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S2"}));
    EXPECT_EQ(window.ListView1.SelectedItem()->Text(), "S2");
}

struct SaveAnswer {
    int answer;
    bool windowOpen;
    bool fileChanged;
};

class SaveChangesTest : public SymbolManagerTest, public ::testing::WithParamInterface<SaveAnswer> {};

TEST_P(SaveChangesTest, TheAnswerDecidesWhatHappens) {
    WriteRows(NumberedRows(2));
    ShowTicker();
    editor().Show();
    size_t requestsBefore = server.requestLines().size();
    editor().DJIAMenuItem_Click();
    desktop.answers = {GetParam().answer};
    editor().cmdOK_Click();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Save changes?");
    EXPECT_EQ(desktop.boxes[0].title, "Vesk Ticker");
    EXPECT_EQ(desktop.boxes[0].style, MsgBox::vbYesNoCancel + MsgBox::vbExclamation);
    EXPECT_EQ(editor().Loaded(), GetParam().windowOpen);
    Rows expected = NumberedRows(2);
    if (GetParam().fileChanged) expected.emplace_back("DJIA", "Dow Jones Industrials Average");
    EXPECT_EQ(FileRows(), expected);
    if (GetParam().windowOpen) {
        EXPECT_EQ(ListRows().size(), 3u);
    }
    // Only a save restarts the ticker, whose load fetches the first quote again.
    EXPECT_EQ(server.requestLines().size() > requestsBefore, GetParam().fileChanged);
    EXPECT_TRUE(program().ticker().Loaded());
    EXPECT_EQ(program().getSymbol.StockRecCount, GetParam().fileChanged ? 3 : 2);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveChangesTest,
                         ::testing::Values(SaveAnswer{MsgBox::vbYes, false, true},
                                           SaveAnswer{MsgBox::vbNo, false, false},
                                           SaveAnswer{MsgBox::vbCancel, true, false}));

TEST_F(SymbolManagerTest, FileSaveStaysOpenRestartsTheTickerAndFetchesOnceMore) {
    WriteRows(NumberedRows(3));
    ShowTicker();
    editor().Show();
    editor().ListView1.ListItems.Remove(1);
    size_t before = server.requestLines().size();
    editor().SaveMenuItem.Click();
    EXPECT_TRUE(editor().Loaded());
    EXPECT_EQ(ListSymbols(), (Strings{"S2", "S3"}));
    EXPECT_EQ(FileRows(), (Rows{{"S2", "Name 2"}, {"S3", "Name 3"}}));
    EXPECT_EQ(program().getSymbol.StockRecNo, 1);
    EXPECT_EQ(program().getSymbol.StockRecCount, 2);
    // The ticker's load fetches one quote, the save one more.
    EXPECT_EQ(server.requestLines().size(), before + 2);
    // The reader is open on the new file, and another save still works.
    EXPECT_EQ(program().editor.EditorRecCount, 2);
    editor().SaveMenuItem.Click();
    EXPECT_EQ(FileRows().size(), 2u);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SymbolManagerTest, SavingAnEmptyListLeavesAnEmptyFile) {
    WriteRows(NumberedRows(1));
    ShowTicker();
    editor().Show();
    editor().ListView1.ListItems.Remove(1);
    desktop.answers = {MsgBox::vbYes};
    editor().cmdOK_Click();
    EXPECT_EQ(ReadProgramFile("stockdata.std"), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ProgramFile("stockdata.new"))));
    EXPECT_EQ(program().getSymbol.StockRecCount, 0);
}

TEST_F(SymbolManagerTest, CancelAndExitCloseWithoutTouchingTheFile) {
    WriteRows(NumberedRows(2));
    OpenEditor();
    editor().ListView1.ListItems.Remove(1);
    editor().cmdCancel.Press();
    EXPECT_FALSE(editor().Loaded());
    editor().Show();
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S2"}));
    editor().ExitMenuItem.Click();
    EXPECT_FALSE(editor().Loaded());
    EXPECT_EQ(FileRows(), NumberedRows(2));
}

}  // namespace
