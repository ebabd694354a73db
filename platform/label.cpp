#include "platform/label.h"

#include <QFontMetricsF>
#include <QLabel>
#include <cmath>

#include "platform/font_map.h"
#include "platform/widget_events.h"

namespace {
using LabelWidget = widget_events::EventWidget<QLabel>;
}

std::string Label::DisplayText() const {
    std::string shown;
    shown.reserve(caption_.size());
    for (size_t i = 0; i < caption_.size(); ++i) {
        if (caption_[i] != '&') {
            shown += caption_[i];
        } else if (i + 1 < caption_.size() && caption_[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

void Label::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    if (autoSize_) FitToText();
    Apply();
}

void Label::setForeColor(Color color) {
    foreColor_ = color;
    Apply();
}

void Label::setFont(const Font& font) {
    font_ = font;
    if (autoSize_) FitToText();
    Apply();
}

void Label::setFontSize(float size) {
    Font font = font_;
    font.Size = size;
    setFont(font);
}

void Label::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) FitToText();
    Apply();
}

void Label::setTransparent(bool transparent) {
    transparent_ = transparent;
    Apply();
}

void Label::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    Apply();
}

void Label::setWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    Apply();
}

void Label::FitToText() {
    QFontMetricsF metrics(ToQFont(font_));
    QString text = QString::fromStdString(DisplayText());
    double width = std::ceil(metrics.horizontalAdvance(text));
    double height = std::ceil(metrics.height());
    // Right-aligned labels keep their right edge when they grow, as the classic ones do.
    float newWidth = float(width) * TwipsPerPixelX();
    float left = alignment_ == Alignment::Right ? Left() + Width() - newWidth : Left();
    Control::Move(left, Top(), newWidth, float(height) * TwipsPerPixelY());
}

void Label::ResetOwnProperties() {
    caption_.clear();
    foreColor_ = kBlack;
    font_ = Font();
    autoSize_ = transparent_ = wordWrap_ = false;
    alignment_ = Alignment::Left;
}

QWidget* Label::CreateWidget(QWidget* parent) {
    auto* label = new LabelWidget(widget_events::SinkFor(*this), parent);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(0);
    label->setIndent(0);
    label->setContentsMargins(0, 0, 0, 0);
    return label;
}

void Label::Apply() {
    Control::Apply();
    auto* label = static_cast<LabelWidget*>(Widget());
    if (!label) return;
    label->setText(QString::fromStdString(DisplayText()));
    label->setFont(ToQFont(font_));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(foreColor_));
    label->setPalette(palette);
    label->setAutoFillBackground(!transparent_);
    label->setWordWrap(wordWrap_);
    Qt::Alignment horizontal = alignment_ == Alignment::Right    ? Qt::AlignRight
                               : alignment_ == Alignment::Center ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
}
