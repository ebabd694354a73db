#include "ticker/program.h"

#include "charts/charts.h"
#include "charts/new_chart_symbol.h"
#include "charts/symbol_lookup.h"
#include "platform/runtime.h"
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
      quoteGet(*this) {}

Program::~Program() {
    if (ticker_) ticker_->Release();
    if (config_) config_->Release();
    if (newChartSymbol_) newChartSymbol_->Release();
    if (symbolLookup_) symbolLookup_->Release();
    // After the ticker, whose own termination may still read the chart window.
    if (charts_) charts_->Release();
}

Ticker& Program::ticker() { return Lazy(ticker_, *this); }
Config& Program::config() { return Lazy(config_, *this); }
Charts& Program::charts() { return Lazy(charts_, *this); }
NewChartSymbol& Program::newChartSymbol() { return Lazy(newChartSymbol_, *this); }
SymbolLookup& Program::symbolLookup() { return Lazy(symbolLookup_, *this); }
