// Cost of one spectrum: the fixed-point routine that every spectrum repaint
// runs, beside a floating-point 2048-point real transform (FFTW) of the same
// record for scale.
#include "analysis/FftPower.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#ifdef QV_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

// A two-tone record of signed counts with a little noise, as a channel shows it.
std::vector<std::uint8_t> TestRecord() {
    std::vector<std::uint8_t> record(kSpectrumColumns);
    std::uint32_t noise = 12345;
    for (int n = 0; n < kSpectrumColumns; ++n) {
        noise = noise * 1664525u + 1013904223u;
        const double v = 60 * std::sin(2 * std::numbers::pi * 100.3 * n / kFftSize) +
                         20 * std::sin(2 * std::numbers::pi * 333.7 * n / kFftSize) + (noise >> 29) - 4.0;
        record[n] = static_cast<std::uint8_t>(static_cast<std::int8_t>(std::lround(v)));
    }
    return record;
}

void BM_ComputeSpectrumDb(benchmark::State& state) {
    const auto record = TestRecord();
    const SpectrumInput input = SpectrumInputFromRecord(record.data(), record.size());
    const int window = static_cast<int>(state.range(0));
    std::array<std::int32_t, kSpectrumBins> db{};
    for (auto _ : state) {
        ComputeSpectrumDb(db, input, window);
        benchmark::DoNotOptimize(db.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputeSpectrumDb)->Arg(kWindowFlatTop)->Arg(kWindowRectangular)->Arg(kWindowHanning);

// Record to spectrum input included: what one repaint costs before drawing.
void BM_RecordToSpectrum(benchmark::State& state) {
    const auto record = TestRecord();
    std::array<std::int32_t, kSpectrumBins> db{};
    for (auto _ : state) {
        const SpectrumInput input = SpectrumInputFromRecord(record.data(), record.size());
        ComputeSpectrumDb(db, input, kWindowHanning);
        benchmark::DoNotOptimize(db.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RecordToSpectrum);

#ifdef QV_HAVE_FFTW
// FFTW's 2048-point real-to-complex transform (planned with FFTW_MEASURE),
// with the Hanning window applied in double and the power taken in decibels,
// so that both sides produce the same 1024 values.
void BM_FftwReal2048(benchmark::State& state) {
    const auto record = TestRecord();
    double* in = fftw_alloc_real(kFftSize);
    fftw_complex* out = fftw_alloc_complex(kFftSize / 2 + 1);
    fftw_plan plan = fftw_plan_dft_r2c_1d(kFftSize, in, out, FFTW_MEASURE);
    std::vector<double> window(kFftSize);
    for (int n = 0; n < kFftSize; ++n)
        window[n] = 0.5 * (1 - std::cos(2 * std::numbers::pi * n / (kFftSize - 1)));
    std::vector<double> db(kSpectrumBins);
    for (auto _ : state) {
        for (int n = 0; n < kFftSize; ++n)
            in[n] = static_cast<std::int8_t>(record[n]) * window[n];
        fftw_execute(plan);
        for (int k = 0; k < kSpectrumBins; ++k)
            db[k] = 10 * std::log10(out[k][0] * out[k][0] + out[k][1] * out[k][1] + 1) - 70;
        benchmark::DoNotOptimize(db.data());
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(out);
    fftw_free(in);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FftwReal2048);

// The bare FFTW transform, without windowing and decibels.
void BM_FftwReal2048TransformOnly(benchmark::State& state) {
    double* in = fftw_alloc_real(kFftSize);
    fftw_complex* out = fftw_alloc_complex(kFftSize / 2 + 1);
    fftw_plan plan = fftw_plan_dft_r2c_1d(kFftSize, in, out, FFTW_MEASURE);
    const auto record = TestRecord();
    for (int n = 0; n < kFftSize; ++n)
        in[n] = static_cast<std::int8_t>(record[n]);
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(out);
    fftw_free(in);
}
BENCHMARK(BM_FftwReal2048TransformOnly);
#endif

} // namespace

BENCHMARK_MAIN();
