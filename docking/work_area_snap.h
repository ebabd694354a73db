#pragma once
// Where a dragged borderless window goes at one drag step: under the cursor, or onto a
// work-area edge within 125 twips. Results land in the docking state (EdgeSnapped,
// SnapTop, SnapLeft); nothing is moved here.

#include <cstdint>

#include "platform/user32.h"

class Form;
struct ShowContents;

// The window being dragged, the point of it the mouse grabbed (twips, its own
// coordinates), and the cursor (screen pixels), read once for the whole step.
struct DraggedWindow {
    Form& window;
    float FormPosX;
    float FormPosY;
    POINT cursor;
};

namespace AvailableArea {

inline constexpr float kSnapDistance = 125;

// The Top and Left that keep the grab point under the cursor (cursor in screen pixels):
// y times the factor less the grab point, so that a position exactly on the snap distance
// comes out exact whatever the grab point.
double NewFormTop(int32_t y, const DraggedWindow& frm);
double NewFormLeft(int32_t x, const DraggedWindow& frm);

// docked: the chart window is open and docked to the dragged window's partner. Its edges
// then snap the pair too: when the chart window, keeping its distance to the dragged
// window, would come near a work-area edge, the pair moves so that it lies on the edge.
// Pass nullptr otherwise.
void SnapTopToWorkArea(const DraggedWindow& frm, const Form* dockedCharts, ShowContents& state);
void SnapLeftToWorkArea(const DraggedWindow& frm, const Form* dockedCharts, ShowContents& state);
void SnapToWorkArea(const DraggedWindow& frm, const Form* dockedCharts, ShowContents& state);

// True when value lies within the snap distance of edge, both ends included.
bool Near(double value, double edge);
// A position rounded half to even into 16 bits; far-off positions are clamped.
int16_t ToTwips16(double value);

}  // namespace AvailableArea
