// The I2C decoder on an 800,000-sample record (the longest store depth), and
// sigrok-cli decoding the same traffic in the same run for comparison (one
// process start each; skipped with a message when sigrok-cli is missing).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/I2CDecoder.h"
#include "tests/analysis/BusTraffic.h"

namespace {

using namespace bustraffic;

constexpr int kRecordLength = 800000;

// Write transfers of four bytes back to back until the record is full:
// 100 kHz at 100 ns per sample, three-sample edges.
const AnalogRecords& Traffic(int* frames) {
    static int count = 0;
    static const AnalogRecords records = [] {
        LogicTrace trace;
        I2CWriter w(trace, {47, 40, 60, 50, 0.3}, 5);
        while (trace.Length() < kRecordLength - 5000) {
            w.Start();
            w.Byte((0x20 + count % 64) << 1, true);
            for (int b = 0; b < 3; ++b)
                w.Byte(static_cast<unsigned>(count * 7 + b) & 0xFF, true);
            w.Stop();
            w.Idle(40);
            ++count;
        }
        w.Idle(kRecordLength - trace.Length());
        return Render(trace, 3);
    }();
    *frames = count;
    return records;
}

void BM_I2CDecode800k(benchmark::State& state) {
    int frames = 0;
    const AnalogRecords& r = Traffic(&frames);
    CI2CDecoder decoder;
    decoder.SetTimePerDivision(100 * 200.0);
    for (auto _ : state) {
        const int ok = decoder.Decode(r.clock.data(), kRecordLength, r.data.data());
        benchmark::DoNotOptimize(ok);
    }
    state.counters["frames"] = decoder.FrameCount();
    state.counters["fields"] = static_cast<double>(decoder.Results().size());
    state.SetItemsProcessed(state.iterations() * kRecordLength);
}
BENCHMARK(BM_I2CDecode800k)->Unit(benchmark::kMillisecond);

void BM_SigrokCliI2C800k(benchmark::State& state) {
    if (std::system("sigrok-cli --version >/dev/null 2>&1") != 0) {
        state.SkipWithError("sigrok-cli is not installed");
        return;
    }
    int frames = 0;
    const AnalogRecords& r = Traffic(&frames);
    const auto path = std::filesystem::temp_directory_path() / ("qv_bench_bus_" + std::to_string(::getpid()) + ".bin");
    {
        std::ofstream out(path, std::ios::binary);
        const std::string bytes = ToSigrokBinary(r);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string command = "sigrok-cli -I binary:numchannels=2:samplerate=10000000 -i '" + path.string() +
                                "' -P i2c:scl=0:sda=1 -A i2c=addr-data 2>/dev/null | grep -c Stop";
    long stops = 0;
    for (auto _ : state) {
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            if (std::fscanf(pipe, "%ld", &stops) != 1) stops = -1;
            ::pclose(pipe);
        }
    }
    std::filesystem::remove(path);
    state.counters["frames"] = static_cast<double>(stops);
    state.SetItemsProcessed(state.iterations() * kRecordLength);
}
BENCHMARK(BM_SigrokCliI2C800k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
