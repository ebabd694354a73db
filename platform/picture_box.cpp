#include "platform/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/font_map.h"
#include "platform/qt/picture_data.h"
#include "platform/qt/widget_events.h"

namespace {

class PictureBoxWidget : public widget_events::EventWidget<QWidget> {
public:
    using EventWidget::EventWidget;
    Picture picture;
    std::optional<QColor> backColor;

protected:
    void paintEvent(QPaintEvent* event) override {
        if (picture.IsEmpty() && !backColor) return;
        QPainter painter(this);
        if (backColor) painter.fillRect(event->rect(), *backColor);
        if (!picture.IsEmpty()) painter.drawImage(0, 0, picture.Data()->Image());
    }
};

}  // namespace

void PictureBox::setPicture(const Picture& picture) {
    picture_ = picture;
    if (autoSize_) FitToPicture();
    Apply();
}

void PictureBox::setBackColor(Color color) {
    backColor_ = color;
    Apply();
}

void PictureBox::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) FitToPicture();
    Apply();
}

void PictureBox::FitToPicture() {
    // Resizing through the base keeps the geometry in one place.
    Control::Move(Left(), Top(), float(picture_.WidthPixels()) * TwipsPerPixelX(),
                  float(picture_.HeightPixels()) * TwipsPerPixelY());
}

void PictureBox::ResetOwnProperties() {
    picture_ = Picture();
    backColor_.reset();
    autoSize_ = false;
}

QWidget* PictureBox::CreateWidget(QWidget* parent) {
    return new PictureBoxWidget(widget_events::SinkFor(*this), parent);
}

void PictureBox::Apply() {
    Control::Apply();
    if (auto* widget = static_cast<PictureBoxWidget*>(Widget())) {
        std::optional<QColor> backColor;
        if (backColor_) backColor = ToQColor(*backColor_);
        // Geometry changes repaint by themselves; only a new look needs a repaint here.
        if (widget->picture == picture_ && widget->backColor == backColor) return;
        widget->picture = picture_;
        widget->backColor = backColor;
        widget->update();
    }
}
