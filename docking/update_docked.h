#pragma once
// The docking test: the chart window counts as docked to the ticker when the two windows'
// rectangles overlap or meet on both axes, edges and corners included.

class Form;
class Program;
struct ShowContents;

namespace Docking {

// Tests frm against other: ChartsTouching keeps the vertical verdict, Docked both.
void UpdateDocked(ShowContents& state, const Form& frm, const Form& other);

// frm is the chart window; it is tested against the ticker.
void UpdateDockedWithTicker(Program& program, const Form& frm);
// frm is the ticker; it is tested against the chart window, which must be loaded.
void UpdateDockedWithCharts(Program& program, const Form& frm);

}  // namespace Docking
