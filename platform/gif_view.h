#pragma once
// Shows a GIF file, animated when it has several frames. The file is read when its name is
// set, so setting the same name again shows what the file holds now; a missing file, or
// one that is not a GIF, shows nothing.

#include <cstdint>
#include <string>

#include "platform/control.h"
#include "platform/font.h"

class GifView : public Control {
public:
    using Control::Control;

    const std::string& FileName() const { return fileName_; }
    // A full path; empty text clears the view.
    void setFileName(std::string path);

    // Fills the view where the GIF does not cover it.
    Color BackColor() const { return backColor_; }
    void setBackColor(Color color);

    // What the view shows: nothing (0 x 0) or the GIF's size in pixels and its frames.
    bool HasImage() const { return !bytes_.empty(); }
    int ImageWidthPixels() const { return width_; }
    int ImageHeightPixels() const { return height_; }

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void ResetOwnProperties() override;

private:
    std::string fileName_;
    std::string bytes_;       // the file as read, kept only when it is a GIF
    uint64_t generation_ = 0; // bumped at every load, so the widget knows to start again
    int width_ = 0, height_ = 0;
    Color backColor_ = kButtonFace;
};
