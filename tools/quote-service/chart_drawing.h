#pragma once
// A small price chart: the line over a dark grid, green when the period closed up, red when down.

#include "gif_writer.h"

#include <vector>

inline constexpr int kChartWidth = 192;
inline constexpr int kChartHeight = 96;

IndexedImage DrawPriceChart(const std::vector<double>& prices);
