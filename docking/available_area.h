#pragma once
// Keeps a borderless window inside the screen's work area (the desktop less its panels).

class Form;
struct RECT;

namespace AvailableArea {

// The work area in twips, queried afresh.
RECT WorkAreaTwips(Form& window);
// Moves the window (never resizes it) so that it lies inside the work area as far as its
// size allows; a window exactly on an edge stays.
void KeepInAvailableArea(Form& window);

}  // namespace AvailableArea
