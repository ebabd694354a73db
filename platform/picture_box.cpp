#include "platform/picture_box.h"

#include <QPainter>

#include "platform/picture_data.h"
#include "platform/widget_events.h"

namespace {

class PictureBoxWidget : public widget_events::EventWidget<QWidget> {
public:
    using EventWidget::EventWidget;
    Picture picture;

protected:
    void paintEvent(QPaintEvent*) override {
        if (picture.IsEmpty()) return;
        QPainter painter(this);
        painter.drawImage(0, 0, picture.Data()->Image());
    }
};

}  // namespace

void PictureBox::setPicture(const Picture& picture) {
    picture_ = picture;
    if (autoSize_) FitToPicture();
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
    autoSize_ = false;
}

QWidget* PictureBox::CreateWidget(QWidget* parent) {
    return new PictureBoxWidget(widget_events::SinkFor(*this), parent);
}

void PictureBox::Apply() {
    Control::Apply();
    if (auto* widget = static_cast<PictureBoxWidget*>(Widget())) {
        widget->picture = picture_;
        widget->update();
    }
}
