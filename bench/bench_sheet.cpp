// The waveform sheet: the acquisition update (record bytes to trace points)
// at the store depths' record lengths, and one repaint of long traces.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <cstring>
#include <vector>

#include "docs/YTSheetPainter.h"
#include "docs/YTSheetUpdate.h"

namespace {

struct SineRecord {
    explicit SineRecord(size_t n) : ch1(n), ch2(n) {
        for (size_t i = 0; i < n; ++i) {
            const double phase = 2 * M_PI * static_cast<double>(i) / 640.0;
            ch1[i] = static_cast<uint8_t>(static_cast<int8_t>(std::lround(60 * std::sin(phase))));
            ch2[i] = static_cast<uint8_t>(static_cast<int8_t>(std::lround(40 * std::cos(phase))));
        }
        wfm.nCH1Show = wfm.nCH2Show = 1;
    }
    SheetAcquisition Input() {
        SheetAcquisition in;
        in.wfm = &wfm;
        in.ch1 = ch1.data();
        in.ch2 = ch2.data();
        in.length = ch1.size();
        in.show = show;
        return in;
    }
    std::vector<uint8_t> ch1, ch2;
    tagWaveformParam wfm;
    int32_t show[3] = {1, 1, 1};
};

void PrepareSheet(CYTSheetData& sheet, int points) {
    sheet.pointsPerTrace = points;
    for (CDSOWaveform& t : sheet.trace) t.MallocMem(static_cast<uint32_t>(points));
}

// The floor of any acquisition update: both records copied once.
void BM_CopyBothRecords(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    SineRecord record(n);
    std::vector<uint8_t> ch1(n), ch2(n);
    for (auto _ : state) {
        std::memcpy(ch1.data(), record.ch1.data(), n);
        std::memcpy(ch2.data(), record.ch2.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n) * 2);
}
BENCHMARK(BM_CopyBothRecords)->Arg(3200)->Arg(800000)->Unit(benchmark::kMillisecond);

void BM_AcquisitionUpdate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SineRecord record(static_cast<size_t>(n));
    CYTSheetData sheet;
    PrepareSheet(sheet, n);
    for (auto _ : state) {
        SheetUpdateResult r = ApplyAcquisition(sheet, record.Input());
        benchmark::DoNotOptimize(r.ok);
    }
    state.SetItemsProcessed(state.iterations() * n * 2);
}
BENCHMARK(BM_AcquisitionUpdate)->Arg(3200)->Arg(400000)->Arg(800000)->Unit(benchmark::kMillisecond);

void BM_AcquisitionUpdateWithSpectrum(benchmark::State& state) {
    SineRecord record(3200);
    record.wfm.nMathShow = 1;
    record.wfm.nMathOperation = kMathFFT;
    record.wfm.nFFTDbBase = 10;
    CYTSheetData sheet;
    PrepareSheet(sheet, 3200);
    for (auto _ : state) benchmark::DoNotOptimize(ApplyAcquisition(sheet, record.Input()).ok);
}
BENCHMARK(BM_AcquisitionUpdateWithSpectrum)->Unit(benchmark::kMicrosecond);

void BM_Repaint(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SineRecord record(static_cast<size_t>(n));
    CYTSheetData sheet;
    PrepareSheet(sheet, n);
    ApplyAcquisition(sheet, record.Input());
    SheetPaintOptions options;
    options.size = QSize(625, 500);
    for (auto _ : state) {
        QImage image = CYTSheetPainter::Render(sheet, options);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Repaint)->Arg(3200)->Arg(800000)->Unit(benchmark::kMillisecond);

}  // namespace

// Painting text needs a QGuiApplication (fonts); the offscreen platform
// unless another one is asked for.
int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
