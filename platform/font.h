#pragma once
// A control's font as the designs name it; sizes in points, so that they grow with the
// desktop's logical DPI as large fonts do.

#include <cstdint>
#include <string>

struct Font {
    std::string Name = "MS Sans Serif";
    float Size = 8.25f;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const Font&) const = default;
};

// A colour as the classic RGB() packs it: red in the low byte.
using Color = uint32_t;
constexpr Color RGB(int red, int green, int blue) {
    return Color(red & 0xFF) | (Color(green & 0xFF) << 8) | (Color(blue & 0xFF) << 16);
}
constexpr Color kBlack = RGB(0, 0, 0);
constexpr Color kButtonFace = RGB(212, 208, 200);
