// Dragging the borderless ticker by its skin, its labels or its bare window area.

#include "docking/drag_ticker.h"
#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {
constexpr int kLeftButton = 1;
}

void Ticker::WireDragging() {
    OnMouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    OnMouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    OnMouseUp = [this](int b, int s, float x, float y) { Form_MouseUp(b, s, x, y); };
    Label1.OnMouseDown = [this](int b, int s, float x, float y) { Label1_MouseDown(b, s, x, y); };
    Label2.OnMouseDown = [this](int b, int, float x, float y) { LabelMouseDown(Label2, b, x, y); };
    Label3.OnMouseDown = [this](int b, int, float x, float y) { LabelMouseDown(Label3, b, x, y); };
    for (Label* label : {&Label1, &Label2, &Label3}) {
        label->OnMouseMove = [this](int b, int, float, float) { DragStep(b); };
        label->OnMouseUp = [this, label](int b, int, float, float) { LabelMouseUp(*label, b); };
    }
    picSkin.OnMouseDown = [this](int b, int s, float x, float y) { picSkin_MouseDown(b, s, x, y); };
    picSkin.OnMouseMove = [this](int b, int, float, float) { DragStep(b); };
    picSkin.OnMouseUp = [this](int b, int s, float x, float y) { picSkin_MouseUp(b, s, x, y); };
    picSkin.OnDblClick = [this] { picSkin_DblClick(); };
    picWindow.OnClick = [this] { picWindow_Click(); };
}

void Ticker::StartDrag(float grabX, float grabY) {
    FormPosX = grabX;
    FormPosY = grabY;
    ShowContents& state = program_.showContents;
    auto offset = [](double value) { return RoundToInteger(value).value_or(value < 0 ? -32768 : 32767); };
    if (Form* charts = program_.loadedCharts()) {
        state.ChartsOffsetX = offset(double(Left()) - charts->Left());
        state.ChartsOffsetY = offset(double(Top()) - charts->Top());
        return;
    }
    // Read without storing a default: a chart window that never had a place still gets
    // its first one when it opens.
    auto stored = [this](const char* name) {
        return GetString::StoredNumber(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, name)
            .value_or(0);
    };
    state.ChartsOffsetX = offset(double(Left()) - stored("Left"));
    state.ChartsOffsetY = offset(double(Top()) - stored("Top"));
}

// Only the left button alone drags, and not while a double-click's second press is held.
void Ticker::DragStep(int button) {
    if (button == kLeftButton && !DoubleClick) DragTicker(program_);
}

void Ticker::Form_MouseDown(int button, int, float x, float y) {
    if (button != kLeftButton) return;
    setMousePointer(MousePointers::vbDefault);
    StartDrag(x, y);
}

void Ticker::Form_MouseMove(int button, int, float, float) { DragStep(button); }

void Ticker::Form_MouseUp(int button, int, float, float) {
    if (button == kLeftButton) setMousePointer(MousePointers::vbDefault);
    DoubleClick = false;
}

void Ticker::LabelMouseDown(Label& label, int button, float x, float y) {
    if (button != kLeftButton) return;
    label.setMousePointer(MousePointers::vbDefault);
    StartDrag(label.Left() + x, label.Top() + y);
}

void Ticker::LabelMouseUp(Label& label, int button) {
    if (button == kLeftButton) label.setMousePointer(MousePointers::vbDefault);
    DoubleClick = false;
}

void Ticker::picSkin_MouseDown(int button, int, float x, float y) {
    DoubleClick = false;
    if (button != kLeftButton) return;
    picSkin.setMousePointer(MousePointers::vbDefault);
    StartDrag(x, y);
}

// Only a release on the skin commits the drag's docking verdict.
void Ticker::picSkin_MouseUp(int button, int, float, float) {
    DoubleClick = false;
    if (button == kLeftButton) picSkin.setMousePointer(MousePointers::vbDefault);
    program_.showContents.Docked = program_.showContents.ChartsTouching;
}

void Ticker::picSkin_DblClick() {
    picWindow_Click();
    DoubleClick = true;
}
