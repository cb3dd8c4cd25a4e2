// The spectrum routine on records the simulated instrument renders: a
// 10 kHz sine peaks in the bin its frequency per division predicts,
// f * 1024 / (10 * Fdiv), in every window, for Fdiv as the settings decode
// derives it from the time base (index 32 - HORIZ-TB of the frequency steps).
#include "analysis/Arithmetic.h"
#include "analysis/FftPower.h"
#include "analysis/PowerBinsCsv.h"
#include "corvane/ScaleConversion.h"
#include "sim/SignalRenderer.h"
#include "sim/SignalSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> RenderSine(double secondsPerDiv) {
    SignalSpec sine;
    std::string error;
    EXPECT_EQ(ParseSignalSpec("sine:10k:2", &sine, &error), 1) << error;
    SignalSpec none;
    EXPECT_EQ(ParseSignalSpec("none", &none, &error), 1) << error;
    ChannelFrontEnd frontEnd;
    frontEnd.voltsPerDiv = 1.0;
    AcquisitionTiming timing;
    timing.secondsPerDiv = secondsPerDiv;
    return RenderChannel(sine, none, 1, frontEnd, timing);
}

} // namespace

TEST(SpectrumOfSimulatedSine, PeaksInThePredictedBinInEveryWindow) {
    constexpr double kFrequency = 10000.0;
    for (int horizTb : {14, 15, 16}) { // 80 us, 200 us, 400 us per division
        const double secondsPerDiv = static_cast<double>(CalcTimeBase(horizTb)) * 1e-9;
        const double fdivHz = static_cast<double>(CalcFqBase(32 - horizTb)) / 1000.0;
        const double predicted = kFrequency * 1024.0 / (10.0 * fdivHz);
        const std::vector<std::uint8_t> record = RenderSine(secondsPerDiv);
        const SpectrumInput input = SpectrumInputFromRecord(record.data(), record.size());
        for (int window : {kWindowFlatTop, kWindowRectangular, kWindowHanning, kWindowTriangular}) {
            std::array<std::int32_t, kSpectrumBins> db{};
            ASSERT_EQ(ComputeSpectrumDb(db, input, window), 0);
            // Skip the bins next to 0 Hz, where the record's offset lies.
            const auto peak = std::max_element(db.begin() + 3, db.end());
            // The flat-top's main lobe is flat over several bins in whole decibels.
            const double tolerance = window == kWindowFlatTop ? 2.0 : 1.0;
            EXPECT_NEAR(peak - db.begin(), predicted, tolerance) << "HORIZ-TB " << horizTb << " window " << window;
            EXPECT_GE(db[static_cast<std::size_t>(std::lround(predicted))], *peak - 1) << window;
            EXPECT_GT(*peak, db[static_cast<std::size_t>(2 * predicted + 6)] + 20) << window;
        }
    }
}

TEST(ArithmeticTrace, PeakOnTheEdgesAndSentinelAboveTheArea) {
    const auto rows = [](const ArithmeticResult& r, int height) {
        std::vector<int> all;
        for (std::size_t i = 0; i < r.Size(); ++i) all.push_back(ArithmeticTraceRow(r, i, height));
        return all;
    };
    const auto bytes = [](std::vector<int> counts) {
        std::vector<std::uint8_t> r;
        for (int c : counts) r.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(c)));
        return r;
    };
    // Quotients 30, -30, 0, 15, a zero divisor, 0: the peak 30 on the top row.
    const auto x = bytes({30, -30, 0, 15, 50, 0}), y = bytes({1, 1, 1, 1, 0, 1});
    const ArithmeticResult r = ComputeArithmetic({x, y, 1.0, 1.0}, kInputCH1, kInputCH2, kArithDivide);
    EXPECT_EQ(rows(r, 200), (std::vector<int>{0, 200, 100, 50, kArithmeticSentinelRow, 100}));
    // Nothing but 0 and a zero divisor: peak 0, the trace on the middle row.
    const auto zero = bytes({0, 5}), divisor = bytes({1, 0});
    const ArithmeticResult flat = ComputeArithmetic({zero, divisor, 1.0, 1.0}, kInputCH1, kInputCH2, kArithDivide);
    EXPECT_EQ(rows(flat, 201), (std::vector<int>{100, kArithmeticSentinelRow}));
}

TEST(SpectrumCsv, OneLinePerBinInHertzAndDecibels) {
    std::array<std::int32_t, kSpectrumBins> db;
    db.fill(-70);
    db[1] = 36;
    // 50 kHz per division: ten divisions over 1024 bins, 488.28125 Hz apart.
    const std::string csv = SpectrumCsv(db, 5.0e7f);
    EXPECT_EQ(csv.rfind("Frequency(Hz),Magnitude(dB)\n0.000,-70\n488.281,36\n976.562,-70\n", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1025);
    EXPECT_NE(csv.find("\n499511.719,-70\n"), std::string::npos); // bin 1023
}
