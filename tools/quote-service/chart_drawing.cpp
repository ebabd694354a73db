#include "chart_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

enum Colour : std::uint8_t { kBackground, kGrid, kFrame, kRising, kFalling };

constexpr int kMargin = 4;
constexpr int kGridColumns = 6;
constexpr int kGridRows = 4;

class Canvas {
public:
    explicit Canvas(IndexedImage& image) : image_(image) {}

    void Plot(int x, int y, std::uint8_t colour) {
        if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
        image_.pixels[static_cast<std::size_t>(y) * image_.width + x] = colour;
    }

    void Line(int x0, int y0, int x1, int y1, std::uint8_t colour) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        for (int error = dx + dy;;) {
            Plot(x0, y0, colour);
            if (x0 == x1 && y0 == y1) return;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x0 += sx;
            }
            if (twice <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }

private:
    IndexedImage& image_;
};

void DrawGrid(Canvas& canvas) {
    const int right = kChartWidth - 1 - kMargin, bottom = kChartHeight - 1 - kMargin;
    for (int column = 1; column < kGridColumns; ++column) {
        const int x = kMargin + (right - kMargin) * column / kGridColumns;
        canvas.Line(x, kMargin, x, bottom, kGrid);
    }
    for (int row = 1; row < kGridRows; ++row) {
        const int y = kMargin + (bottom - kMargin) * row / kGridRows;
        canvas.Line(kMargin, y, right, y, kGrid);
    }
    canvas.Line(kMargin, kMargin, right, kMargin, kFrame);
    canvas.Line(kMargin, bottom, right, bottom, kFrame);
    canvas.Line(kMargin, kMargin, kMargin, bottom, kFrame);
    canvas.Line(right, kMargin, right, bottom, kFrame);
}

}  // namespace

IndexedImage DrawPriceChart(const std::vector<double>& prices) {
    IndexedImage image;
    image.width = kChartWidth;
    image.height = kChartHeight;
    image.palette = {{12, 16, 28}, {40, 48, 64}, {96, 104, 120}, {80, 220, 120}, {230, 80, 72}};
    image.pixels.assign(static_cast<std::size_t>(kChartWidth) * kChartHeight, kBackground);
    Canvas canvas(image);
    DrawGrid(canvas);
    if (prices.size() < 2) return image;

    const auto [lowest, highest] = std::minmax_element(prices.begin(), prices.end());
    const double span = std::max(*highest - *lowest, 1e-9);
    const int left = kMargin + 1, top = kMargin + 2;
    const int width = kChartWidth - 2 * left - 1, height = kChartHeight - 2 * top - 1;
    const auto x_at = [&](std::size_t i) {
        return left +
               static_cast<int>(std::lround(static_cast<double>(i) * width / (prices.size() - 1)));
    };
    const auto y_at = [&](std::size_t i) {
        return top + static_cast<int>(std::lround((*highest - prices[i]) / span * height));
    };
    const std::uint8_t colour = prices.back() >= prices.front() ? kRising : kFalling;
    for (std::size_t i = 1; i < prices.size(); ++i)
        canvas.Line(x_at(i - 1), y_at(i - 1), x_at(i), y_at(i), colour);
    return image;
}
