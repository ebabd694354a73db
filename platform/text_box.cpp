#include "platform/text_box.h"

#include <algorithm>

#include <QLineEdit>
#include <QValidator>

#include "platform/widget_events.h"

namespace {

// The limit holds for typing only: a longer text set from code stays whole, may be
// shortened, and takes no more characters.
class TypingLimit : public QValidator {
public:
    explicit TypingLimit(const TextBox& box, QObject* parent) : QValidator(parent), box_(box) {}
    State validate(QString& input, int&) const override {
        if (box_.MaxLength() == 0) return Acceptable;
        qsizetype shown = QString::fromStdString(box_.Text()).size();
        return input.size() <= std::max<qsizetype>(box_.MaxLength(), shown) ? Acceptable : Invalid;
    }

private:
    const TextBox& box_;
};

}  // namespace

class TextBoxWidget : public widget_events::EventWidget<QLineEdit> {
public:
    TextBoxWidget(TextBox& box, QWidget* parent)
        : EventWidget(widget_events::SinkFor(box), parent) {
        setValidator(new TypingLimit(box, this));
        QObject::connect(this, &QLineEdit::textEdited,
                         [&box](const QString& text) { box.TypedText(text.toStdString()); });
    }
};

void TextBox::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Apply();
    if (OnChange) OnChange();
}

void TextBox::setMaxLength(int maxLength) {
    maxLength_ = maxLength < 0 ? 0 : maxLength;
    Apply();
}

void TextBox::TypedText(std::string text) {
    text_ = std::move(text);
    if (OnChange) OnChange();
}

void TextBox::ResetOwnProperties() {
    text_.clear();
    maxLength_ = 0;
}

QWidget* TextBox::CreateWidget(QWidget* parent) { return new TextBoxWidget(*this, parent); }

void TextBox::Apply() {
    Control::Apply();
    auto* edit = static_cast<TextBoxWidget*>(Widget());
    if (!edit) return;
    QString text = QString::fromStdString(text_);
    if (edit->text() != text) edit->setText(text);
}
