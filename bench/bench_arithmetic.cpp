// The arithmetic window's update at the longest store depth: both records
// taken into the window's buffer and the chosen operation over them, for each
// operation, beside a plain copy of both records; and the same over noise.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "analysis/view/ArithmeticPanel.h"
#include "docs/ArithmeticData.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr int kLength = 800000;

// CH1 a sine of 60 counts, CH2 a slower one of 40 (zero now and then, so the
// division meets zero divisors), at different scales.
struct Records {
    Records() : ch1(kLength), ch2(kLength) {
        for (int i = 0; i < kLength; ++i) {
            ch1[i] = static_cast<uint8_t>(static_cast<int8_t>(std::lround(60 * std::sin(i * 2 * M_PI / 640))));
            ch2[i] = static_cast<uint8_t>(static_cast<int8_t>(std::lround(40 * std::cos(i * 2 * M_PI / 2000))));
        }
        wfm.llCH1VoltBase = 1000000;
        wfm.llCH2VoltBase = 500000;
    }
    std::vector<uint8_t> ch1, ch2;
    tagWaveformParam wfm;
};

const Records& TheRecords() {
    static const Records records;
    return records;
}

void BM_CopyBothRecords(benchmark::State& state) {
    const Records& r = TheRecords();
    std::vector<uint8_t> a(kLength), b(kLength);
    for (auto _ : state) {
        std::memcpy(a.data(), r.ch1.data(), kLength);
        std::memcpy(b.data(), r.ch2.data(), kLength);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyBothRecords)->Unit(benchmark::kMicrosecond);

void BM_ArithmeticUpdate(benchmark::State& state) {
    const Records& r = TheRecords();
    CArithmeticData data;
    data.SetOperationName(szMthOperation[0][state.range(0)]);
    for (auto _ : state) {
        data.TakeTransfer(r.wfm, r.ch1.data(), r.ch2.data(), kLength);
        benchmark::DoNotOptimize(data.Compute().peak);
    }
    state.SetLabel(szMthOperation[0][state.range(0)]);
}
BENCHMARK(BM_ArithmeticUpdate)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The same update over records that make skipping blocks useless: noise over
// every count on both channels, and (slowest) extremes of opposite sign on
// the two channels at every sample, so that every block's bound is far above
// the peak and every sample is evaluated.
void RunUpdate(benchmark::State& state, const std::vector<uint8_t>& ch1, const std::vector<uint8_t>& ch2) {
    CArithmeticData data;
    data.SetOperationName(szMthOperation[0][state.range(0)]);
    for (auto _ : state) {
        data.TakeTransfer(TheRecords().wfm, ch1.data(), ch2.data(), kLength);
        benchmark::DoNotOptimize(data.Compute().peak);
    }
    state.SetLabel(szMthOperation[0][state.range(0)]);
}

void BM_ArithmeticUpdateNoise(benchmark::State& state) {
    std::vector<uint8_t> ch1(kLength), ch2(kLength);
    std::mt19937 random(1);
    for (int i = 0; i < kLength; ++i) {
        ch1[i] = static_cast<uint8_t>(random() >> 24);
        ch2[i] = static_cast<uint8_t>(random() >> 24);
    }
    RunUpdate(state, ch1, ch2);
}
BENCHMARK(BM_ArithmeticUpdateNoise)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void BM_ArithmeticUpdateOppositeExtremes(benchmark::State& state) {
    std::vector<uint8_t> ch1(kLength), ch2(kLength);
    for (int i = 0; i < kLength; ++i) {
        ch1[i] = i % 2 ? 0x7F : 0x80;
        ch2[i] = i % 2 ? 0x80 : 0x7F;
    }
    RunUpdate(state, ch1, ch2);
}
BENCHMARK(BM_ArithmeticUpdateOppositeExtremes)->Arg(0)->Unit(benchmark::kMicrosecond);

// The whole panel (inputs and result) drawn after an update, at the longest
// store depth and at the default record length.
void BM_ArithmeticRepaint(benchmark::State& state) {
    const Records& r = TheRecords();
    const int length = static_cast<int>(state.range(0));
    CArithmeticData data;
    CArithmeticPanel panel(&data);
    panel.resize(625, 500);
    panel.OnTransfer(r.wfm, r.ch1.data(), r.ch2.data(), length);
    QApplication::processEvents();
    QImage image(panel.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        panel.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ArithmeticRepaint)->Arg(3200)->Arg(kLength)->Unit(benchmark::kMillisecond);

} // namespace

// The panel needs an application (widgets, fonts); the offscreen platform
// unless another one is asked for.
int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
