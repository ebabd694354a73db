#include "ticker/program.h"

#include "platform/runtime.h"
#include "ticker/ticker.h"

Program::Program(Runtime& runtime_) : runtime(runtime_), getSymbol(runtime_), editor(runtime_) {}

Program::~Program() {
    if (ticker_) ticker_->Release();
}

Ticker& Program::ticker() {
    if (!ticker_) ticker_ = std::make_unique<Ticker>(*this);
    return *ticker_;
}
