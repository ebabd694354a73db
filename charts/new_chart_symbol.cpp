#include "charts/new_chart_symbol.h"

#include "charts/charts.h"
#include "charts/symbol_lookup.h"
#include "platform/text_case.h"
#include "settings/always_on_top.h"
#include "ticker/program.h"

NewChartSymbol::NewChartSymbol(Program& program)
    : Form(program.runtime, "NewChartSymbol"), program_(program) {
    cmdOK.OnClick = [this] { cmdOK_Click(); };
    cmdCancel.OnClick = [this] { cmdCancel_Click(); };
    lblSymbolLookup.OnClick = [this] { lblSymbolLookup_Click(); };
}

void NewChartSymbol::InitializeComponent() {
    borderStyle = BorderStyle::FixedDialog;
    startUpPosition = StartUpPosition::CenterScreen;
    showInTaskbar = false;
    setCaption("Vesk Ticker - New Chart Symbol");
    setWidth(3630);
    setHeight(1410);
    lblTickerSymbol.Move(120, 165, 1035, 195);
    lblTickerSymbol.setCaption("Ticker Symbol:");
    txtTickerSymbol.Move(1200, 120, 2295, 285);
    cmdOK.Move(1200, 540, 1095, 345);
    cmdOK.setCaption("OK");
    cmdOK.setDefault(true);
    cmdCancel.Move(2400, 540, 1095, 345);
    cmdCancel.setCaption("Cancel");
    cmdCancel.setCancel(true);
    lblSymbolLookup.Move(120, 1020, 1200, 195);
    lblSymbolLookup.setCaption("Symbol Lookup");
    lblSymbolLookup.setFont(Font{"MS Sans Serif", 8.25f, false, false, true});
    lblSymbolLookup.setForeColor(RGB(0, 0, 255));
    lblSymbolLookup.setMousePointer(MousePointers::vbArrow);
    lblSymbolLookup.setToolTipText(
        "Search the quote service's database for a stock or mutual fund symbol");
}

void NewChartSymbol::Form_Load() {
    AlwaysOnTop::SetAlwaysOnTop(*this);
    Show();
    ZOrder();  // a newly shown dialog takes the keyboard, as the user expects
    txtTickerSymbol.SetFocus();
}

// Loads the chart window again when it was closed meanwhile, without showing it.
void NewChartSymbol::cmdOK_Click() {
    Charts& charts = program_.charts();
    charts.Load();
    charts.lblSymbol.setCaption(UCase(txtTickerSymbol.Text()));
    Unload();
}

void NewChartSymbol::cmdCancel_Click() { Unload(); }

void NewChartSymbol::lblSymbolLookup_Click() { program_.symbolLookup().Show(); }
