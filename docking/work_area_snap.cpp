#include "docking/work_area_snap.h"

#include <algorithm>
#include <cmath>

#include "docking/available_area.h"
#include "docking/show_contents.h"
#include "platform/form.h"
#include "platform/runtime.h"
#include "platform/user32.h"

namespace AvailableArea {

namespace {

// One axis of the snap, told by its near and far work-area edges and the window's and
// the docked chart window's position and extent along it.
struct Axis {
    double cursorFollowing;
    double nearEdge, farEdge;
    float position, extent;
    bool hasCharts;
    float chartsPosition, chartsExtent;
};

bool SnapAxis(const Axis& axis, int16_t& snapped) {
    double value = axis.cursorFollowing;
    double result = value;
    bool snap = true;
    double chartsAbove = double(axis.position) - double(axis.chartsPosition);
    double chartsBelow = double(float(axis.chartsPosition + axis.chartsExtent)) - axis.position;
    if (Near(value, axis.nearEdge)) {
        result = axis.nearEdge;
    } else if (axis.hasCharts && Near(value - chartsAbove, axis.nearEdge)) {
        result = axis.nearEdge + chartsAbove;
    } else if (Near(value + axis.extent, axis.farEdge)) {
        result = axis.farEdge - axis.extent;
    } else if (axis.hasCharts && Near(value + chartsBelow, axis.farEdge)) {
        result = axis.farEdge - chartsBelow;
    } else {
        snap = false;
    }
    snapped = ToTwips16(result);
    return snap;
}

}  // namespace

bool Near(double value, double edge) {
    return edge - kSnapDistance <= value && value <= edge + kSnapDistance;
}

int16_t ToTwips16(double value) {
    double rounded = std::nearbyint(std::clamp(value, -32768.0, 32767.0));
    return int16_t(rounded);
}

double NewFormTop(int32_t y, const DraggedWindow& frm) {
    double factor = frm.window.runtime().TwipsPerPixelY();
    return double(y) * factor - frm.FormPosY;
}

double NewFormLeft(int32_t x, const DraggedWindow& frm) {
    double factor = frm.window.runtime().TwipsPerPixelX();
    return double(x) * factor - frm.FormPosX;
}

void SnapTopToWorkArea(const DraggedWindow& frm, const Form* dockedCharts, ShowContents& state) {
    RECT area = WorkAreaTwips(frm.window);
    const Form* charts = dockedCharts;
    Axis axis{NewFormTop(frm.cursor.y, frm), double(area.top), double(area.bottom), frm.window.Top(),
              frm.window.Height(), charts != nullptr, charts ? charts->Top() : 0,
              charts ? charts->Height() : 0};
    state.EdgeSnapped = SnapAxis(axis, state.SnapTop);
}

void SnapLeftToWorkArea(const DraggedWindow& frm, const Form* dockedCharts, ShowContents& state) {
    RECT area = WorkAreaTwips(frm.window);
    const Form* charts = dockedCharts;
    Axis axis{NewFormLeft(frm.cursor.x, frm), double(area.left), double(area.right), frm.window.Left(),
              frm.window.Width(), charts != nullptr, charts ? charts->Left() : 0,
              charts ? charts->Width() : 0};
    state.EdgeSnapped = SnapAxis(axis, state.SnapLeft);
}

void SnapToWorkArea(const DraggedWindow& frm, const Form* dockedCharts, ShowContents& state) {
    state.EdgeSnapped = false;
    SnapTopToWorkArea(frm, dockedCharts, state);
    bool vertical = state.EdgeSnapped;
    SnapLeftToWorkArea(frm, dockedCharts, state);
    if (vertical) state.EdgeSnapped = true;
}

}  // namespace AvailableArea
