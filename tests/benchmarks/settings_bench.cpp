// The settings the ticker reads at every load and writes at every drag step, and the
// symbol cursor's record read.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>

#include "platform/runtime.h"
#include "platform/scripted_desktop.h"
#include "settings/get_string.h"
#include "settings/get_symbol.h"
#include "settings/registry2.h"
#include "settings/stock_record.h"

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

// Per write, with what reaches the disk (one atomic replacement) after every 500 writes,
// the way a drag's two writes per mouse move are coalesced.
void BM_SetKeyValueBurst(benchmark::State& state) {
    Fixture f;
    int64_t writes = 0;
    for (auto _ : state) {
        Registry2::SetKeyValue(f.runtime, HKEY_CURRENT_USER, Registry2::kMainKey,
                               (writes & 1) ? "Top" : "Left", std::to_string(writes % 2000));
        if (++writes % 500 == 0) f.runtime.registry().Flush();
    }
}
BENCHMARK(BM_SetKeyValueBurst);

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
