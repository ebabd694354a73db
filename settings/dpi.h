#pragma once
// The screen's logical pixels per inch: 96 with small fonts, 120 with large ones.

class Runtime;

namespace DPI {
int GetDPI(Runtime& runtime);
}
