#include "platform/list_view.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <cassert>
#include <cmath>

#include "platform/form.h"
#include "platform/qt/list_view_widget.h"
#include "platform/qt/picture_data.h"
#include "platform/runtime.h"

// ---- rows ------------------------------------------------------------------------------

const std::string& ListSubItem::Text() const { return row_->ListSubItems.texts_[size_t(index_ - 1)]; }

void ListSubItem::setText(std::string text) {
    row_->ListSubItems.texts_[size_t(index_ - 1)] = std::move(text);
    row_->Changed();
}

ListSubItem ListSubItemCollection::item(int index) {
    assert(index >= 1 && index <= Count());
    return ListSubItem(row_, index);
}

ListSubItem ListSubItemCollection::Add(std::string text) {
    texts_.push_back(std::move(text));
    row_.Changed();
    return ListSubItem(row_, Count());
}

void ListItem::setText(std::string text) {
    text_ = std::move(text);
    Changed();
}

void ListItem::Changed() {
    if (ListViewWidget* view = list_.View()) view->Model().RowChanged(index_ - 1);
}

bool ListItem::Selected() const { return list_.SelectedItem() == this; }

float ListItem::Top() const {
    ListViewWidget* view = list_.View();
    return view ? list_.PixelsToTwipsY(view->RowRect(index_ - 1).top()) : 0;
}

float ListItem::Left() const {
    ListViewWidget* view = list_.View();
    return view ? list_.PixelsToTwipsX(view->RowRect(index_ - 1).left()) : 0;
}

float ListItem::Height() const {
    ListViewWidget* view = list_.View();
    return view ? list_.PixelsToTwipsY(view->RowRect(index_ - 1).height()) : 0;
}

void ListItem::EnsureVisible() {
    if (ListViewWidget* view = list_.View()) view->EnsureVisible(index_ - 1);
}

ListItem& ListItemCollection::item(int index) {
    assert(index >= 1 && index <= Count());
    return *rows_[size_t(index - 1)];
}

ListItem& ListItemCollection::Add(int position, std::string text) {
    assert(position >= 1 && position <= Count() + 1);
    ListViewWidget* view = list_.View();
    if (view) {
        view->BeginChange();
        view->Model().BeginInsert(position - 1);
    }
    auto row = std::make_unique<ListItem>(list_, std::move(text));
    ListItem& added = *row;
    rows_.insert(rows_.begin() + (position - 1), std::move(row));
    Renumber(position);
    if (view) {
        view->Model().EndInsert();
        view->EndChange();
    }
    return added;
}

void ListItemCollection::Remove(int position) {
    assert(position >= 1 && position <= Count());
    ListItem* removed = rows_[size_t(position - 1)].get();
    ListViewWidget* view = list_.View();
    if (view) {
        view->BeginChange();
        view->Model().BeginRemove(position - 1);
    }
    std::unique_ptr<ListItem> gone = std::move(rows_[size_t(position - 1)]);
    rows_.erase(rows_.begin() + (position - 1));
    Renumber(position);
    if (list_.dropHighlight_ == removed) list_.dropHighlight_ = nullptr;
    if (list_.selected_ == removed) {
        if (rows_.empty()) {
            list_.selected_ = nullptr;
        } else {
            list_.selected_ = rows_[size_t(std::min(position, Count()) - 1)].get();
        }
    }
    if (view) {
        view->Model().EndRemove();
        view->ShowSelection(list_.selected_ ? list_.selected_->Index() - 1 : -1);
        view->EndChange();
    }
}

void ListItemCollection::Clear() {
    ListViewWidget* view = list_.View();
    if (view) view->Model().BeginReset();
    rows_.clear();
    list_.selected_ = list_.dropHighlight_ = nullptr;
    if (view) view->Model().EndReset();
}

void ListItemCollection::Renumber(int from) {
    for (size_t i = size_t(from - 1); i < rows_.size(); ++i) rows_[i]->index_ = int(i + 1);
}

// ---- columns ---------------------------------------------------------------------------

void ColumnHeader::setWidth(float width) {
    width_ = width < 0 ? 0 : width;
    if (ListViewWidget* view = list_.View())
        view->ApplyColumnWidth(index_ - 1, list_.TwipsToPixelsX(width_));
}

ColumnHeader& ColumnHeaderCollection::item(int index) {
    assert(index >= 1 && index <= Count());
    return columns_[size_t(index - 1)];
}

ColumnHeader& ColumnHeaderCollection::Add(std::string text, float width) {
    columns_.emplace_back(list_, Count() + 1, std::move(text), width);
    list_.ColumnsChanged();
    return columns_.back();
}

// ---- the list --------------------------------------------------------------------------

ListView::ListView(Form& form, std::string name)
    : Control(form, std::move(name)),
      Window(form.runtime().user32()),
      header_(form.runtime().user32(), *this) {}

ListView::~ListView() { EndDrag(); }

ListViewWidget* ListView::View() const { return static_cast<ListViewWidget*>(Widget()); }

float ListView::PixelsToTwipsX(int pixels) const { return float(pixels) * TwipsPerPixelX(); }
float ListView::PixelsToTwipsY(int pixels) const { return float(pixels) * TwipsPerPixelY(); }
int ListView::TwipsToPixelsX(float twips) const { return int(std::lround(twips / TwipsPerPixelX())); }

void ListView::setSelectedItem(ListItem* row) {
    selected_ = row;
    if (ListViewWidget* view = View()) view->ShowSelection(row ? row->Index() - 1 : -1);
}

ListItem* ListView::GetFirstVisible() {
    if (ListItems.Count() == 0) return nullptr;
    ListViewWidget* view = View();
    int row = view ? view->FirstVisibleRow() : 0;
    return row < 0 ? nullptr : &ListItems.item(row + 1);
}

ListItem* ListView::HitTest(float x, float y) {
    ListViewWidget* view = View();
    if (!view) return nullptr;
    QPoint client(int(std::floor(x / TwipsPerPixelX())), int(std::floor(y / TwipsPerPixelY())));
    int row = view->RowAt(client);
    return row < 0 ? nullptr : &ListItems.item(row + 1);
}

void ListView::Drag(int action) {
    if (action != DragActions::vbBeginDrag || !View() || dragging_) return;
    dragging_ = true;
    dragInside_ = false;
    QCursor pointer(Qt::DragMoveCursor);
    if (!dragIcon_.IsEmpty()) pointer = QCursor(QPixmap::fromImage(dragIcon_.Data()->Image()), 0, 0);
    QGuiApplication::setOverrideCursor(pointer);
}

void ListView::EndDrag() {
    if (!dragging_) return;
    dragging_ = false;
    QGuiApplication::restoreOverrideCursor();
}

void ListView::DragMoved(int x, int y, bool inside) {
    if (!inside && !dragInside_) return;
    int state = !inside ? DragStates::vbLeave : dragInside_ ? DragStates::vbOver : DragStates::vbEnter;
    dragInside_ = inside;
    if (OnDragOver) OnDragOver(*this, PixelsToTwipsX(x), PixelsToTwipsY(y), state);
}

void ListView::DragReleased(int x, int y, bool inside) {
    EndDrag();
    if (inside && OnDragDrop) OnDragDrop(*this, PixelsToTwipsX(x), PixelsToTwipsY(y));
}

void ListView::SelectedInView(int row) {
    selected_ = row < 0 || row >= ListItems.Count() ? nullptr : &ListItems.item(row + 1);
}

void ListView::ColumnResizedInView(int column, int pixels) {
    if (column < ColumnHeaders.Count())
        ColumnHeaders.item(column + 1).width_ = PixelsToTwipsX(pixels);
}

void ListView::ColumnsChanged() {
    if (ListViewWidget* view = View()) {
        view->ApplyColumns();
        ShowColumnWidths(*view);
    }
}

void ListView::ShowColumnWidths(ListViewWidget& view) {
    for (int i = 1; i <= ColumnHeaders.Count(); ++i)
        view.ApplyColumnWidth(i - 1, TwipsToPixelsX(ColumnHeaders.item(i).Width()));
}

QWidget* ListView::CreateWidget(QWidget* parent) {
    auto* view = new ListViewWidget(*this, header_, parent);
    ShowColumnWidths(*view);
    header_.Attach(&view->Header());
    CreateHandle();
    return view;
}

void ListView::Unrealize() {
    EndDrag();
    DestroyHandle();
    header_.Detach();
    if (ListViewWidget* view = View()) view->Detach();
    Control::Unrealize();
    // The rows belong to the window that showed them.
    ListItems.Clear();
}

void ListView::ResetOwnProperties() {
    ListItems.Clear();
    ColumnHeaders.Clear();
    dragIcon_ = Picture();
    EndDrag();
}

RECT ListView::ScreenRectPixels() const {
    ListViewWidget* view = View();
    if (!view) return {};
    QPoint origin = view->mapToGlobal(QPoint(0, 0));
    return RECT{origin.x(), origin.y(), origin.x() + view->width(), origin.y() + view->height()};
}

POINT ListView::ClientOriginPixels() const {
    ListViewWidget* view = View();
    if (!view) return {};
    QPoint origin = view->mapToGlobal(view->ClientOriginInWidget());
    return POINT{origin.x(), origin.y()};
}
