#pragma once
// Applies the stored "Always On Top" setting to a window as it loads.

class Form;

namespace AlwaysOnTop {
// Topmost exactly when the stored text is "True"; any other text means not topmost.
void SetAlwaysOnTop(Form& window);
}
