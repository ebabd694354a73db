// The Symbol Manager's header filter on a real list: divider drags are refused, a right
// click names the column under the pointer, and every other header notification reaches
// the list's own procedure.

#include <QHeaderView>
#include <QTreeView>

#include "platform/common_controls.h"
#include "support/mouse_events.h"
#include "support/symbol_manager_fixture.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"

namespace {

class HeaderFilterTest : public SymbolManagerTest {
protected:
    void SetUp() override {
        WriteRows(NumberedRows(3));
        OpenEditor();
    }
    ListView& list() { return editor().ListView1; }
    QHeaderView* header() { return static_cast<QTreeView*>(list().Widget())->header(); }
    QPoint Divider(int column) {
        return {header()->sectionViewportPosition(column) + header()->sectionSize(column) - 1, 5};
    }
    std::vector<float> Widths() {
        return {list().ColumnHeaders.item(1).Width(), list().ColumnHeaders.item(2).Width()};
    }
};

TEST_F(HeaderFilterTest, DraggingEitherDividerLeavesBothWidthsAsTheyWere) {
    std::vector<float> before = Widths();
    for (int column : {0, 1}) {
        DragMouse(header()->viewport(), Divider(column), Divider(column) + QPoint(40, 0));
        EXPECT_EQ(Widths(), before) << "divider of column " << column;
    }
    // Unhooked, the same drag does resize: the refusal above was the filter's.
    editor().Subclass1.setHWnd(0);
    DragMouse(header()->viewport(), Divider(0), Divider(0) + QPoint(40, 0));
    EXPECT_NEAR(Widths()[0], before[0] + 40 * 15, 15);
}

TEST_F(HeaderFilterTest, ARightClickNamesTheColumnUnderThePointerInTheCaption) {
    QWidget* viewport = header()->viewport();
    struct Case {
        QPoint at;
        std::string caption;
    };
    int right = header()->width() - 3;  // the columns take 92% of the width
    for (const Case& c : {Case{{right, 5}, "Right Click on Column -1"},
                          Case{{Divider(1).x() - 20, 5}, "Right Click on Column 1"},
                          Case{{10, 5}, "Right Click on Column 0"}}) {
        QPoint screen = viewport->mapToGlobal(c.at);
        desktop.cursor = PixelPoint{screen.x(), screen.y()};
        ClickMouse(viewport, c.at, Qt::RightButton);
        EXPECT_EQ(editor().Caption(), c.caption);
    }
}

TEST_F(HeaderFilterTest, OtherNotificationsReachTheListsOwnProcedureWithItsAnswer) {
    // A procedure of the list's own, below the filter, that answers 77.
    User32& user32 = runtime().user32();
    std::vector<intptr_t> reached;
    WNDPROC own = user32.AddProcedure([&](HWND, uint32_t message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message == WM_NOTIFY) reached.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return 77;
    });
    editor().Subclass1.setHWnd(0);
    user32.SetWindowLongA(list().hWnd(), GWL_WNDPROC, own);
    editor().Subclass1.setHWnd(list().hWnd());

    ClickMouse(header()->viewport(), {20, 5});
    EXPECT_EQ(reached, std::vector<intptr_t>{HDN_ITEMCLICKA});
    ListViewHeader& notifier = list().Header();
    EXPECT_EQ(notifier.Notify(HDN_ITEMCLICKA, 1, 0), 77);
    EXPECT_EQ(notifier.Notify(HDN_BEGINTRACKA, 1, 0), -1);
    EXPECT_EQ(notifier.Notify(HDN_BEGINTRACKW, 0x10000, 0), -1);  // only the low 16 bits count
    EXPECT_EQ(notifier.Notify(HDN_BEGINTRACKA, 2, 0), 0);
    EXPECT_EQ(notifier.Notify(NM_RCLICK, -1, 1), 0);
    EXPECT_EQ(reached.size(), 2u);
}

}  // namespace
