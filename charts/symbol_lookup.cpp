#include "charts/symbol_lookup.h"

#include "platform/runtime.h"
#include "platform/user32.h"
#include "settings/always_on_top.h"
#include "ticker/program.h"
#include "ticker/quote_get.h"

SymbolLookup::SymbolLookup(Program& program)
    : Form(program.runtime, "SymbolLookup"), program_(program) {
    Command1.OnClick = [this] { Command1_Click(); };
}

void SymbolLookup::InitializeComponent() {
    borderStyle = BorderStyle::FixedDialog;
    startUpPosition = StartUpPosition::CenterScreen;
    showInTaskbar = false;
    setCaption("Vesk Ticker - Symbol Lookup");
    setWidth(4350);
    setHeight(1500);
    Label1.Move(120, 120, 4110, 435);
    Label1.setWordWrap(true);
    Label1.setCaption(
        "Enter any part of the company name, mutual fund, market index, or corporate bond:");
    Text1.Move(120, 660, 2895, 285);
    Command1.Move(3120, 630, 1110, 345);
    Command1.setCaption("Search");
    Command1.setDefault(true);
}

void SymbolLookup::Form_Load() {
    AlwaysOnTop::SetAlwaysOnTop(*this);
    Show();
    ZOrder();  // a newly shown dialog takes the keyboard, as the user expects
    Text1.SetFocus();
}

// The words go into the address as typed: spaces become plus signs, nothing is escaped.
void SymbolLookup::Command1_Click() {
    const std::string words = ReplaceText(Text1.Text(), " ", "+");
    const std::string address = "http://" + program_.hosts.QuoteHost + "/l?s=" + words;
    runtime().user32().ShellExecuteA(hWnd(), "open", address, "", "", SW_SHOWNORMAL);
    Unload();
}
