#pragma once
// A still GIF89a image from a palette picture: one frame, global colour table, LZW data.

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// Pixels are palette indices, row by row from the top; the palette holds 1 to 256 colours.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;
};

// The bytes of a GIF file; empty when the picture is inconsistent (sizes, palette, indices).
std::string EncodeGif(const IndexedImage& image);
