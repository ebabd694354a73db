#include "platform/label.h"

#include <QFontMetricsF>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "platform/qt/font_map.h"
#include "platform/qt/widget_events.h"

namespace {

using LabelWidget = widget_events::EventWidget<QLabel>;

// Below four fifths of its size a face no longer reads at a glance.
constexpr double kSmallestShrink = 0.8;

// How a label shows a caption wider than its box: in a smaller size of its font, on the
// designed baseline, and cut with an ellipsis where even the smallest size does not fit.
struct Shrunk {
    QFont font;
    QString text;
    int baselineDrop = 0;  // pixels from the box's top to where the smaller text starts
};

Shrunk ShrinkToBox(const QFont& designed, bool shrinkToFit, const QString& text, int boxWidth) {
    Shrunk shown{designed, text};
    if (!shrinkToFit || text.isEmpty() || boxWidth <= 0) return shown;
    // Most captions fit: a refresh then measures once and builds no other font.
    double width = QFontMetricsF(designed).horizontalAdvance(text);
    if (width <= boxWidth) return shown;
    const double smallest = designed.pointSizeF() * kSmallestShrink;
    double size = designed.pointSizeF();
    QFont& font = shown.font;
    for (; width > boxWidth && size > smallest; width = QFontMetricsF(font).horizontalAdvance(text)) {
        size = std::max(smallest, std::min(size - 0.25, size * boxWidth / width));
        font.setPointSizeF(size);
    }
    const QFontMetricsF metrics(font);
    shown.text = metrics.elidedText(text, Qt::ElideRight, boxWidth);
    shown.baselineDrop =
        int(std::lround(QFontMetricsF(designed).ascent() - metrics.ascent()));
    return shown;
}

}  // namespace

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
    Refit();
}

void Label::setForeColor(Color color) {
    foreColor_ = color;
    Apply();
}

void Label::setFont(const Font& font) {
    font_ = font;
    Refit();
}

void Label::setFontSize(float size) {
    Font font = font_;
    font.Size = size;
    setFont(font);
}

void Label::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    Refit();
}

void Label::setTransparent(bool transparent) {
    transparent_ = transparent;
    Apply();
}

void Label::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    Apply();
}

void Label::setMaxWidth(float width) {
    maxWidth_ = width < 0 ? 0 : width;
    Refit();
}

void Label::setShrinkToFit(bool shrink) {
    shrinkToFit_ = shrink;
    Apply();
}

void Label::setWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    Apply();
}

struct Label::Shaped {
    explicit Shaped(const Font& shape) : font(shape), qfont(ToQFont(shape)), metrics(qfont) {}
    Font font;
    QFont qfont;
    QFontMetricsF metrics;
};

const Label::Shaped& Label::Shape() const {
    if (!shaped_ || !(shaped_->font == font_)) shaped_ = std::make_shared<const Shaped>(font_);
    return *shaped_;
}

void Label::Refit() {
    if (autoSize_) {
        FitToText();  // moves the label, which shows it
    } else {
        Apply();
    }
}

void Label::FitToText() {
    const QFontMetricsF& metrics = Shape().metrics;
    QString text = QString::fromStdString(DisplayText());
    double width = std::ceil(metrics.horizontalAdvance(text));
    double height = std::ceil(metrics.height());
    float newWidth = float(width) * TwipsPerPixelX();
    if (maxWidth_ > 0) newWidth = std::min(newWidth, maxWidth_);
    // Right-aligned labels keep their right edge when they grow, as the classic ones do,
    // and centred ones their centre.
    float left = alignment_ == Alignment::Right    ? Left() + Width() - newWidth
                 : alignment_ == Alignment::Center ? Left() + (Width() - newWidth) / 2
                                                   : Left();
    Control::Move(left, Top(), newWidth, float(height) * TwipsPerPixelY());
}

void Label::ResetOwnProperties() {
    caption_.clear();
    foreColor_ = kBlack;
    font_ = Font();
    maxWidth_ = 0;
    autoSize_ = transparent_ = wordWrap_ = shrinkToFit_ = false;
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
    // Only what changed goes to the widget: every font or palette change repaints and
    // lays out the label again, and a refresh changes little more than the text.
    const Shrunk shown = ShrinkToBox(Shape().qfont, shrinkToFit_,
                                     QString::fromStdString(DisplayText()), label->width());
    if (label->text() != shown.text) label->setText(shown.text);
    if (label->font() != shown.font) label->setFont(shown.font);
    if (label->contentsMargins().top() != shown.baselineDrop)
        label->setContentsMargins(0, shown.baselineDrop, 0, 0);
    const QColor color = ToQColor(foreColor_);
    if (label->palette().color(QPalette::WindowText) != color) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, color);
        label->setPalette(palette);
    }
    label->setAutoFillBackground(!transparent_);
    if (label->wordWrap() != wordWrap_) label->setWordWrap(wordWrap_);
    Qt::Alignment horizontal = alignment_ == Alignment::Right    ? Qt::AlignRight
                               : alignment_ == Alignment::Center ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
}
