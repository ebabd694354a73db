#include "docking/update_docked.h"

#include "charts/charts.h"
#include "docking/show_contents.h"
#include "platform/form.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace Docking {

namespace {

// Inclusive, so spans that only share an end meet. Each sum is a single-precision value.
bool SpansMeet(float start, float extent, float otherStart, float otherExtent) {
    const float end = start + extent;
    const float otherEnd = otherStart + otherExtent;
    return end >= otherStart && otherEnd >= start;
}

}  // namespace

void UpdateDocked(ShowContents& state, const Form& frm, const Form& other) {
    const bool horizontal = SpansMeet(frm.Left(), frm.Width(), other.Left(), other.Width());
    state.ChartsTouching = horizontal;
    const bool vertical = SpansMeet(frm.Top(), frm.Height(), other.Top(), other.Height());
    state.ChartsTouching = vertical;
    state.Docked = horizontal && vertical;
}

void UpdateDockedWithTicker(Program& program, const Form& frm) {
    UpdateDocked(program.showContents, frm, program.ticker());
}

void UpdateDockedWithCharts(Program& program, const Form& frm) {
    UpdateDocked(program.showContents, frm, program.charts());
}

}  // namespace Docking
