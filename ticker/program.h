#pragma once
// The running system: every window (each comes into being on first use) and the state of
// every module, over one runtime. Tests build a fresh one.

#include <memory>

#include "settings/editor.h"
#include "settings/get_symbol.h"

class Runtime;
class Ticker;

class Program {
public:
    explicit Program(Runtime& runtime);
    // Releases every window that came into being, so their termination handlers run.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Runtime& runtime;
    GetSymbol getSymbol;
    Editor editor;

    Ticker& ticker();

private:
    std::unique_ptr<Ticker> ticker_;
};
