// Records fetched over the simulated cable have the amplitude and frequency
// of the signal at the probe tip, on the instrument's scales.
#include <gtest/gtest.h>

#include <algorithm>

#include "sim/SimKeyLayout.h"
#include "test_sim_harness.h"

namespace {

// The samples of one channel's transfer, as signed counts (25 per division).
std::vector<int> FetchRecord(SimBench& bench, std::uint8_t channel) {
    std::vector<int> counts;
    for (const Bytes& p : bench.Send(2, {1, channel}))
        if (p[4] == 1)
            for (std::size_t i = 6; i + 1 < p.size(); ++i)
                counts.push_back(static_cast<std::int8_t>(p[i]));
    return counts;
}

// Sample indices where the record rises through level.
std::vector<std::size_t> RisingCrossings(const std::vector<int>& r, int level) {
    std::vector<std::size_t> at;
    for (std::size_t i = 1; i < r.size(); ++i)
        if (r[i - 1] < level && r[i] >= level)
            at.push_back(i);
    return at;
}

}  // namespace

TEST(SimRecords, SineHasItsAmplitudeAndPeriodOnTheScales) {
    SimBench bench("ch1=sine:1k:2,ch2=square:10k:3.3:1.65");
    bench.sim->WithState([](SimState& s) {
        s.block.Set("VERT-CH1-VB", 7);   // 500 mV/div
        s.block.Set("VERT-CH1-POS", 0);
        s.block.Set("TRIG-VPOS", 0);
    });
    const std::vector<int> ch1 = FetchRecord(bench, 0);
    ASSERT_EQ(ch1.size(), 3200u);
    EXPECT_NEAR(*std::max_element(ch1.begin(), ch1.end()), 50, 1);   // +1 V = 2 divisions
    EXPECT_NEAR(*std::min_element(ch1.begin(), ch1.end()), -50, 1);
    // 200 us/div over 16 divisions: 1 us a sample, 1000 samples a period.
    const std::vector<std::size_t> rising = RisingCrossings(ch1, 0);
    ASSERT_GE(rising.size(), 3u);
    EXPECT_NEAR(static_cast<double>(rising[1] - rising[0]), 1000.0, 2.0);
    EXPECT_NEAR(static_cast<double>(rising[2] - rising[1]), 1000.0, 2.0);
    // Triggered at the record centre on the rising edge through 0 V.
    EXPECT_TRUE(std::find_if(rising.begin(), rising.end(),
                             [](std::size_t i) { return i >= 1598 && i <= 1602; }) != rising.end());

    // CH2: a 0 ... 3.3 V square at 1 V/div around position -50.
    const std::vector<int> ch2 = FetchRecord(bench, 1);
    ASSERT_EQ(ch2.size(), 3200u);
    EXPECT_EQ(*std::min_element(ch2.begin(), ch2.end()), -50);
    EXPECT_NEAR(*std::max_element(ch2.begin(), ch2.end()), -50 + 82, 1);
    const std::vector<std::size_t> edges = RisingCrossings(ch2, -9);
    ASSERT_GE(edges.size(), 30u);  // 10 kHz over 3.2 ms: 32 periods of 100 samples
    EXPECT_NEAR(static_cast<double>(edges[10] - edges[0]) / 10.0, 100.0, 0.5);
}

TEST(SimRecords, ProbeScaleAndStopFollowTheSettings) {
    SimBench bench("ch1=sine:1k:2");
    bench.sim->WithState([](SimState& s) {
        s.block.Set("VERT-CH1-VB", 7);
        s.block.Set("VERT-CH1-PROBE", 1);  // 10x: 5 V/div at the tip
        s.block.Set("VERT-CH1-POS", 20);
    });
    std::vector<int> r = FetchRecord(bench, 0);
    EXPECT_EQ(*std::max_element(r.begin(), r.end()), 25);
    EXPECT_EQ(*std::min_element(r.begin(), r.end()), 15);

    // Stopped, the same record comes back each time; running, the record
    // number moves on with every transfer.
    bench.sim->WithState([](SimState& s) { s.block.Set("VERT-CH1-PROBE", 0); });
    const int runStop = CSimKeyLayout::Standard().NumberOf("CT-RS-KEY");
    bench.PressKey(runStop);
    const std::vector<int> first = FetchRecord(bench, 0);
    EXPECT_EQ(FetchRecord(bench, 0), first);
    std::uint64_t before = 0, after = 0;
    bench.sim->WithState([&](SimState& s) { before = s.acquisition; });
    bench.PressKey(runStop);
    FetchRecord(bench, 0);
    bench.sim->WithState([&](SimState& s) { after = s.acquisition; });
    EXPECT_EQ(after, before + 1);

    // In read mode both channels come from one held acquisition.
    bench.Send(18, {1, 1});
    bench.sim->WithState([&](SimState& s) { before = s.acquisition; });
    FetchRecord(bench, 0);
    FetchRecord(bench, 0);
    bench.sim->WithState([&](SimState& s) { after = s.acquisition; });
    EXPECT_EQ(after, before);
}
