#include "platform/list_view_header.h"

#include "platform/common_controls.h"
#include "platform/list_view.h"
#include "platform/qt/list_view_widget.h"

LRESULT ListViewHeader::Notify(intptr_t code, int column, int button) {
    if (!widget_ || !list_.hWnd()) return 0;
    NMHEADER notification;
    notification.hdr = NMHDR{hWnd(), 0, code};
    notification.iItem = column;
    notification.iButton = button;
    return list_.Dispatch(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification));
}

RECT ListViewHeader::ScreenRectPixels() const {
    if (!widget_) return {};
    QPoint origin = widget_->mapToGlobal(QPoint(0, 0));
    return RECT{origin.x(), origin.y(), origin.x() + widget_->width(),
                origin.y() + widget_->height()};
}

POINT ListViewHeader::ClientOriginPixels() const {
    if (!widget_) return {};
    QPoint origin = widget_->mapToGlobal(QPoint(0, 0));
    return POINT{origin.x(), origin.y()};
}

LRESULT ListViewHeader::DefaultProcedure(uint32_t message, WPARAM, LPARAM lParam) {
    if (message != HDM_HITTEST || !widget_ || !lParam) return 0;
    auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
    bool onHeader = widget_->rect().contains(info->x, info->y);
    info->iItem = onHeader ? widget_->logicalIndexAt(info->x) : -1;
    info->flags = info->iItem >= 0 ? HHT_ONHEADER : HHT_NOWHERE;
    return info->iItem;
}

void ListViewHeader::Attach(ListHeaderWidget* widget) {
    widget_ = widget;
    CreateHandle();
}

void ListViewHeader::Detach() {
    DestroyHandle();
    widget_ = nullptr;
}
