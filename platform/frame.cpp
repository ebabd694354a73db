#include "platform/frame.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/widget_events.h"

namespace {

// The classic frame: an etched box whose top edge runs through the middle of the caption,
// which stands on the line near its left end. The box is not filled, so the window's face
// and whatever lies in the frame show through.
class FrameWidget : public widget_events::EventWidget<QWidget> {
public:
    using EventWidget::EventWidget;
    QString caption;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int top = metrics.height() / 2;
        const QRect box(0, top, width() - 1, height() - 1 - top);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(box.adjusted(1, 1, 0, 0));
        if (caption.isEmpty()) return;
        const int indent = metrics.averageCharWidth();
        const QRect text(indent, 0, metrics.horizontalAdvance(caption) + indent / 2, metrics.height());
        painter.fillRect(text, palette().color(QPalette::Window));
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(text.adjusted(indent / 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, caption);
    }
};

}  // namespace

void Frame::setCaption(std::string caption) {
    caption_ = std::move(caption);
    Apply();
}

QWidget* Frame::CreateWidget(QWidget* parent) {
    return new FrameWidget(widget_events::SinkFor(*this), parent);
}

void Frame::Apply() {
    Control::Apply();
    auto* frame = static_cast<FrameWidget*>(Widget());
    if (!frame) return;
    const QString caption = QString::fromStdString(caption_);
    if (frame->caption == caption) return;
    frame->caption = caption;
    frame->update();
}
