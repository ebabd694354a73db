#pragma once
// One step of dragging the ticker by hand: snap to the work area, carry a docked chart
// window along (or its stored position while it is closed), then snap to the chart
// window's edges. Leaves the verdict in ChartsTouching; never writes Docked.

class Program;

void DragTicker(Program& program);
