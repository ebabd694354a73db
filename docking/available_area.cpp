#include "docking/available_area.h"

#include <cmath>

#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/user32.h"

namespace AvailableArea {

RECT WorkAreaTwips(Form& window) {
    Runtime& runtime = window.runtime();
    RECT area{};
    runtime.user32().SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    float tx = runtime.TwipsPerPixelX(), ty = runtime.TwipsPerPixelY();
    auto scaled = [](int32_t pixels, float factor) {
        return int32_t(std::lround(double(pixels) * factor));
    };
    return RECT{scaled(area.left, tx), scaled(area.top, ty), scaled(area.right, tx),
                scaled(area.bottom, ty)};
}

void KeepInAvailableArea(Form& window) {
    RECT area = WorkAreaTwips(window);
    if (window.Top() < float(area.top)) window.setTop(float(area.top));
    if (window.Top() + window.Height() > float(area.bottom))
        window.setTop(float(area.bottom) - window.Height());
    if (window.Left() < float(area.left)) window.setLeft(float(area.left));
    if (window.Left() + window.Width() > float(area.right))
        window.setLeft(float(area.right) - window.Width());
}

}  // namespace AvailableArea
