#pragma once
// The running system: every window (each comes into being on first use) and the state of
// every module, over one runtime. Tests build a fresh one.

#include <memory>

#include "docking/show_contents.h"
#include "settings/editor.h"
#include "settings/get_symbol.h"
#include "settings/service_hosts.h"
#include "symbols/win_proc.h"
#include "ticker/quote_get.h"

class Runtime;
class Ticker;
class Config;
class SymbolEditor;
class NewSymbol;
class SymbolProperties;
class Form;
class UpdateChecker;
class UpdateAvailable;
class About;
class frmWelcome;
class Charts;
class NewChartSymbol;
class SymbolLookup;

class Program {
public:
    explicit Program(Runtime& runtime);
    // Releases every window that came into being, so their termination handlers run.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Runtime& runtime;
    ServiceHosts hosts;
    GetSymbol getSymbol;
    Editor editor;
    QuoteGet quoteGet;
    ShowContents showContents;
    WinProc winProc;  // outlives the windows, whose unloads unhook through it

    Ticker& ticker();
    Config& config();
    SymbolEditor& symbolEditor();
    NewSymbol& newSymbol();
    SymbolProperties& symbolProperties();
    // The chart window when it is loaded, else nullptr; asking never loads it.
    Form* loadedCharts();
    UpdateChecker& updateChecker();
    UpdateAvailable& updateAvailable();
    About& about();
    ::frmWelcome& frmWelcome();
    Charts& charts();
    NewChartSymbol& newChartSymbol();
    SymbolLookup& symbolLookup();

private:
    std::unique_ptr<Ticker> ticker_;
    std::unique_ptr<Config> config_;
    std::unique_ptr<SymbolEditor> symbolEditor_;
    std::unique_ptr<NewSymbol> newSymbol_;
    std::unique_ptr<SymbolProperties> symbolProperties_;
    std::unique_ptr<UpdateChecker> updateChecker_;
    std::unique_ptr<UpdateAvailable> updateAvailable_;
    std::unique_ptr<About> about_;
    std::unique_ptr<::frmWelcome> welcome_;
    std::unique_ptr<Charts> charts_;
    std::unique_ptr<NewChartSymbol> newChartSymbol_;
    std::unique_ptr<SymbolLookup> symbolLookup_;
};
