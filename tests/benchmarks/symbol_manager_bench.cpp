// The Symbol Manager with the longest list it can hold: loading it to the window shown, and
// saving it to a complete stockdata.std.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>

#include "platform/runtime.h"
#include "support/scripted_desktop.h"
#include "settings/stock_record.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"

namespace {

struct Fixture {
    QTemporaryDir programFolder, settingsFolder;
    ScriptedDesktop desktop;
    Runtime runtime{desktop, {programFolder.path().toStdString(), settingsFolder.path().toStdString()}};
    Program program{runtime};

    Fixture() {
        std::ofstream file(Path(), std::ios::binary);
        for (int i = 1; i <= SymbolEditor::kMaxRows; ++i) {
            StockRecord record = StockRecord::From("S" + std::to_string(i), "Company number " + std::to_string(i));
            file.write(record.bytes.data(), long(record.bytes.size()));
        }
    }
    std::string Path() const { return programFolder.path().toStdString() + "/stockdata.std"; }
};

void BM_LoadSymbolManager(benchmark::State& state) {
    Fixture f;
    SymbolEditor& editor = f.program.symbolEditor();
    for (auto _ : state) {
        editor.Show();
        QApplication::processEvents();  // the window is on screen
        state.PauseTiming();
        if (editor.ListView1.ListItems.Count() != SymbolEditor::kMaxRows) state.SkipWithError("rows missing");
        editor.Unload();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = SymbolEditor::kMaxRows;
}
BENCHMARK(BM_LoadSymbolManager)->Unit(benchmark::kMillisecond);

void BM_SaveSymbolManager(benchmark::State& state) {
    Fixture f;
    SymbolEditor& editor = f.program.symbolEditor();
    editor.Show();
    for (auto _ : state) {
        if (!editor.RewriteSymbolFile()) state.SkipWithError("save failed");
    }
    std::ifstream saved(f.Path(), std::ios::binary | std::ios::ate);
    if (int64_t(saved.tellg()) != int64_t(SymbolEditor::kMaxRows) * int64_t(StockRecord::kLength))
        state.SkipWithError("the saved file is not complete");
    state.counters["rows"] = SymbolEditor::kMaxRows;
}
BENCHMARK(BM_SaveSymbolManager)->Unit(benchmark::kMillisecond);

}  // namespace
