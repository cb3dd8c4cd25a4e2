// The measurement engine and the data table's update at the record lengths
// of the store depths, beside a plain copy of the same record (the floor any
// window pays to take its samples).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "docs/TabularData.h"
#include "docs/WaveformMeasure.h"

namespace {

// A noisy 25 % pulse, 640 samples a period: many crossings, real edges.
std::vector<uint8_t> PulseRecord(size_t n) {
    std::vector<uint8_t> r(n);
    uint32_t noise = 12345;
    for (size_t i = 0; i < n; ++i) {
        noise = noise * 1103515245u + 12345u;
        const int level = (i % 640) < 160 ? 60 : -40;
        r[i] = static_cast<uint8_t>(static_cast<int8_t>(level + static_cast<int>((noise >> 16) % 5) - 2));
    }
    return r;
}

void BM_RecordCopy(benchmark::State& state) {
    const std::vector<uint8_t> record = PulseRecord(static_cast<size_t>(state.range(0)));
    std::vector<uint8_t> copy(record.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), record.data(), record.size());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_MeasureWaveform(benchmark::State& state) {
    const std::vector<uint8_t> record = PulseRecord(static_cast<size_t>(state.range(0)));
    MeasureInput in;
    in.samples = record.data();
    in.count = record.size();
    in.voltsPerDiv = 1e6;
    in.timePerDiv = 200000;
    for (auto _ : state) {
        MeasureResult r = MeasureWaveform(in);
        benchmark::DoNotOptimize(r.value.value[0]);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_TableUpdate(benchmark::State& state) {
    const std::vector<uint8_t> record = PulseRecord(static_cast<size_t>(state.range(0)));
    tagWaveformParam wfm;
    wfm.llCH1VoltBase = 1000000;
    wfm.fTableTimeBase = 200000;
    TabularInput in;
    in.wfm = &wfm;
    in.ch1 = record.data();
    in.length = record.size();
    in.recordLength = static_cast<int32_t>(record.size());
    CTabularData table(in.recordLength);
    for (auto _ : state) benchmark::DoNotOptimize(UpdateTable(table, in));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_RecordCopy)->Arg(3200)->Arg(400000)->Arg(800000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MeasureWaveform)->Arg(3200)->Arg(400000)->Arg(800000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableUpdate)->Arg(3200)->Arg(400000)->Arg(800000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
