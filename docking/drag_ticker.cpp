#include "docking/drag_ticker.h"

#include "docking/show_contents.h"
#include "docking/snap_candidates.h"
#include "docking/work_area_snap.h"
#include "platform/conversions.h"
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

int16_t StoredChartPosition(Runtime& runtime, const char* name) {
    return ToTwips16(
        GetString::GetNumberValue(runtime, HKEY_CURRENT_USER, Registry2::kChartKey, name));
}

void StoreChartPosition(Runtime& runtime, const char* name, const std::string& text) {
    Registry2::SetKeyValue(runtime, HKEY_CURRENT_USER, Registry2::kChartKey, name, text);
}

void CarryDockedCharts(Program& program, Ticker& ticker, double followingLeft,
                       double followingTop) {
    ShowContents& state = program.showContents;
    Runtime& runtime = program.runtime;
    if (state.EdgeSnapped) {
        if (!program.loadedCharts()) {
            ticker.Move(state.SnapLeft, state.SnapTop);
            StoreChartPosition(runtime, "Left",
                               std::to_string(ToTwips16(state.SnapLeft - state.ChartsOffsetX)));
            StoreChartPosition(runtime, "Top",
                               std::to_string(ToTwips16(state.SnapTop - state.ChartsOffsetY)));
        }
        if (Form* charts = program.loadedCharts()) {
            ticker.Move(state.SnapLeft, state.SnapTop);
            charts->Move(ToTwips16(state.SnapLeft - state.ChartsOffsetX),
                         ToTwips16(state.SnapTop - state.ChartsOffsetY));
        }
        return;
    }
    if (!program.loadedCharts()) {
        ticker.Move(float(followingLeft), float(followingTop));
        StoreChartPosition(runtime, "Left", SingleToText(ticker.Left() - state.ChartsOffsetX));
        StoreChartPosition(runtime, "Top", SingleToText(ticker.Top() - state.ChartsOffsetY));
    }
    if (Form* charts = program.loadedCharts()) {
        ticker.Move(float(followingLeft), float(followingTop));
        charts->Move(ticker.Left() - state.ChartsOffsetX, ticker.Top() - state.ChartsOffsetY);
    }
}

void SnapVertically(Program& program, Ticker& ticker, double T) {
    ShowContents& state = program.showContents;
    float top = ticker.Top();
    bool matched = false;
    if (Form* charts = program.loadedCharts()) {
        Rect c = RectOf(*charts);
        bool overlap = float(ticker.Left() + ticker.Width()) >= c.left &&
                       float(c.left + c.width) >= ticker.Left();
        if (overlap && !state.Docked) {
            float bottom = c.top + c.height;
            matched = SnapCandidates::Last({{T - bottom, bottom},
                                       {T - c.top, c.top},
                                       {T + ticker.Height() - c.top, c.top - ticker.Height()}},
                                      top);
        }
    }
    if (matched) {
        ticker.setTop(top);
        state.ChartsTouching = true;
        return;
    }
    ticker.setTop(state.EdgeSnapped ? float(state.SnapTop) : float(T));
    state.ChartsTouching = false;
}

void SnapHorizontally(Program& program, Ticker& ticker, double L, Rect c, bool verticalOverlap) {
    ShowContents& state = program.showContents;
    float unsnapped = state.EdgeSnapped ? float(state.SnapLeft) : float(L);
    if (!verticalOverlap) {
        ticker.setLeft(unsnapped);
        state.ChartsTouching = false;
        return;
    }
    float left = ticker.Left();
    float right = c.left + c.width;
    bool matched = SnapCandidates::Last({{L - right, right},
                                    {L - c.left, c.left},
                                    {L + ticker.Width() - c.left, c.left - ticker.Width()}},
                                   left);
    ticker.setLeft(matched ? left : unsnapped);
    if (matched) state.ChartsTouching = true;
}

}  // namespace

void DragTicker(Program& program) {
    Ticker& ticker = program.ticker();
    ShowContents& state = program.showContents;
    Runtime& runtime = program.runtime;
    DraggedWindow dragged{ticker, ticker.FormPosX, ticker.FormPosY};

    POINT cursor;
    runtime.user32().GetCursorPos(cursor);
    Form* charts = program.loadedCharts();
    AvailableArea::SnapToWorkArea(dragged, state.Docked ? charts : nullptr, state);
    double followingTop = AvailableArea::NewFormTop(cursor.y, dragged);
    double followingLeft = AvailableArea::NewFormLeft(cursor.x, dragged);

    if (state.Docked) CarryDockedCharts(program, ticker, followingLeft, followingTop);

    int16_t storedLeft = StoredChartPosition(runtime, "Left");
    int16_t storedTop = StoredChartPosition(runtime, "Top");

    SnapVertically(program, ticker, followingTop);

    if (Form* open = program.loadedCharts()) {
        Rect c = RectOf(*open);
        bool overlap = float(ticker.Top() + ticker.Height()) >= c.top &&
                       float(c.top + c.height) >= ticker.Top();
        SnapHorizontally(program, ticker, followingLeft, c, overlap);
    } else {
        Rect stored{float(storedLeft), float(storedTop), kClosedChartsWidth, kClosedChartsHeight};
        float storedBottom = float(ToTwips16(double(storedTop) + kClosedChartsHeight));
        bool overlap = float(ticker.Top() + ticker.Height()) >= stored.top &&
                       ticker.Top() <= storedBottom;
        stored.width = float(ToTwips16(double(storedLeft) + kClosedChartsWidth)) - stored.left;
        SnapHorizontally(program, ticker, followingLeft, stored, overlap);
    }
}
