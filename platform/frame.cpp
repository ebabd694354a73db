#include "platform/frame.h"

#include <QGroupBox>

#include "platform/widget_events.h"

namespace {
using FrameWidget = widget_events::EventWidget<QGroupBox>;
}

void Frame::setCaption(std::string caption) {
    caption_ = std::move(caption);
    Apply();
}

QWidget* Frame::CreateWidget(QWidget* parent) {
    return new FrameWidget(widget_events::SinkFor(*this), parent);
}

void Frame::Apply() {
    Control::Apply();
    if (auto* frame = static_cast<FrameWidget*>(Widget()))
        frame->setTitle(QString::fromStdString(caption_));
}
