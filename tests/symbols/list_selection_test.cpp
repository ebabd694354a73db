// What the Symbol Manager's list shows and does before the user has chosen a row.
#include <QImage>
#include <QTest>
#include <QTreeView>

#include "support/symbol_manager_fixture.h"
#include "symbols/symbol_editor.h"

namespace {

class ListSelectionTest : public SymbolManagerTest {
protected:
    // The list as the user meets it: its window active and the keyboard in the list.
    QTreeView* FocusedList(SymbolEditor& window) {
        auto* view = static_cast<QTreeView*>(window.ListView1.Widget());
        view->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view->window(), 5000));
        view->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([view] { return view->hasFocus(); }, 5000));
        return view;
    }
    // The colour of row's empty far end, where only a selection or focus mark draws.
    static QRgb RowEnd(QTreeView* view, int row) {
        QRect rect = view->visualRect(view->model()->index(row, 1));
        QImage image = view->viewport()->grab().toImage();
        return image.pixel(rect.right() - 4, rect.center().y());
    }
};

TEST_F(ListSelectionTest, WithNothingSelectedNoRowIsDrawnChosenAndDownSelectsTheFirst) {
    WriteRows(NumberedRows(3));
    SymbolEditor& window = OpenEditor();
    QTreeView* view = FocusedList(window);
    ASSERT_EQ(window.ListView1.SelectedItem(), nullptr);
    EXPECT_EQ(RowEnd(view, 0), RowEnd(view, 2));  // row 1 looks like a row never touched

    QTest::keyClick(view, Qt::Key_Down);
    ASSERT_NE(window.ListView1.SelectedItem(), nullptr);
    EXPECT_EQ(window.ListView1.SelectedItem()->Index(), 1);
    EXPECT_NE(RowEnd(view, 0), RowEnd(view, 2));  // and now it is drawn chosen
}

}  // namespace
