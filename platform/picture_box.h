#pragma once
// A picture box: shows its picture at the top-left; with AutoSize it takes the picture's
// size, so copying a picture into it also sizes it. Without a back colour whatever lies
// beneath shows where the picture does not cover the box.

#include <optional>

#include "platform/control.h"
#include "platform/picture.h"

class PictureBox : public Control {
public:
    using Control::Control;

    const Picture& GetPicture() const { return picture_; }
    void setPicture(const Picture& picture);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    std::optional<Color> BackColor() const { return backColor_; }
    void setBackColor(Color color);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void ResetOwnProperties() override;

private:
    void FitToPicture();
    Picture picture_;
    std::optional<Color> backColor_;
    bool autoSize_ = false;
};
