#include "ticker/ticker.h"

#include "platform/runtime.h"
#include "ticker/program.h"

Ticker::Ticker(Program& program) : Form(program.runtime, "Ticker"), program_(program) {}

void Ticker::InitializeComponent() {
    setWidth(3150);
    setHeight(1740);
}

void Ticker::Form_Load() {
    runtime().files().ChDir(runtime().App().Path);
    program_.getSymbol.OpenStockData();
}
