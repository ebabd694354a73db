#include "platform/text_box.h"

#include <QLineEdit>

#include "platform/widget_events.h"

class TextBoxWidget
    : public widget_events::EventWidget<QLineEdit, widget_events::BaseMouse::Own> {
public:
    TextBoxWidget(TextBox& box, QWidget* parent)
        : EventWidget(widget_events::SinkFor(box), parent) {
        QObject::connect(this, &QLineEdit::textEdited,
                         [&box](const QString& text) { box.TypedText(text.toStdString()); });
    }
};

void TextBox::setText(std::string text) {
    if (maxLength_ > 0 && QString::fromStdString(text).size() > maxLength_)
        text = QString::fromStdString(text).left(maxLength_).toStdString();
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
    edit->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    QString text = QString::fromStdString(text_);
    if (edit->text() != text) edit->setText(text);
}
