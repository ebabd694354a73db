// Reading a setting (with its look whether another copy changed the file), writing one (in
// the file when the call returns; the sync to the disk is coalesced), and loading 1 MB of
// plain values against 1 MB of keys 512 levels deep: the load costs what the file's size does.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "platform/core/registry.h"

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

// Per set that changes a value: its lines appended to the file under the lock.
void BM_SetValueReachesTheFile(benchmark::State& state) {
    QTemporaryDir folder;
    Registry registry(folder.path().toStdString());
    const HKEY key = FillMainKey(registry);
    int64_t sets = 0;
    for (auto _ : state) {
        ++sets;
        SetText(registry, key, (sets & 1) ? "Top" : "Left", std::to_string(sets % 2000));
    }
    registry.Flush();
}
BENCHMARK(BM_SetValueReachesTheFile)->Unit(benchmark::kMicrosecond);

// One step of a ticker drag with the docked chart window closed: the chart's new Left and
// Top, two sets that change values under the chart key.
void BM_DragStepsTwoWrites(benchmark::State& state) {
    QTemporaryDir folder;
    Registry registry(folder.path().toStdString());
    FillMainKey(registry);
    HKEY charts = 0;
    registry.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vesk Ticker\\Charts", 0, KEY_ALL_ACCESS_LEGACY, charts);
    int64_t step = 0;
    for (auto _ : state) {
        ++step;
        SetText(registry, charts, "Left", std::to_string(step % 2000));
        SetText(registry, charts, "Top", std::to_string(step % 1500));
    }
    registry.Flush();
}
BENCHMARK(BM_DragStepsTwoWrites)->Unit(benchmark::kMicrosecond);

// Per set that stores what the file holds already, as most of a drag's sets do.
void BM_SetValueUnchanged(benchmark::State& state) {
    QTemporaryDir folder;
    Registry registry(folder.path().toStdString());
    const HKEY key = FillMainKey(registry);
    for (auto _ : state) SetText(registry, key, "Left", "1440");
}
BENCHMARK(BM_SetValueUnchanged);

// A burst of ten sets, as the configuration dialog's OK makes, then the sync to the disk.
void BM_BurstOfTenThenSync(benchmark::State& state) {
    QTemporaryDir folder;
    Registry registry(folder.path().toStdString());
    const HKEY key = FillMainKey(registry);
    int64_t round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 0; i < 10; ++i) SetText(registry, key, "Value " + std::to_string(i), std::to_string(round));
        registry.Flush();
    }
}
BENCHMARK(BM_BurstOfTenThenSync)->Unit(benchmark::kMillisecond);

// A 1 MB settings file of plain values, or of eight keys 512 levels deep with 255-character
// names, each with one value.
std::string MegabyteFile(bool deep) {
    std::string text;
    if (deep) {
        const std::string name(255, 'k');
        for (int key = 0; key < 8; ++key) {
            text += "[HKEY_CURRENT_USER";
            for (int level = 0; level < 512; ++level) text += "\\" + (level == 0 ? std::to_string(key) : name);
            text += "]\n\"Left\"=\"1440\"\n";
        }
    } else {
        text = "[HKEY_CURRENT_USER\\Software\\Vesk Ticker]\n";
        for (int value = 0; text.size() < (1 << 20); ++value) text += "\"Value " + std::to_string(value) + "\"=\"1440\"\n";
    }
    return text;
}

void BM_LoadMegabyte(benchmark::State& state) {
    QTemporaryDir folder;
    std::ofstream(folder.path().toStdString() + "/registry.txt") << MegabyteFile(state.range(0) == 1);
    for (auto _ : state) {
        Registry registry(folder.path().toStdString());
        benchmark::DoNotOptimize(registry.LoadProblem());
    }
}
BENCHMARK(BM_LoadMegabyte)->ArgName("deep")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
