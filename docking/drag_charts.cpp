#include "docking/drag_charts.h"

#include "charts/charts.h"
#include "docking/show_contents.h"
#include "docking/snap_candidates.h"
#include "docking/work_area_snap.h"
#include "platform/runtime.h"
#include "platform/user32.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

void DragCharts(Program& program) {
    Charts& charts = program.charts();
    Ticker& W = program.ticker();
    ShowContents& state = program.showContents;

    POINT cursor;
    program.runtime.user32().GetCursorPos(cursor);
    DraggedWindow dragged{charts, float(charts.FormPosX), float(charts.FormPosY), cursor};
    AvailableArea::SnapToWorkArea(dragged, &charts, state);
    double T = AvailableArea::NewFormTop(cursor.y, dragged);
    double L = AvailableArea::NewFormLeft(cursor.x, dragged);

    // Both axes are worked out before the window moves, so that it moves once per step.
    bool vertical = false;
    float top = state.EdgeSnapped ? float(state.SnapTop) : float(T);
    bool overlapsAcross = float(charts.Left() + charts.Width()) >= W.Left() &&
                          float(W.Left() + W.Width()) >= charts.Left();
    if (overlapsAcross) {
        float H = charts.Height(), bottom = W.Top() + W.Height();
        if (SnapCandidates::First({{T - bottom, bottom},
                                   {T - W.Top(), W.Top()},
                                   {T + H - W.Top(), W.Top() - H},
                                   {T + H - bottom, bottom - H}},
                                  top)) {
            vertical = true;
        } else if (T > W.Top() && T < double(bottom)) {
            // Inside the ticker's height the window follows the cursor and counts as related.
            top = float(T);
            vertical = true;
        }
    }
    state.ChartsTouching = vertical;

    bool horizontal = false;
    float left = state.EdgeSnapped ? float(state.SnapLeft) : float(L);
    bool overlapsDown = float(top + charts.Height()) >= W.Top() &&
                        float(W.Top() + W.Height()) >= top;
    if (overlapsDown) {
        float V = charts.Width(), right = W.Left() + W.Width();
        horizontal = SnapCandidates::Last(
            {{L - right, right}, {L - W.Left(), W.Left()}, {L + V - W.Left(), W.Left() - V}}, left);
    }
    charts.Move(left, top);
    state.ChartsTouching = horizontal;
    state.Docked = vertical && horizontal;
}
