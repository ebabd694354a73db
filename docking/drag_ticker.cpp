#include "docking/drag_ticker.h"

#include "docking/available_area.h"
#include "docking/show_contents.h"
#include "docking/snap_candidates.h"
#include "docking/work_area_snap.h"
#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "platform/user32.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

using AvailableArea::ToTwips16;

// The chart window's size assumed while it is closed.
constexpr float kClosedChartsWidth = 3150;
constexpr float kClosedChartsHeight = 2400;

struct Rect {
    float left, top, width, height;
};

Rect RectOf(const Form& window) {
    return Rect{window.Left(), window.Top(), window.Width(), window.Height()};
}

// A step works on where the windows are to go and moves each of them once at its end:
// every move is a round of window-system requests, and a window moved twice in a step
// shows a position the step never meant.
struct Step {
    Rect ticker;
    Form* charts;     // open, or nullptr
    Rect chartsRect;  // where the open chart window goes
    bool chartsCarried = false;
};

// Read without storing a default, so that a chart window that never had a place still
// opens docked to the ticker.
int16_t StoredChartPosition(Runtime& runtime, const char* name) {
    return ToTwips16(
        GetString::StoredNumber(runtime, HKEY_CURRENT_USER, Registry2::kChartKey, name).value_or(0));
}

void StoreChartPosition(Runtime& runtime, const char* name, const std::string& text) {
    Registry2::SetKeyValue(runtime, HKEY_CURRENT_USER, Registry2::kChartKey, name, text);
}

// A closed chart window keeps its place in the settings; an open one moves at the step's end.
void PlaceCarriedCharts(Runtime& runtime, Step& step, float left, float top,
                        const std::string& leftText, const std::string& topText) {
    if (!step.charts) {
        StoreChartPosition(runtime, "Left", leftText);
        StoreChartPosition(runtime, "Top", topText);
        return;
    }
    step.chartsRect.left = left;
    step.chartsRect.top = top;
    step.chartsCarried = true;
}

void CarryDockedCharts(Program& program, Step& step, double followingLeft, double followingTop) {
    ShowContents& state = program.showContents;
    if (state.EdgeSnapped) {
        step.ticker.left = state.SnapLeft;
        step.ticker.top = state.SnapTop;
        int16_t left = ToTwips16(state.SnapLeft - state.ChartsOffsetX);
        int16_t top = ToTwips16(state.SnapTop - state.ChartsOffsetY);
        PlaceCarriedCharts(program.runtime, step, left, top, std::to_string(left),
                           std::to_string(top));
        return;
    }
    step.ticker.left = float(followingLeft);
    step.ticker.top = float(followingTop);
    float left = step.ticker.left - state.ChartsOffsetX;
    float top = step.ticker.top - state.ChartsOffsetY;
    PlaceCarriedCharts(program.runtime, step, left, top, SingleToText(left), SingleToText(top));
}

void SnapVertically(Program& program, Step& step, double T) {
    ShowContents& state = program.showContents;
    Rect& t = step.ticker;
    float top = t.top;
    bool matched = false;
    if (step.charts) {
        const Rect& c = step.chartsRect;
        bool overlap = float(t.left + t.width) >= c.left && float(c.left + c.width) >= t.left;
        if (overlap && !state.Docked) {
            float bottom = c.top + c.height;
            matched = SnapCandidates::Last(
                {{T - bottom, bottom}, {T - c.top, c.top}, {T + t.height - c.top, c.top - t.height}},
                top);
        }
    }
    if (matched) {
        t.top = top;
        state.ChartsTouching = true;
        return;
    }
    t.top = state.EdgeSnapped ? float(state.SnapTop) : float(T);
    state.ChartsTouching = false;
}

void SnapHorizontally(Program& program, Rect& t, double L, Rect c, bool verticalOverlap) {
    ShowContents& state = program.showContents;
    float unsnapped = state.EdgeSnapped ? float(state.SnapLeft) : float(L);
    if (!verticalOverlap) {
        t.left = unsnapped;
        state.ChartsTouching = false;
        return;
    }
    float left = t.left;
    float right = c.left + c.width;
    bool matched = SnapCandidates::Last(
        {{L - right, right}, {L - c.left, c.left}, {L + t.width - c.left, c.left - t.width}}, left);
    t.left = matched ? left : unsnapped;
    if (matched) state.ChartsTouching = true;
}

// How far a window spanning [start, start + extent) must move along one axis to lie
// inside [low, high) as far as its size allows; nothing while it still shares a part.
float ShiftIntoSpan(float start, float extent, float low, float high) {
    if (start + extent > low && start < high) return 0;
    float shifted = start;
    if (shifted < low) shifted = low;
    if (shifted + extent > high) shifted = high - extent;
    return shifted - start;
}

// The pair moves as one, so a carried chart window that would end wholly outside the
// work area (the ticker dragged onto the edge beyond which the chart hangs) pulls the
// pair back until the chart window lies inside on that axis.
void KeepCarriedChartsInWorkArea(Ticker& ticker, Step& step) {
    RECT area = AvailableArea::WorkAreaTwips(ticker);
    Rect& c = step.chartsRect;
    float dx = ShiftIntoSpan(c.left, c.width, float(area.left), float(area.right));
    float dy = ShiftIntoSpan(c.top, c.height, float(area.top), float(area.bottom));
    c.left += dx;
    step.ticker.left += dx;
    c.top += dy;
    step.ticker.top += dy;
}

}  // namespace

void DragTicker(Program& program) {
    Ticker& ticker = program.ticker();
    ShowContents& state = program.showContents;
    Runtime& runtime = program.runtime;

    POINT cursor;
    runtime.user32().GetCursorPos(cursor);
    DraggedWindow dragged{ticker, ticker.FormPosX, ticker.FormPosY, cursor};
    Step step{RectOf(ticker), program.loadedCharts(), {}};
    if (step.charts) step.chartsRect = RectOf(*step.charts);
    AvailableArea::SnapToWorkArea(dragged, state.Docked ? step.charts : nullptr, state);
    double followingTop = AvailableArea::NewFormTop(cursor.y, dragged);
    double followingLeft = AvailableArea::NewFormLeft(cursor.x, dragged);

    if (state.Docked) CarryDockedCharts(program, step, followingLeft, followingTop);

    int16_t storedLeft = StoredChartPosition(runtime, "Left");
    int16_t storedTop = StoredChartPosition(runtime, "Top");

    SnapVertically(program, step, followingTop);

    Rect& t = step.ticker;
    if (step.charts) {
        const Rect& c = step.chartsRect;
        bool overlap = float(t.top + t.height) >= c.top && float(c.top + c.height) >= t.top;
        SnapHorizontally(program, t, followingLeft, c, overlap);
    } else {
        Rect stored{float(storedLeft), float(storedTop), kClosedChartsWidth, kClosedChartsHeight};
        float storedBottom = float(ToTwips16(double(storedTop) + kClosedChartsHeight));
        bool overlap = float(t.top + t.height) >= stored.top && t.top <= storedBottom;
        stored.width = float(ToTwips16(double(storedLeft) + kClosedChartsWidth)) - stored.left;
        SnapHorizontally(program, t, followingLeft, stored, overlap);
    }

    if (step.chartsCarried) {
        KeepCarriedChartsInWorkArea(ticker, step);
        step.charts->Move(step.chartsRect.left, step.chartsRect.top);
    }
    ticker.Move(t.left, t.top);
}
