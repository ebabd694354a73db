#pragma once
// A list view in report view: rows of a text and sub-item texts under column headers. The
// rows live here, numbered from 1; while the window is loaded a Qt item view shows them.
// Positions and sizes are twips relative to the list's client area (the header included),
// and read 0 while the list is not on screen. One row at most is selected; a freshly
// filled list has none. The header is a child window that reports to the list's window
// procedure with WM_NOTIFY (platform/common_controls.h).

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/list_view_header.h"
#include "platform/picture.h"
#include "platform/window.h"

class ListView;
class ListItem;
class ListViewWidget;

// Sub-item i of a row (1-based), as a handle on the row.
class ListSubItem {
public:
    ListSubItem(ListItem& row, int index) : row_(&row), index_(index) {}
    const std::string& Text() const;
    void setText(std::string text);

private:
    ListItem* row_;
    int index_;
};

class ListSubItemCollection {
public:
    explicit ListSubItemCollection(ListItem& row) : row_(row) {}
    int Count() const { return int(texts_.size()); }
    ListSubItem item(int index);  // 1-based
    // Appends the next sub-item.
    ListSubItem Add(std::string text);

private:
    friend class ListItem;
    friend class ListSubItem;
    ListItem& row_;
    std::vector<std::string> texts_;
};

class ListItem {
public:
    ListItem(ListView& list, std::string text) : list_(list), text_(std::move(text)) {}
    ListItem(const ListItem&) = delete;
    ListItem& operator=(const ListItem&) = delete;

    const std::string& Text() const { return text_; }
    void setText(std::string text);
    int Index() const { return index_; }
    bool Selected() const;
    float Top() const;
    float Left() const;
    float Height() const;
    // Scrolls as little as needed to show the whole row.
    void EnsureVisible();

    ListSubItemCollection ListSubItems{*this};

private:
    friend class ListView;
    friend class ListItemCollection;
    friend class ListSubItem;
    friend class ListSubItemCollection;
    void Changed();
    ListView& list_;
    std::string text_;
    int index_ = 0;
};

class ListItemCollection {
public:
    explicit ListItemCollection(ListView& list) : list_(list) {}
    int Count() const { return int(rows_.size()); }
    ListItem& item(int index);  // 1-based
    // A new row at position (Count + 1 appends); the rows from there on move down one.
    ListItem& Add(int position, std::string text);
    // The row goes and later rows move up one. When it was the selected row, the row now at
    // that position becomes selected, or the new last row when it was the last.
    void Remove(int position);
    void Clear();

private:
    void Renumber(int from);
    ListView& list_;
    std::vector<std::unique_ptr<ListItem>> rows_;
};

class ColumnHeader {
public:
    ColumnHeader(ListView& list, int index, std::string text, float width)
        : list_(list), index_(index), text_(std::move(text)), width_(width) {}
    const std::string& Text() const { return text_; }
    float Width() const { return width_; }
    void setWidth(float width);

private:
    friend class ListView;
    ListView& list_;
    int index_;
    std::string text_;
    float width_;
};

class ColumnHeaderCollection {
public:
    explicit ColumnHeaderCollection(ListView& list) : list_(list) {}
    int Count() const { return int(columns_.size()); }
    ColumnHeader& item(int index);  // 1-based
    ColumnHeader& Add(std::string text, float width);
    void Clear() { columns_.clear(); }

private:
    ListView& list_;
    std::deque<ColumnHeader> columns_;
};

// Drag states of DragOver.
namespace DragStates {
constexpr int vbEnter = 0, vbLeave = 1, vbOver = 2;
}
// Drag actions.
namespace DragActions {
constexpr int vbBeginDrag = 1;
}

using DragOverHandler = std::function<void(Control& source, float x, float y, int state)>;
using DragDropHandler = std::function<void(Control& source, float x, float y)>;

class ListView : public Control, public Window {
public:
    ListView(Form& form, std::string name);
    ~ListView() override;

    ListItemCollection ListItems{*this};
    ColumnHeaderCollection ColumnHeaders{*this};

    ListItem* SelectedItem() const { return selected_; }
    // A row selects it (and no other); nullptr clears the selection.
    void setSelectedItem(ListItem* row);
    ListItem* DropHighlight() const { return dropHighlight_; }
    void setDropHighlight(ListItem* row) { dropHighlight_ = row; }
    // The topmost row in view; nullptr for an empty list.
    ListItem* GetFirstVisible();
    // The row under the point; nullptr when none is.
    ListItem* HitTest(float x, float y);

    void setDragIcon(const Picture& picture) { dragIcon_ = picture; }
    // vbBeginDrag: while the button stays down, DragOver is raised as the pointer moves over
    // the list and DragDrop when it is released over it; the pointer shows DragIcon.
    void Drag(int action);
    bool Dragging() const { return dragging_; }

    ListViewHeader& Header() { return header_; }

    std::function<void(ListItem& item)> OnItemClick;
    DragOverHandler OnDragOver;
    DragDropHandler OnDragDrop;

    void Unrealize() override;
    // Window's side.
    RECT ScreenRectPixels() const override;
    POINT ClientOriginPixels() const override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ResetOwnProperties() override;

private:
    friend class ListItem;
    friend class ListItemCollection;
    friend class ColumnHeader;
    friend class ColumnHeaderCollection;
    friend class ListViewWidget;
    ListViewWidget* View() const;
    float PixelsToTwipsX(int pixels) const;
    float PixelsToTwipsY(int pixels) const;
    int TwipsToPixelsX(float twips) const;
    void ColumnsChanged();
    void ShowColumnWidths(ListViewWidget& view);
    // The view's side: what the user did, in client pixels.
    void SelectedInView(int row);  // 0-based, -1 none
    void DragMoved(int x, int y, bool inside);
    void DragReleased(int x, int y, bool inside);
    void EndDrag();
    void ColumnResizedInView(int column, int pixels);

    ListItem* selected_ = nullptr;
    ListItem* dropHighlight_ = nullptr;
    Picture dragIcon_;
    bool dragging_ = false, dragInside_ = false;
    ListViewHeader header_;
};
