#pragma once
// A captioned frame that contains other controls: an etched box with its caption on the
// top edge, drawn over the window's face.

#include "platform/control.h"

class Frame : public Control {
public:
    using Control::Control;

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void ResetOwnProperties() override { caption_.clear(); }

private:
    std::string caption_;
};
