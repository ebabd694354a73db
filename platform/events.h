#pragma once
// The event signatures windows and controls raise.

#include <functional>

// Mouse buttons 1 left, 2 right, 4 middle (a move passes the sum of the buttons held);
// shift 1 Shift, 2 Ctrl, 4 Alt; X and Y in twips relative to whatever receives the event.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
using KeyHandler = std::function<void(int& keyCode, int shift)>;

namespace MousePointers {
constexpr int vbDefault = 0, vbArrow = 1, vbCrosshair = 2, vbIBeam = 3, vbSizeAll = 5,
              vbHourglass = 11, vbNoDrop = 12, vbCustom = 99;
}

namespace KeyCodes {
constexpr int vbKeyReturn = 13, vbKeyEscape = 27, vbKeyDelete = 46;
}
