#pragma once
// Key releases of a whole window, for windows whose controls never take the focus: the
// handler hears every key released while the window is active.

#include "platform/events.h"

class Control;

// Watches the window that holds control (it must be loaded); the watch ends when the
// window is unloaded. handler must outlive the window's load.
void WatchWindowKeyUp(Control& control, KeyHandler& handler);
