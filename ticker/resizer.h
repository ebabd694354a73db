#pragma once
// Scales a window's controls in proportion to the window: the first Resize records every
// control's geometry, later ones set each recorded control to that geometry times how
// much the window has grown since. Fonts are left alone.

#include <cstdint>
#include <functional>
#include <string>

#include "ticker/r_objects.h"

class Form;

class Resizer {
public:
    // False, with ResizeError raised, when there is no window to record.
    bool Resize(Form* srcContainer);

    std::function<void(int32_t ErrCode, const std::string& ErrDesc)> OnResizeError;

private:
    bool RecordSizes(Form* frm);

    rObjects objects_;
    int32_t recordedHeight_ = 0, recordedWidth_ = 0;
    int32_t currentHeight_ = 0, currentWidth_ = 0;
    float heightRatio_ = 0, widthRatio_ = 0;
    bool recorded_ = false;
};
