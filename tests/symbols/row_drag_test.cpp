// Live reordering on a real list view: each drag-over step moves the dragged row at most
// one place toward the row under the pointer, one event late, and scrolls at the edges.

#include "support/symbol_manager_fixture.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"

namespace {

using Strings = std::vector<std::string>;

class RowDragTest : public SymbolManagerTest {
protected:
    SymbolEditor& OpenWith(int rows) {
        WriteRows(NumberedRows(rows));
        return OpenEditor();
    }
    ListView& list() { return editor().ListView1; }
    float Middle(int row) {
        ListItem& item = list().ListItems.item(row);
        return item.Top() + item.Height() / 2;
    }
    void StartDragging(int row) {
        list().setSelectedItem(&list().ListItems.item(row));
        editor().ListView1_MouseMove(1, 0, 300, Middle(row));
        ASSERT_TRUE(list().Dragging());
    }
    void Step(float y, float x = 300) { editor().ListView1_DragOver(list(), x, y, DragStates::vbOver); }
    int FirstVisible() { return list().GetFirstVisible()->Index(); }
};

TEST_F(RowDragTest, TheRowFollowsThePointerOneEventLateAndSavesInItsNewPlace) {
    OpenWith(5);
    StartDragging(2);
    std::vector<Strings> orders;
    for (int step = 0; step < 4; ++step) {
        Step(Middle(4));
        orders.push_back(ListSymbols());
    }
    EXPECT_EQ(orders, (std::vector<Strings>{{"S1", "S2", "S3", "S4", "S5"},
                                            {"S1", "S3", "S2", "S4", "S5"},
                                            {"S1", "S3", "S4", "S2", "S5"},
                                            {"S1", "S3", "S4", "S2", "S5"}}));
    EXPECT_EQ(list().SelectedItem()->Index(), 4);
    EXPECT_EQ(ListRows()[3].second, "Name 2");
    editor().ListView1_DragDrop(list(), 300, Middle(4));
    desktop.answers = {MsgBox::vbYes};
    editor().cmdOK_Click();
    EXPECT_EQ(FileRows(), (Rows{{"S1", "Name 1"}, {"S3", "Name 3"}, {"S4", "Name 4"},
                                {"S2", "Name 2"}, {"S5", "Name 5"}}));
}

TEST_F(RowDragTest, BackOnTheDraggedRowItMovesDownOnceThenBackUp) {
    OpenWith(5);
    StartDragging(3);
    Step(Middle(1));
    EXPECT_EQ(editor().LastItemIndex, "1");
    Step(Middle(3));
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S2", "S4", "S3", "S5"}));
    Step(Middle(3));
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S2", "S3", "S4", "S5"}));
}

TEST_F(RowDragTest, TheLastRowDraggedDownStaysWhereItIs) {
    OpenWith(5);
    StartDragging(5);
    Step(Middle(4));
    Step(Middle(5));
    float belowTheRows = Middle(5) + 20 * list().ListItems.item(5).Height();
    Step(belowTheRows);
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S2", "S3", "S4", "S5"}));
    EXPECT_EQ(list().SelectedItem()->Index(), 5);
}

TEST_F(RowDragTest, AtTheVisibleEdgesEachStepScrollsOneRowWhereverThePointerIsAcross) {
    OpenWith(40);
    int perView = editor().MaxItemsPerView;
    ASSERT_GT(perView, 5);
    ASSERT_LT(perView, 40);
    StartDragging(1);
    std::vector<int> tops;
    for (int step = 0; step < 3; ++step) {
        Step(list().Height() + 500, 99999);
        tops.push_back(FirstVisible());
    }
    EXPECT_EQ(tops, (std::vector<int>{2, 3, 4}));
    // The last visible row is whole: the view shows exactly perView rows from the top one.
    ListItem& lastVisible = list().ListItems.item(FirstVisible() + perView - 1);
    EXPECT_LE(lastVisible.Top() + lastVisible.Height(), list().Height());
    tops.clear();
    for (int step = 0; step < 3; ++step) {
        Step(15);  // over the column header
        tops.push_back(FirstVisible());
    }
    EXPECT_EQ(tops, (std::vector<int>{3, 2, 1}));
}

TEST_F(RowDragTest, AfterTheDropStepsChangeNothing) {
    OpenWith(5);
    StartDragging(1);
    Step(Middle(3));
    editor().ListView1_DragDrop(list(), 300, Middle(3));
    Step(Middle(5));
    Step(Middle(5));
    EXPECT_EQ(ListSymbols(), (Strings{"S1", "S2", "S3", "S4", "S5"}));
}

struct DragStart {
    int rows;
    int selected;  // 0: none
    int button;
    bool starts;
};

class DragStartTest : public RowDragTest, public ::testing::WithParamInterface<DragStart> {};

TEST_P(DragStartTest, OnlyTheLeftButtonAloneOnASelectedRowStartsADrag) {
    const DragStart& c = GetParam();
    OpenWith(c.rows);
    if (c.selected) list().setSelectedItem(&list().ListItems.item(c.selected));
    editor().ListView1_MouseMove(c.button, 0, 300, 400);
    EXPECT_EQ(list().Dragging(), c.starts);
}

INSTANTIATE_TEST_SUITE_P(Cases, DragStartTest,
                         ::testing::Values(DragStart{3, 2, 1, true}, DragStart{3, 0, 1, false},
                                           DragStart{3, 2, 3, false}, DragStart{3, 2, 2, false},
                                           DragStart{3, 2, 0, false}, DragStart{0, 0, 1, false}));

}  // namespace
