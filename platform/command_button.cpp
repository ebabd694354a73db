#include "platform/command_button.h"

#include <QPushButton>

#include "platform/form.h"
#include "platform/qt/widget_events.h"

namespace {

// Keeps the classic one "&" access-key mark; Qt uses the same convention.
class ButtonWidget
    : public widget_events::EventWidget<QPushButton, widget_events::BaseMouse::Own> {
public:
    ButtonWidget(CommandButton& button, QWidget* parent)
        : EventWidget(widget_events::SinkWithoutClick(button), parent) {
        QObject::connect(this, &QPushButton::clicked, [&button] { button.Press(); });
    }
};

}  // namespace

CommandButton::CommandButton(Form& form, std::string name, int16_t index)
    : Control(form, std::move(name), index) {
    form.buttons_.push_back(this);
}

void CommandButton::setCaption(std::string caption) {
    caption_ = std::move(caption);
    Apply();
}

void CommandButton::Press() {
    if (Enabled() && OnClick) OnClick();
}

void CommandButton::ResetOwnProperties() {
    caption_.clear();
    default_ = cancel_ = false;
}

QWidget* CommandButton::CreateWidget(QWidget* parent) { return new ButtonWidget(*this, parent); }

void CommandButton::Apply() {
    Control::Apply();
    if (auto* button = static_cast<ButtonWidget*>(Widget())) {
        button->setText(QString::fromStdString(caption_));
        button->setDefault(default_);
        button->setAutoDefault(false);
    }
}
