// The Symbol Manager's list: selection by click, the right-click menu, Delete, double-click,
// live reordering while a row is dragged, and the header filter that keeps the columns
// from being resized.

#include <algorithm>
#include <cstddef>

#include "platform/common_controls.h"
#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "symbols/symbol_editor.h"
#include "symbols/symbol_properties.h"
#include "ticker/program.h"

namespace {
constexpr int kLeftButton = 1, kRightButton = 2;
}

void SymbolEditor::ListView1_MouseDown(int Button, int, float x, float y) {
    ListView1.setSelectedItem(ListView1.HitTest(x, y));
    runtime().DoEvents();
    if (!Loaded() || Button != kRightButton) return;
    bool any = ScanSelectedRows(true).count > 0;
    PropertiesMenuItem.setEnabled(any);
    DeleteSymbolMenuItem.setEnabled(any);
    PopupMenu(EditorMenu);
}

void SymbolEditor::ListView1_MouseMove(int Button, int, float, float) {
    int dragged = ScanSelectedRows(false).last;
    if (dragged == 0 || ListView1.ListItems.Count() == 0 || Button != kLeftButton) return;
    Dragging = true;
    LastItemIndex = std::to_string(dragged);
    ListView1.setDragIcon(Picture1.GetPicture());
    ListView1.Drag(DragActions::vbBeginDrag);
}

void SymbolEditor::ListView1_DragOver(Control&, float, float y, int) {
    HoverY = y;
    ListItemCollection& items = ListView1.ListItems;
    ListItem* firstVisible = ListView1.GetFirstVisible();
    if (Dragging && firstVisible) {
        int count = items.Count();
        int f = firstVisible->Index();
        HoverY = std::max(HoverY, items.item(f).Top());
        int visible = count <= MaxItemsPerView ? count : MaxItemsPerView;
        int lastVisible = std::clamp(f - 1 + visible, f, count);
        HoverY = std::min(HoverY, items.item(lastVisible).Top());
        // Every hit test is made afresh at the rows' left edge: a scroll changes the row
        // the next one finds, and the pointer's x plays no part.
        float left = items.item(1).Left();
        auto rowUnderPointer = [&] {
            ListItem* hit = ListView1.HitTest(left, HoverY);
            return hit ? hit->Index() : 0;
        };
        int h = rowUnderPointer();
        if (h > 0) items.item(h == 1 ? 1 : h - 1).EnsureVisible();
        h = rowUnderPointer();
        if (h > 0) items.item(h == count ? h : h + 1).EnsureVisible();
        ScanSelectedRows(true);
        ListItem* selected = ListView1.SelectedItem();
        if (selected) {
            int d = selected->Index();
            if (TextToLong(LastItemIndex).value_or(0) != d) MoveDraggedRow(d, rowUnderPointer());
            ListItem* moved = ListView1.SelectedItem();
            int next = moved->Index() == items.Count() ? moved->Index() : moved->Index() + 1;
            items.item(next).EnsureVisible();
            LastItemIndex = std::to_string(rowUnderPointer());
        }
    }
    ListView1.SetFocus();
}

// One place toward the row under the pointer: a copy of the dragged row goes in on that
// side and the row itself goes, so the copy is the one left selected.
void SymbolEditor::MoveDraggedRow(int d, int towards) {
    ListItemCollection& items = ListView1.ListItems;
    std::string text = items.item(d).Text();
    std::string name = items.item(d).ListSubItems.item(1).Text();
    if (towards < d) {
        items.Add(d - 1, text).ListSubItems.Add(name);
        bool removedLast = d + 1 == items.Count();
        items.Remove(d + 1);
        int selected = ListView1.SelectedItem()->Index();
        ListView1.setSelectedItem(&items.item(removedLast ? selected - 1 : selected - 2));
    } else {
        bool last = d == items.Count();
        items.Add(last ? d : d + 2, text).ListSubItems.Add(name);
        items.Remove(last ? d + 1 : d);
        int selected = ListView1.SelectedItem()->Index();
        ListView1.setSelectedItem(&items.item(selected == items.Count() ? selected : selected + 1));
    }
}

void SymbolEditor::ListView1_DragDrop(Control&, float, float) {
    ListView1.setDropHighlight(nullptr);
    Dragging = false;
}

void SymbolEditor::ListView1_ItemClick(ListItem&) { ListView1.setDropHighlight(nullptr); }

void SymbolEditor::ListView1_KeyUp(int& KeyCode, int) {
    bool any = ScanSelectedRows(true).count > 0;
    if (any && KeyCode == KeyCodes::vbKeyDelete)
        ListView1.ListItems.Remove(ListView1.SelectedItem()->Index());
}

void SymbolEditor::ListView1_DblClick() { program_.symbolProperties().Show(); }

void SymbolEditor::Subclass1_WndProc(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam, LRESULT& Result) {
    User32& user32 = runtime().user32();
    NMHEADER header;
    user32.RtlMoveMemory(&header, reinterpret_cast<const void*>(lParam), offsetof(NMHEADER, pitem));
    if (header.hdr.code == HDN_BEGINTRACKA || header.hdr.code == HDN_BEGINTRACKW) {
        int column = int(header.iItem & 0xFFFF);
        if (column == 0 || column == 1) Result = -1;
    } else if (header.hdr.code == NM_RCLICK) {
        POINT cursor;
        user32.GetCursorPos(cursor);
        user32.ScreenToClient(header.hdr.hwndFrom, cursor);
        HDHITTESTINFO hit;
        hit.x = cursor.x;
        hit.y = cursor.y;
        LRESULT column = user32.SendMessageA(header.hdr.hwndFrom, HDM_HITTEST, 0,
                                             reinterpret_cast<LPARAM>(&hit));
        setCaption("Right Click on Column " + std::to_string(column));
    } else {
        Result = Subclass1.CallWndProc(Msg, wParam, lParam);
    }
}
