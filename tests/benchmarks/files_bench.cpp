#include "platform/core/files.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr int kRecordLength = 50;
constexpr int32_t kRecords = 32767;

// Reading record n of the largest symbol list the program can count.
void ReadRandomRecord(benchmark::State& state) {
    QTemporaryDir folder;
    FileTable files(folder.path().toStdString());
    if (files.Open("stockdata.std", OpenMode::Random, 1, kRecordLength) != kNoError) {
        state.SkipWithError("cannot open the file");
        return;
    }
    std::string record(kRecordLength, ' ');
    for (int32_t n = 1; n <= kRecords; ++n) {
        record.replace(0, 10, std::to_string(n).append(10 - std::to_string(n).size(), ' '));
        files.Put(1, n, record);
    }

    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> recordNumber(1, kRecords);
    for (auto _ : state) {
        benchmark::DoNotOptimize(files.Get(1, recordNumber(random), record));
        benchmark::DoNotOptimize(record.data());
    }
}
BENCHMARK(ReadRandomRecord);

}  // namespace

BENCHMARK_MAIN();
