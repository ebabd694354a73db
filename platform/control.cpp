#include "platform/control.h"

#include <QWidget>
#include <cmath>

#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/qt/widget_events.h"

Control::Control(Form& form, std::string name, int16_t index)
    : form_(form), name_(std::move(name)), index_(index) {
    form_.Adopt(*this);
}

Control::~Control() = default;

float Control::TwipsPerPixelX() const { return form_.runtime().TwipsPerPixelX(); }
float Control::TwipsPerPixelY() const { return form_.runtime().TwipsPerPixelY(); }

void Control::setLeft(float left) {
    left_ = left;
    Apply();
}
void Control::setTop(float top) {
    top_ = top;
    Apply();
}
void Control::setWidth(float width) {
    width_ = width < 0 ? 0 : width;
    Apply();
}
void Control::setHeight(float height) {
    height_ = height < 0 ? 0 : height;
    Apply();
}
void Control::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    Apply();
}

void Control::setVisible(bool visible) {
    visible_ = visible;
    Apply();
}
void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}
void Control::setToolTipText(std::string text) {
    toolTip_ = std::move(text);
    Apply();
}
void Control::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    Apply();
}

void Control::SetFocus() {
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::HasFocus() const { return widget_ && widget_->hasFocus(); }

void Control::Realize(QWidget* parent) {
    QWidget* host = container_ && container_->widget_ ? container_->widget_ : parent;
    widget_ = CreateWidget(host);
    Apply();
}

void Control::Unrealize() { widget_ = nullptr; }

void Control::ResetToDefaults() {
    container_ = nullptr;
    left_ = top_ = width_ = height_ = 0;
    visible_ = enabled_ = true;
    tag_.clear();
    toolTip_.clear();
    mousePointer_ = MousePointers::vbDefault;
    ResetOwnProperties();
}

void Control::Apply() {
    if (!widget_ || !HasGeometry()) return;
    float tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    // Both edges are rounded, not the size, so that a control that ends where the next
    // begins in twips never overlaps it by a pixel.
    int x = int(std::lround(left_ / tx)), y = int(std::lround(top_ / ty));
    int w = int(std::lround((left_ + width_) / tx)) - x;
    int h = int(std::lround((top_ + height_) / ty)) - y;
    widget_->setGeometry(x, y, w, h);
    widget_->setVisible(visible_);
    widget_->setEnabled(enabled_);
    // A tooltip or pointer set again costs an event each, and under the mouse an X request.
    const QString toolTip = QString::fromStdString(toolTip_);
    if (widget_->toolTip() != toolTip) widget_->setToolTip(toolTip);
    const Qt::CursorShape cursor = widget_events::CursorOf(mousePointer_);
    if (!widget_->testAttribute(Qt::WA_SetCursor) || widget_->cursor().shape() != cursor)
        widget_->setCursor(cursor);
}
