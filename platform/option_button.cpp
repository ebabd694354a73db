#include "platform/option_button.h"

#include <QRadioButton>

#include "platform/form.h"
#include "platform/qt/widget_events.h"

class OptionButtonWidget
    : public widget_events::EventWidget<QRadioButton, widget_events::BaseMouse::Own> {
public:
    OptionButtonWidget(OptionButton& option, QWidget* parent)
        : EventWidget(widget_events::SinkWithoutClick(option), parent) {
        QObject::connect(this, &QRadioButton::clicked, [&option] { option.Chosen(); });
    }

protected:
    // The whole of the control's place takes the click, not just its circle and caption.
    bool hitButton(const QPoint& at) const override { return rect().contains(at); }
};

OptionButton::OptionButton(Form& form, std::string name, int16_t index)
    : Control(form, std::move(name), index) {
    form.options_.push_back(this);
}

void OptionButton::setCaption(std::string caption) {
    caption_ = std::move(caption);
    Apply();
}

void OptionButton::setValue(bool value) {
    if (value) {
        // Choosing one clears the others of the same container.
        for (OptionButton* other : Parent().options_) {
            if (other != this && other->Container() == Container() && other->value_) {
                other->value_ = false;
                other->Apply();
            }
        }
    }
    value_ = value;
    Apply();
}

void OptionButton::Chosen() {
    setValue(true);
    if (OnClick) OnClick();
}

void OptionButton::ResetOwnProperties() {
    caption_.clear();
    value_ = false;
}

QWidget* OptionButton::CreateWidget(QWidget* parent) {
    auto* button = new OptionButtonWidget(*this, parent);
    // Exclusion is kept by the facade, so an unselected pair can exist as the design has it.
    button->setAutoExclusive(false);
    return button;
}

void OptionButton::Apply() {
    Control::Apply();
    if (auto* button = static_cast<OptionButtonWidget*>(Widget())) {
        button->setText(QString::fromStdString(caption_));
        button->setChecked(value_);
    }
}
