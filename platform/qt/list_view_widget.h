#pragma once
// Qt side of ListView: a tree view without branches over a small model that reads the
// list's rows, and a header that asks the list's window procedure before it lets a
// divider be dragged. Positions handed to the list are client pixels: inside the frame,
// the header included.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPointer>
#include <QTreeView>

#include "platform/events.h"

class ListView;
class ListViewHeader;

class ListModel : public QAbstractTableModel {
public:
    ListModel(ListView& list, QObject* parent) : QAbstractTableModel(parent), list_(&list) {}

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void BeginInsert(int row) { beginInsertRows({}, row, row); }
    void EndInsert() { endInsertRows(); }
    void BeginRemove(int row) { beginRemoveRows({}, row, row); }
    void EndRemove() { endRemoveRows(); }
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void RowChanged(int row);
    // The list lets go (its window unloads): from now on the model is empty.
    void Detach();

private:
    ListView* list_;
};

class ListHeaderWidget : public QHeaderView {
public:
    ListHeaderWidget(ListViewHeader& header, QWidget* parent);

    // The column whose right-hand divider a press at x would drag, as Qt decides it; -1.
    int DividerAt(int x) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ListViewHeader& header_;
    bool refused_ = false;  // the press that started a divider drag was refused
};

class ListViewWidget : public QTreeView {
public:
    ListViewWidget(ListView& list, ListViewHeader& header, QWidget* parent);

    ListModel& Model() { return *model_; }
    ListHeaderWidget& Header() { return *header_; }
    void Detach();

    // Row geometry and hit tests in client pixels; rows 0-based, -1 for none.
    QRect RowRect(int row);
    int RowAt(QPoint client);
    int FirstVisibleRow();
    void EnsureVisible(int row);
    // Shows the list's selection without scrolling to it.
    void ShowSelection(int row);
    void ApplyColumnWidth(int column, int pixels);
    void ApplyColumns();
    QRect ClientRect() const;
    QPoint ClientOriginInWidget() const { return contentsRect().topLeft(); }
    // While the list changes its rows or selection, the view's selection signals are not
    // the user's, and the view does not scroll to a current row it moved itself.
    void BeginChange();
    void EndChange();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // Lays out rows and header now, also before the window is first shown.
    void Settle();
    QPoint ToClient(QPointF viewportPoint) const;
    void RaiseMouse(MouseHandler& handler, int button, QMouseEvent* event);

    ListView* list_;
    ListModel* model_;
    ListHeaderWidget* header_;
    int changing_ = 0;
    bool autoScroll_ = true;
};
