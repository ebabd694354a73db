#include "platform/text_box.h"

#include <algorithm>

#include <QLineEdit>
#include <QValidator>

#include "platform/qt/widget_events.h"

namespace {

// The limit holds for typing only: a longer text set from code stays whole, may be
// shortened, and takes no more characters. It keeps its own copy of the figures, since the
// widget may outlive its text box by a turn of the event loop.
class TypingLimit : public QValidator {
public:
    using QValidator::QValidator;
    int limit = 0;
    qsizetype shown = 0;  // the length of the text the box holds now
    State validate(QString& input, int&) const override {
        return limit == 0 || input.size() <= std::max<qsizetype>(limit, shown) ? Acceptable : Invalid;
    }
};

}  // namespace

class TextBoxWidget
    : public widget_events::EventWidget<QLineEdit, widget_events::BaseMouse::Own> {
public:
    TextBoxWidget(TextBox& box, QWidget* parent)
        : EventWidget(widget_events::SinkFor(box), parent), typingLimit(new TypingLimit(this)) {
        setValidator(typingLimit);
        QObject::connect(this, &QLineEdit::textEdited, [this, &box](const QString& text) {
            typingLimit->shown = text.size();
            box.TypedText(text.toStdString());
        });
    }
    TypingLimit* typingLimit;
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
    edit->typingLimit->limit = maxLength_;
    edit->typingLimit->shown = text.size();
    if (edit->text() != text) edit->setText(text);
}
