// The ticker keeps its window state in the settings only when it leaves: by the Exit
// item, the exit button, an unload, and the object's release.

#include "charts/charts.h"
#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

void StoreMain(Runtime& runtime, std::string_view name, std::string_view value) {
    Registry2::SetKeyValue(runtime, HKEY_CURRENT_USER, Registry2::kMainKey, name, value);
}

void StoreChart(Runtime& runtime, std::string_view name, std::string_view value) {
    Registry2::SetKeyValue(runtime, HKEY_CURRENT_USER, Registry2::kChartKey, name, value);
}

}  // namespace

void Ticker::SaveWindowState() {
    Runtime& rt = runtime();
    Registry2::CreateNewKey(rt, HKEY_CURRENT_USER, Registry2::kMainKey);
    StoreMain(rt, "Left", SingleToText(Left()));
    StoreMain(rt, "Top", SingleToText(Top()));
    StoreMain(rt, "Height", picWindow.Tag() == "Shade" ? "Shade" : "Full");
    StoreMain(rt, "Docked", BooleanToText(program_.showContents.Docked));
    StoreMain(rt, "Always On Top", AlwaysOnTop ? "False" : "True");
}

// A closed chart window is loaded, hidden, for its position: its load places it from its
// stored values, so the position written is the one it would take on opening.
void Ticker::SaveChartPosition() {
    Runtime& rt = runtime();
    Charts& charts = program_.charts();
    charts.Load();
    StoreChart(rt, "Left", SingleToText(charts.Left()));
    StoreChart(rt, "Top", SingleToText(charts.Top()));
}

void Ticker::SaveStateAndCharts() {
    SaveWindowState();
    Runtime& rt = runtime();
    Charts& charts = program_.charts();
    bool open = isLoaded(charts);
    if (open) {
        StoreChart(rt, "Symbol", charts.lblSymbol.Caption());
        StoreChart(rt, "Chart Type", charts.lblChartType.Caption());
    }
    StoreChart(rt, "StartUp", BooleanToText(open));
    SaveChartPosition();
}

void Ticker::ExitMenuItem_Click() {
    SaveWindowState();
    bool open = isLoaded(program_.charts());
    SaveChartPosition();
    StoreChart(runtime(), "StartUp", BooleanToText(open));
    runtime().End();
}

void Ticker::picExit_MouseUp(int, int, float, float) {
    SaveStateAndCharts();
    runtime().End();
}

void Ticker::Form_Unload(int&) {
    SaveStateAndCharts();
    program_.charts().Unload();
}

// The unload has already stored the chart window's values and closed it; loading it again
// here would only open it for nothing.
void Ticker::Form_Terminate() {
    StoreMain(runtime(), "Always On Top", AlwaysOnTop ? "False" : "True");
    StoreMain(runtime(), "Docked", BooleanToText(program_.showContents.Docked));
}
