#include "platform/qt/list_view_widget.h"

#include <QScrollBar>
#include <QStyle>

#include "platform/common_controls.h"
#include "platform/list_view.h"
#include "platform/qt/widget_events.h"

// ---- ListModel -------------------------------------------------------------------------

int ListModel::rowCount(const QModelIndex& parent) const {
    return list_ && !parent.isValid() ? list_->ListItems.Count() : 0;
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return list_ && !parent.isValid() ? list_->ColumnHeaders.Count() : 0;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!list_ || role != Qt::DisplayRole || !index.isValid()) return {};
    ListItem& row = list_->ListItems.item(index.row() + 1);
    if (index.column() == 0) return QString::fromStdString(row.Text());
    if (index.column() > row.ListSubItems.Count()) return {};
    return QString::fromStdString(row.ListSubItems.item(index.column()).Text());
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!list_ || orientation != Qt::Horizontal || section >= list_->ColumnHeaders.Count())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(list_->ColumnHeaders.item(section + 1).Text());
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void ListModel::RowChanged(int row) {
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount({}) - 1));
}

void ListModel::Detach() {
    beginResetModel();
    list_ = nullptr;
    endResetModel();
}

// ---- ListHeaderWidget ------------------------------------------------------------------

ListHeaderWidget::ListHeaderWidget(ListViewHeader& header, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), header_(header) {
    setSectionsMovable(false);
    setStretchLastSection(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QObject::connect(this, &QHeaderView::sectionClicked,
                     [this](int column) { header_.Notify(HDN_ITEMCLICKA, column, 0); });
}

int ListHeaderWidget::DividerAt(int x) const {
    int visual = visualIndexAt(x);
    if (visual < 0) return -1;
    int column = logicalIndex(visual);
    int start = sectionViewportPosition(column);
    int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    if (x < start + grip) {
        while (visual > 0) {
            int before = logicalIndex(--visual);
            if (!isSectionHidden(before)) return before;
        }
        return -1;
    }
    return x > start + sectionSize(column) - grip ? column : -1;
}

void ListHeaderWidget::mousePressEvent(QMouseEvent* event) {
    refused_ = false;
    int x = event->position().toPoint().x();
    int divider = event->button() == Qt::LeftButton ? DividerAt(x) : -1;
    if (divider >= 0 && header_.Notify(HDN_BEGINTRACKA, divider, 0) != 0) {
        refused_ = true;
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void ListHeaderWidget::mouseMoveEvent(QMouseEvent* event) {
    if (refused_) return;
    QHeaderView::mouseMoveEvent(event);
}

void ListHeaderWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        header_.Notify(NM_RCLICK, logicalIndexAt(event->position().toPoint()), 1);
    if (refused_) {
        refused_ = false;
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

// A double click on a divider would size the column to its contents behind the list's
// back; it is a second press on the divider instead.
void ListHeaderWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (DividerAt(event->position().toPoint().x()) >= 0) return mousePressEvent(event);
    QHeaderView::mouseDoubleClickEvent(event);
}

// ---- ListViewWidget --------------------------------------------------------------------

ListViewWidget::ListViewWidget(ListView& list, ListViewHeader& header, QWidget* parent)
    : QTreeView(parent),
      list_(&list),
      model_(new ListModel(list, this)),
      header_(new ListHeaderWidget(header, this)) {
    setHeader(header_);
    setModel(model_);
    header_->setSectionsClickable(true);  // the tree view turns it off without sorting
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setDragEnabled(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(selectionModel(), &QItemSelectionModel::selectionChanged, [this] {
        if (!list_ || changing_) return;
        QModelIndexList rows = selectionModel()->selectedRows();
        list_->SelectedInView(rows.isEmpty() ? -1 : rows.front().row());
    });
    QObject::connect(header_, &QHeaderView::sectionResized, [this](int column, int, int size) {
        if (list_ && !changing_) list_->ColumnResizedInView(column, size);
    });
}

void ListViewWidget::Detach() {
    list_ = nullptr;
    model_->Detach();
}

void ListViewWidget::BeginChange() {
    if (changing_++ > 0) return;
    autoScroll_ = hasAutoScroll();
    setAutoScroll(false);
}

void ListViewWidget::EndChange() {
    if (--changing_ == 0) setAutoScroll(autoScroll_);
}

void ListViewWidget::Settle() {
    ensurePolished();
    header_->ensurePolished();
    executeDelayedItemsLayout();
    updateGeometries();
}

QRect ListViewWidget::ClientRect() const { return QRect(QPoint(0, 0), contentsRect().size()); }

QPoint ListViewWidget::ToClient(QPointF viewportPoint) const {
    return viewportPoint.toPoint() + viewport()->pos() - contentsRect().topLeft();
}

QRect ListViewWidget::RowRect(int row) {
    Settle();
    QRect rect = visualRect(model_->index(row, 0));
    return rect.translated(viewport()->pos() - contentsRect().topLeft());
}

int ListViewWidget::RowAt(QPoint client) {
    Settle();
    QPoint at = client - (viewport()->pos() - contentsRect().topLeft());
    if (!viewport()->rect().contains(at)) return -1;
    // The whole width of a row counts, whichever column is under the point.
    at.setX(std::max(0, header_->sectionViewportPosition(0)));
    QModelIndex index = indexAt(at);
    return index.isValid() ? index.row() : -1;
}

int ListViewWidget::FirstVisibleRow() {
    Settle();
    QModelIndex index = indexAt(QPoint(std::max(0, header_->sectionViewportPosition(0)), 0));
    return index.isValid() ? index.row() : -1;
}

void ListViewWidget::EnsureVisible(int row) {
    Settle();
    scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
}

void ListViewWidget::ShowSelection(int row) {
    BeginChange();
    if (row < 0) {
        // No current row either: the view would draw it as chosen, and Down would skip it.
        selectionModel()->clear();
    } else {
        selectionModel()->setCurrentIndex(model_->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    }
    EndChange();
}

void ListViewWidget::ApplyColumnWidth(int column, int pixels) {
    BeginChange();
    header_->resizeSection(column, pixels);
    EndChange();
}

void ListViewWidget::ApplyColumns() {
    BeginChange();
    model_->BeginReset();
    model_->EndReset();
    EndChange();
}

void ListViewWidget::RaiseMouse(MouseHandler& handler, int button, QMouseEvent* event) {
    if (!handler) return;
    QPoint at = ToClient(event->position());
    handler(button, widget_events::ShiftOf(event->modifiers()), list_->PixelsToTwipsX(at.x()),
            list_->PixelsToTwipsY(at.y()));
}

void ListViewWidget::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (!list_) return;
    QPointer<ListViewWidget> alive(this);
    int row = event->button() == Qt::LeftButton ? RowAt(ToClient(event->position())) : -1;
    RaiseMouse(list_->OnMouseDown, widget_events::ButtonOf(event->button()), event);
    if (!alive || !list_ || row < 0 || row >= list_->ListItems.Count()) return;
    if (list_->OnItemClick) list_->OnItemClick(list_->ListItems.item(row + 1));
}

void ListViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!list_) return QTreeView::mouseMoveEvent(event);
    QPoint at = ToClient(event->position());
    if (list_->Dragging()) return list_->DragMoved(at.x(), at.y(), ClientRect().contains(at));
    // With a button held the view would drag out a selection; the list's owner decides.
    if (event->buttons() == Qt::NoButton) QTreeView::mouseMoveEvent(event);
    RaiseMouse(list_->OnMouseMove, widget_events::ButtonsHeld(event->buttons()), event);
}

void ListViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!list_) return QTreeView::mouseReleaseEvent(event);
    QPoint at = ToClient(event->position());
    if (list_->Dragging()) {
        setState(QAbstractItemView::NoState);
        return list_->DragReleased(at.x(), at.y(), ClientRect().contains(at));
    }
    QTreeView::mouseReleaseEvent(event);
    RaiseMouse(list_->OnMouseUp, widget_events::ButtonOf(event->button()), event);
}

void ListViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return mousePressEvent(event);
    QTreeView::mouseDoubleClickEvent(event);
    if (list_ && list_->OnDblClick) list_->OnDblClick();
}

void ListViewWidget::keyPressEvent(QKeyEvent* event) {
    if (list_ && list_->OnKeyDown && !event->isAutoRepeat()) {
        int code = widget_events::KeyCodeOf(*event);
        list_->OnKeyDown(code, widget_events::ShiftOf(event->modifiers()));
    }
    QTreeView::keyPressEvent(event);
}

void ListViewWidget::keyReleaseEvent(QKeyEvent* event) {
    if (list_ && list_->OnKeyUp && !event->isAutoRepeat()) {
        int code = widget_events::KeyCodeOf(*event);
        list_->OnKeyUp(code, widget_events::ShiftOf(event->modifiers()));
    }
    QTreeView::keyReleaseEvent(event);
}

// Gaining focus, the view makes its first row current, which draws it as chosen and makes
// Down go to the second row. A list without a selection keeps no current row.
void ListViewWidget::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    if (selectionModel()->hasSelection() || !currentIndex().isValid()) return;
    BeginChange();
    selectionModel()->clearCurrentIndex();
    EndChange();
}
