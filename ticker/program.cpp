#include "ticker/program.h"

#include "charts/charts.h"
#include "charts/new_chart_symbol.h"
#include "charts/symbol_lookup.h"
#include "dialogs/about.h"
#include "dialogs/frm_welcome.h"
#include "dialogs/update_available.h"
#include "dialogs/update_checker.h"
#include "platform/runtime.h"
#include "symbols/new_symbol.h"
#include "symbols/symbol_editor.h"
#include "symbols/symbol_properties.h"
#include "ticker/config.h"
#include "ticker/ticker.h"

namespace {

ServiceHosts LoadHosts(Runtime& runtime) {
    ServiceHostsLoad load = LoadServiceHosts(runtime.App().Path);
    if (load.problem) runtime.MsgBox(*load.problem, MsgBox::vbExclamation);
    return load.hosts;
}

// Creates a window object on first use.
template <class Window>
Window& Lazy(std::unique_ptr<Window>& slot, Program& program) {
    if (!slot) slot = std::make_unique<Window>(program);
    return *slot;
}

}  // namespace

Program::Program(Runtime& runtime_)
    : runtime(runtime_),
      hosts(LoadHosts(runtime_)),
      getSymbol(runtime_),
      editor(runtime_),
      quoteGet(*this),
      winProc(runtime_.user32()) {}

Program::~Program() {
    if (symbolProperties_) symbolProperties_->Release();
    if (newSymbol_) newSymbol_->Release();
    if (symbolEditor_) symbolEditor_->Release();
    if (ticker_) ticker_->Release();
    if (config_) config_->Release();
    if (updateChecker_) updateChecker_->Release();
    if (updateAvailable_) updateAvailable_->Release();
    if (about_) about_->Release();
    if (welcome_) welcome_->Release();
    if (newChartSymbol_) newChartSymbol_->Release();
    if (symbolLookup_) symbolLookup_->Release();
    // After the ticker, whose own termination may still read the chart window.
    if (charts_) charts_->Release();
}

Ticker& Program::ticker() { return Lazy(ticker_, *this); }
Config& Program::config() { return Lazy(config_, *this); }
SymbolEditor& Program::symbolEditor() { return Lazy(symbolEditor_, *this); }
NewSymbol& Program::newSymbol() { return Lazy(newSymbol_, *this); }
SymbolProperties& Program::symbolProperties() { return Lazy(symbolProperties_, *this); }

Form* Program::loadedCharts() {
    return charts_ && runtime.IsLoaded(*charts_) ? charts_.get() : nullptr;
}
UpdateChecker& Program::updateChecker() { return Lazy(updateChecker_, *this); }
UpdateAvailable& Program::updateAvailable() { return Lazy(updateAvailable_, *this); }
About& Program::about() { return Lazy(about_, *this); }
frmWelcome& Program::frmWelcome() { return Lazy(welcome_, *this); }
Charts& Program::charts() { return Lazy(charts_, *this); }
NewChartSymbol& Program::newChartSymbol() { return Lazy(newChartSymbol_, *this); }
SymbolLookup& Program::symbolLookup() { return Lazy(symbolLookup_, *this); }
