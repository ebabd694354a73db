// Reading a setting, and writing one the way a drag does: many sets, then what reaches disk.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>

#include "platform/registry.h"

namespace {

void SetText(Registry& registry, HKEY key, std::string_view name, const std::string& text) {
    registry.RegSetValueExA(key, name, REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()),
                            static_cast<uint32_t>(text.size() + 1));
}

// A store holding the ticker's usual settings.
HKEY FillMainKey(Registry& registry) {
    HKEY key = 0;
    registry.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vesk Ticker", 0, KEY_ALL_ACCESS_LEGACY, key);
    for (const char* name : {"Left", "Top", "Height", "Size", "Interval", "Timeout", "Docked", "Always On Top"})
        SetText(registry, key, name, "1440");
    registry.Flush();
    return key;
}

void BM_QueryStoredValue(benchmark::State& state) {
    QTemporaryDir folder;
    Registry registry(folder.path().toStdString());
    const HKEY key = FillMainKey(registry);
    uint8_t buffer[255];
    uint32_t type = 0;
    for (auto _ : state) {
        uint32_t length = sizeof buffer;
        benchmark::DoNotOptimize(registry.RegQueryValueExA(key, "Interval", &type, buffer, length));
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_QueryStoredValue);

// Per set, with one Flush (the file's atomic, synced replacement) after every 1000 sets.
void BM_SetValueBurstThenFlush(benchmark::State& state) {
    QTemporaryDir folder;
    Registry registry(folder.path().toStdString());
    const HKEY key = FillMainKey(registry);
    const std::string positions[] = {"1440", "1455"};
    int64_t sets = 0;
    for (auto _ : state) {
        SetText(registry, key, (sets & 2) ? "Top" : "Left", positions[sets & 1]);
        if (++sets % 1000 == 0) registry.Flush();
    }
    registry.Flush();
}
BENCHMARK(BM_SetValueBurstThenFlush)->Iterations(100000);

// What one burst costs on disk alone.
void BM_Flush(benchmark::State& state) {
    QTemporaryDir folder;
    Registry registry(folder.path().toStdString());
    const HKEY key = FillMainKey(registry);
    int64_t round = 0;
    for (auto _ : state) {
        SetText(registry, key, "Left", std::to_string(++round));
        registry.Flush();
    }
}
BENCHMARK(BM_Flush)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
