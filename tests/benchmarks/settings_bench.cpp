// The settings the ticker reads at every load and writes at every drag step, a drag step
// itself, and the symbol cursor's record read.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>

#include "docking/show_contents.h"
#include "platform/runtime.h"
#include "support/scripted_desktop.h"
#include "settings/get_string.h"
#include "settings/get_symbol.h"
#include "settings/registry2.h"
#include "settings/stock_record.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

struct Fixture {
    QTemporaryDir program, settings;
    ScriptedDesktop desktop;
    Runtime runtime{desktop, {program.path().toStdString(), settings.path().toStdString()}};
    Fixture() {
        Registry2::CreateNewKey(runtime, HKEY_CURRENT_USER, Registry2::kMainKey);
        GetString::GetStringValue(runtime, HKEY_CURRENT_USER, Registry2::kMainKey, "Interval");
        runtime.registry().Flush();
    }
};

void BM_GetStringValue(benchmark::State& state) {
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            GetString::GetStringValue(f.runtime, HKEY_CURRENT_USER, Registry2::kMainKey, "Interval"));
}
BENCHMARK(BM_GetStringValue);

// Per write that changes the value: it is in the file when SetKeyValue returns.
void BM_SetKeyValue(benchmark::State& state) {
    Fixture f;
    int64_t writes = 0;
    for (auto _ : state) {
        ++writes;
        Registry2::SetKeyValue(f.runtime, HKEY_CURRENT_USER, Registry2::kMainKey,
                               (writes & 1) ? "Top" : "Left", std::to_string(writes % 2000));
    }
}
BENCHMARK(BM_SetKeyValue)->Unit(benchmark::kMicrosecond);

// One mouse move of a ticker dragged with the docked chart window closed: the step stores
// the chart's new place, two values, and reads them back.
void BM_DragStepWithTheChartWindowClosed(benchmark::State& state) {
    Fixture f;
    f.desktop.workArea = {0, 0, 1024, 738};
    // No symbols, and a quote host on 127.0.0.1 where nothing listens: nothing is fetched.
    std::ofstream(f.program.path().toStdString() + "/vesk-ticker.conf") << "[Hosts]\nQuoteHost=127.0.0.1:18374\n";
    Registry2::CreateNewKey(f.runtime, HKEY_CURRENT_USER, Registry2::kChartKey);
    Program program(f.runtime);
    Ticker& ticker = program.ticker();
    ticker.Show();
    f.desktop.cursor = {300, 300};
    ticker.picSkin_MouseDown(1, 0, 150, 90);
    program.showContents.Docked = true;
    int32_t step = 0;
    for (auto _ : state) {
        ++step;
        f.desktop.cursor = {300 + step % 50, 300 + step % 40};  // a new place at every step
        ticker.picSkin.OnMouseMove(1, 0, 150, 90);
    }
    ticker.Unload();
}
BENCHMARK(BM_DragStepWithTheChartWindowClosed)->Unit(benchmark::kMicrosecond);

void BM_ReadStockRecord(benchmark::State& state) {
    Fixture f;
    {
        std::ofstream file(f.program.path().toStdString() + "/stockdata.std", std::ios::binary);
        for (int i = 0; i < 32767; ++i) {
            StockRecord record = StockRecord::From("S" + std::to_string(i), "Name " + std::to_string(i));
            file.write(record.bytes.data(), long(record.bytes.size()));
        }
    }
    f.runtime.files().ChDir(f.program.path().toStdString());
    GetSymbol cursor(f.runtime);
    cursor.OpenStockData();
    uint32_t n = 12345;
    for (auto _ : state) {
        n = n * 1103515245u + 12345u;
        cursor.StockRecNo = int32_t(n % 32767u) + 1;
        cursor.ReadStockRecord();
        benchmark::DoNotOptimize(cursor.QuoteSymbol);
    }
}
BENCHMARK(BM_ReadStockRecord);

}  // namespace
