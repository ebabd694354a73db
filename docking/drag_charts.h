#pragma once
// One step of dragging the chart window by hand: snap to the work area, then to the
// ticker's edges; the chart window is docked when both axes relate it to the ticker.

class Program;

void DragCharts(Program& program);
