#include <QTreeView>

#include "platform/common_controls.h"
#include "platform/form.h"
#include "platform/list_view.h"
#include "support/mouse_events.h"
#include "support/program_fixture.h"

namespace {

class ListForm : public Form {
public:
    explicit ListForm(Runtime& runtime) : Form(runtime, "ListForm") {}
    ListView List{*this, "List"};

protected:
    void InitializeComponent() override {
        setWidth(4875);
        setHeight(4665);
        List.Move(90, 0, 4695, 3945);
        List.ColumnHeaders.Add("First", 1500);
        List.ColumnHeaders.Add("Second", 2500);
    }
};

class ListViewTest : public ProgramTest {
protected:
    ListView& Show(int rows) {
        Start();
        form = std::make_unique<ListForm>(runtime());
        form->Show();
        for (int i = 1; i <= rows; ++i)
            list().ListItems.Add(i, "R" + std::to_string(i)).ListSubItems.Add("Sub " + std::to_string(i));
        return list();
    }
    void TearDown() override {
        if (form) form->Release();
    }
    ListView& list() { return form->List; }
    QTreeView* view() { return static_cast<QTreeView*>(list().Widget()); }
    // A point of the list's client area, in the viewport's pixels.
    QPoint InViewport(float x, float y) {
        QPoint client(int(x / 15), int(y / 15));
        return client - (view()->viewport()->pos() - view()->contentsRect().topLeft());
    }
    std::string Texts() {
        std::string texts;
        for (int i = 1; i <= list().ListItems.Count(); ++i) {
            ListItem& row = list().ListItems.item(i);
            EXPECT_EQ(row.Index(), i);
            texts += row.Text() + " ";
        }
        return texts;
    }
    std::unique_ptr<ListForm> form;
};

TEST_F(ListViewTest, AddPutsTheRowAtItsPositionAndRenumbers) {
    ListView& l = Show(3);
    ListItem& added = l.ListItems.Add(2, "New");
    EXPECT_EQ(added.Index(), 2);
    EXPECT_EQ(Texts(), "R1 New R2 R3 ");
    l.ListItems.Add(5, "End");
    EXPECT_EQ(Texts(), "R1 New R2 R3 End ");
    EXPECT_EQ(l.ListItems.item(1).ListSubItems.item(1).Text(), "Sub 1");
    EXPECT_EQ(l.SelectedItem(), nullptr);
}

struct Removal {
    int rows, selected, removed;
    const char* selectedAfter;  // nullptr: none
};

class RemovalTest : public ListViewTest, public ::testing::WithParamInterface<Removal> {};

TEST_P(RemovalTest, TheSelectionMovesToTheRowNowThereOrTheNewLast) {
    const Removal& c = GetParam();
    ListView& l = Show(c.rows);
    if (c.selected) l.setSelectedItem(&l.ListItems.item(c.selected));
    l.ListItems.Remove(c.removed);
    EXPECT_EQ(l.ListItems.Count(), c.rows - 1);
    if (c.selectedAfter) {
        ASSERT_NE(l.SelectedItem(), nullptr);
        EXPECT_EQ(l.SelectedItem()->Text(), c.selectedAfter);
        EXPECT_TRUE(l.SelectedItem()->Selected());
    } else {
        EXPECT_EQ(l.SelectedItem(), nullptr);
    }
    // The view shows the same selection.
    QModelIndexList shown = view()->selectionModel()->selectedRows();
    EXPECT_EQ(shown.size(), c.selectedAfter ? 1 : 0);
    if (c.selectedAfter && !shown.isEmpty()) {
        EXPECT_EQ(shown[0].row() + 1, l.SelectedItem()->Index());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RemovalTest,
                         ::testing::Values(Removal{4, 2, 2, "R3"}, Removal{4, 4, 4, "R3"},
                                           Removal{4, 1, 3, "R1"}, Removal{4, 0, 1, nullptr},
                                           Removal{1, 1, 1, nullptr}));

TEST_F(ListViewTest, RowsStackUnderTheHeaderAndHitTestsFindThem) {
    ListView& l = Show(40);
    ListItem& first = l.ListItems.item(1);
    float height = first.Height(), firstTop = first.Top();
    ASSERT_GT(height, 0);
    EXPECT_GT(first.Top(), 0);  // below the header
    EXPECT_EQ(first.Left(), 0);
    for (int i : {1, 2, 10}) {
        ListItem& row = l.ListItems.item(i);
        EXPECT_FLOAT_EQ(row.Top(), first.Top() + float(i - 1) * height);
        EXPECT_EQ(l.HitTest(100, row.Top()), &row);
        EXPECT_EQ(l.HitTest(4000, row.Top() + height - 1), &row);  // across the whole width
    }
    EXPECT_EQ(l.HitTest(100, 15), nullptr);  // on the header
    EXPECT_EQ(l.GetFirstVisible(), &first);

    int fits = int((l.Height() - firstTop) / height);
    l.ListItems.item(30).EnsureVisible();
    EXPECT_EQ(l.GetFirstVisible()->Index(), 30 - fits + 1);
    EXPECT_FLOAT_EQ(l.ListItems.item(30).Top(), firstTop + float(fits - 1) * height);
    EXPECT_LT(first.Top(), 0);  // scrolled out at the top
    EXPECT_EQ(l.HitTest(100, l.ListItems.item(30).Top()), &l.ListItems.item(30));
    l.ListItems.item(20).EnsureVisible();  // already in view: no scroll
    EXPECT_EQ(l.GetFirstVisible()->Index(), 30 - fits + 1);
    l.ListItems.item(2).EnsureVisible();
    EXPECT_EQ(l.GetFirstVisible()->Index(), 2);
}

TEST_F(ListViewTest, EmptySpaceBelowTheRowsHitsNothing) {
    ListView& l = Show(2);
    EXPECT_EQ(l.HitTest(100, l.ListItems.item(2).Top() + 3 * l.ListItems.item(2).Height()), nullptr);
    l.ListItems.Clear();
    EXPECT_EQ(l.GetFirstVisible(), nullptr);
}

TEST_F(ListViewTest, AClickSelectsTheRowAndRaisesMouseDownAndItemClick) {
    ListView& l = Show(5);
    std::vector<std::string> events;
    l.OnMouseDown = [&](int button, int, float, float y) {
        ListItem* hit = l.HitTest(0, y);
        events.push_back("down " + std::to_string(button) + " " + (hit ? hit->Text() : "-"));
    };
    l.OnItemClick = [&](ListItem& item) { events.push_back("item " + item.Text()); };
    ListItem& third = l.ListItems.item(3);
    ClickMouse(view()->viewport(), InViewport(300, third.Top() + 30));
    EXPECT_EQ(l.SelectedItem(), &third);
    EXPECT_EQ(events, (std::vector<std::string>{"down 1 R3", "item R3"}));
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(view(), &down);
    EXPECT_EQ(l.SelectedItem()->Index(), 4);
}

TEST_F(ListViewTest, AManualDragRaisesDragOverWithItsStatesAndDragDropOnRelease) {
    ListView& l = Show(5);
    std::vector<std::string> events;
    l.OnMouseMove = [&](int button, int, float, float) {
        if (button == 1) l.Drag(DragActions::vbBeginDrag);
    };
    l.OnDragOver = [&](Control& source, float, float y, int state) {
        EXPECT_EQ(&source, &l);
        ListItem* hit = l.HitTest(0, y);
        events.push_back("over " + std::to_string(state) + " " + (hit ? hit->Text() : "-"));
    };
    l.OnDragDrop = [&](Control&, float, float y) { events.push_back("drop " + l.HitTest(0, y)->Text()); };
    QWidget* viewport = view()->viewport();
    auto at = [&](int row) { return InViewport(300, l.ListItems.item(row).Top() + 30); };
    SendMouse(viewport, QEvent::MouseButtonPress, at(1), Qt::LeftButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, at(1), Qt::NoButton, Qt::LeftButton);  // starts it
    ASSERT_TRUE(l.Dragging());
    SendMouse(viewport, QEvent::MouseMove, at(2), Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, at(3), Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, QPoint(10, 2000), Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, QPoint(20, 2100), Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, at(4), Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseButtonRelease, at(4), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(l.Dragging());
    EXPECT_EQ(events, (std::vector<std::string>{"over 0 R2", "over 2 R3", "over 1 -", "over 0 R4",
                                                "drop R4"}));
    // The view did not drag out a selection of its own meanwhile.
    EXPECT_EQ(l.SelectedItem(), &l.ListItems.item(1));
}

TEST_F(ListViewTest, ADragReleasedOutsideTheListDropsNothing) {
    ListView& l = Show(3);
    int drops = 0;
    l.OnDragDrop = [&](Control&, float, float) { ++drops; };
    l.setSelectedItem(&l.ListItems.item(1));
    l.Drag(DragActions::vbBeginDrag);
    SendMouse(view()->viewport(), QEvent::MouseButtonRelease, QPoint(-100, -100), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_FALSE(l.Dragging());
    EXPECT_EQ(drops, 0);
}

TEST_F(ListViewTest, TheHeaderAnswersItsHitTestWithTheColumnOrMinusOne) {
    ListView& l = Show(1);
    User32& user32 = runtime().user32();
    HWND header = l.Header().hWnd();
    ASSERT_NE(header, 0);
    ASSERT_NE(header, l.hWnd());
    auto column = [&](int x, int y) {
        HDHITTESTINFO info;
        info.x = x;
        info.y = y;
        LRESULT answer = user32.SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(answer, info.iItem);
        return answer;
    };
    EXPECT_EQ(column(5, 5), 0);
    EXPECT_EQ(column(1500 / 15 + 5, 5), 1);
    EXPECT_EQ(column(4000 / 15 + 20, 5), -1);  // right of both columns
    EXPECT_EQ(column(5, 500), -1);             // below the header
}

TEST_F(ListViewTest, UnloadingSendsTheLastMessageAndTakesTheRowsAlong) {
    ListView& l = Show(3);
    User32& user32 = runtime().user32();
    std::vector<uint32_t> seen;
    WNDPROC spy = user32.AddProcedure([&](HWND, uint32_t message, WPARAM, LPARAM) -> LRESULT {
        seen.push_back(message);
        return 0;
    });
    HWND handle = l.hWnd();
    user32.SetWindowLongA(handle, GWL_WNDPROC, spy);
    form->Unload();
    EXPECT_EQ(seen, std::vector<uint32_t>{WM_NCDESTROY});
    EXPECT_EQ(l.hWnd(), 0);
    EXPECT_EQ(user32.Find(handle), nullptr);
    EXPECT_EQ(l.ListItems.Count(), 0);
    form->Show();
    EXPECT_NE(l.hWnd(), 0);
    EXPECT_EQ(l.ColumnHeaders.Count(), 2);
}

}  // namespace
