#include "ticker/config.h"

#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "settings/always_on_top.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

void Store(Runtime& runtime, std::string_view name, std::string_view value) {
    Registry2::SetKeyValue(runtime, HKEY_CURRENT_USER, Registry2::kMainKey, name, value);
}

bool IsWholeNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

Config::Config(Program& program) : Form(program.runtime, "Config"), program_(program) {
    Command1.OnClick = [this] { Command1_Click(); };
    Command2.OnClick = [this] { Command2_Click(); };
}

void Config::InitializeComponent() {
    borderStyle = BorderStyle::FixedDialog;
    startUpPosition = StartUpPosition::CenterScreen;
    setCaption("Vesk Ticker - Configuration");
    setWidth(3675);
    setHeight(2700);
    Frame3.setCaption("Update Interval");
    Frame3.Move(90, 75, 3495, 690);
    Frame5.setCaption("Request Timeout");
    Frame5.Move(90, 795, 3495, 690);
    Frame4.setCaption("Ticker Size");
    Frame4.Move(90, 1510, 3495, 615);
    auto place = [](Control& control, Frame& frame, float left, float top, float width,
                    float height) {
        control.setContainer(frame);
        control.Move(left, top, width, height);
    };
    // The labels lie clear on their frames.
    for (Label* label : {&Label3, &Label4, &Label2, &Label5}) label->setTransparent(true);
    place(Label3, Frame3, 165, 285, 1530, 195);
    Label3.setCaption("Update quotes every:");
    place(txtSeconds, Frame3, 1800, 260, 420, 285);
    txtSeconds.setMaxLength(3);
    place(Label4, Frame3, 2280, 285, 600, 195);
    Label4.setCaption("seconds");
    place(Label2, Frame5, 120, 285, 975, 195);
    Label2.setCaption("Timeout after:");
    place(txtTimeout, Frame5, 1200, 240, 420, 285);
    txtTimeout.setMaxLength(3);
    place(Label5, Frame5, 1680, 285, 600, 195);
    Label5.setCaption("seconds");
    place(optTickerSize[0], Frame4, 120, 240, 1455, 255);
    optTickerSize[0].setCaption("Standard Ticker");
    place(optTickerSize[1], Frame4, 1920, 240, 1215, 255);
    optTickerSize[1].setCaption("Large Ticker");
    Command1.Move(110, 2240, 1695, 375);
    Command1.setCaption("OK");
    Command1.setDefault(true);
    Command2.Move(1910, 2240, 1695, 375);
    Command2.setCaption("Cancel");
}

void Config::Form_Load() {
    Runtime& rt = runtime();
    Registry2::CreateNewKey(rt, HKEY_CURRENT_USER, Registry2::kMainKey);
    CL = true;
    auto stored = [&rt](const char* name) {
        return GetString::GetStringValue(rt, HKEY_CURRENT_USER, Registry2::kMainKey, name);
    };
    txtSeconds.setText(stored("Interval"));
    txtTimeout.setText(stored("Timeout"));
    if (stored("Size") == "Standard") optTickerSize[0].setValue(true);
    if (stored("Size") == "Large") optTickerSize[1].setValue(true);
    AlwaysOnTop::SetAlwaysOnTop(*this);
}

// The ticker's load reads both numbers as whole seconds, so nothing else may be stored.
bool Config::CheckWholeNumbers() {
    if (!IsWholeNumber(txtSeconds.Text())) {
        runtime().MsgBox("Please enter the update interval as a whole number of seconds.",
                         MsgBox::vbExclamation);
        txtSeconds.SetFocus();
        return false;
    }
    if (!txtTimeout.Text().empty() && !IsWholeNumber(txtTimeout.Text())) {
        runtime().MsgBox("Please enter the request timeout as a whole number of seconds.",
                         MsgBox::vbExclamation);
        txtTimeout.SetFocus();
        return false;
    }
    return true;
}

void Config::Command1_Click() {
    if (!CheckWholeNumbers()) return;
    Runtime& rt = runtime();
    Store(rt, "Interval", txtSeconds.Text());
    if (optTickerSize[0].Value()) Store(rt, "Size", "Standard");
    if (optTickerSize[1].Value()) Store(rt, "Size", "Large");
    if (!txtTimeout.Text().empty()) Store(rt, "Timeout", txtTimeout.Text());
    CL = false;
    Registry2::CreateNewKey(rt, HKEY_CURRENT_USER, Registry2::kMainKey);
    Ticker& ticker = program_.ticker();
    Store(rt, "Left", SingleToText(ticker.Left()));
    Store(rt, "Top", SingleToText(ticker.Top()));
    Store(rt, "Height", ticker.picWindow.Tag() == "Shade" ? "Shade" : "Full");
    Store(rt, "Always On Top", ticker.AlwaysOnTop ? "False" : "True");
    Unload();
    ticker.Unload();
    ticker.Show();
}

void Config::Command2_Click() {
    CL = false;
    Unload();
}

void Config::Form_Unload(int&) {
    runtime().setScreenMousePointer(MousePointers::vbDefault);
    CL = false;
}

void Config::Form_Terminate() { CL = false; }
