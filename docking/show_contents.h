#pragma once
// The docking state shared by both borderless windows: whether the chart window is docked
// to the ticker, the verdict of the last drag step, the offsets taken when a drag starts,
// and where the last snap put the dragged window. Positions are twips.

#include <cstdint>

struct ShowContents {
    bool ChartsTouching = false;
    bool Docked = false;
    int16_t ChartsOffsetX = 0;
    int16_t ChartsOffsetY = 0;
    bool EdgeSnapped = false;
    int16_t SnapLeft = 0;
    int16_t SnapTop = 0;
};
