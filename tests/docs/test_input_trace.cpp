// The input-signal trace: its axis labels and the runs of its red line.
#include "docs/InputTrace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::uint8_t Byte(int count) { return static_cast<std::uint8_t>(static_cast<std::int8_t>(count)); }

template <class Labels>
std::vector<std::string> AsVector(const Labels& labels) {
    return {labels.begin(), labels.end()};
}

} // namespace

TEST(InputTrace, LabelsFollowPrefixTablesAndStepUpAtOneThousand) {
    struct Case {
        InputTraceScale scale;
        std::vector<std::string> time, volts;
    };
    const std::vector<Case> cases = {
        // Time per division 0.25 s at index 25: blank prefix; 200 mV at x100
        // (index 0, probe 2: millivolts) = 20 V, which steps up at once.
        {{25, 250000000.0f, 2, 0, 200},
         {"0 ", "0.25 ", "0.5 ", "0.75 ", "1 ", "1.25 "},
         {"-80 ", "-40 ", "0 ", "40 ", "80 "}},
        // 400 ns at index 6 (ns): 2000 ns steps up to us from label 5 on;
        // 5 mV x1 at index 1 (mV).
        {{6, 400.0f, 0, 1, 5},
         {"0n", "400n", "800n", "1.2u", "1.6u", "2u"},
         {"-20m", "-10m", "0m", "10m", "20m"}},
        // Three non-zero decimals keep no prefix: 1.125 ms; 2 V x1000 at
        // index 9 (k): 2000 V per division = 2 kV.
        {{16, 1125000.0f, 3, 9, 2000},
         {"0m", "1.125", "2.25m", "3.375", "4.5m", "5.625"},
         {"-8k", "-4k", "0k", "4k", "8k"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AsVector(InputTimeLabels(c.scale)), c.time) << c.scale.timePerDivision;
        EXPECT_EQ(AsVector(InputVoltLabels(c.scale)), c.volts) << c.scale.voltsPerDivision;
    }
}

TEST(InputTrace, OutOfRangeSamplesBreakTheLine) {
    // Four samples over 2500 columns: x = i * 625.
    const std::vector<std::uint8_t> record = {Byte(0), Byte(101), Byte(-100), Byte(20)};
    const auto runs = InputTraceRuns(record);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (std::vector<TracePoint>{{0, 100}}));
    EXPECT_EQ(runs[1], (std::vector<TracePoint>{{1250, 200}, {1875, 80}}));

    const std::vector<std::uint8_t> flat(3200, 0);
    const auto line = InputTraceRuns(flat);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].size(), 3200u);
    EXPECT_EQ(line[0].back(), (TracePoint{3199 * 2500 / 3200, 100}));
    for (const TracePoint& p : line[0]) EXPECT_EQ(p.y, 100);

    EXPECT_TRUE(InputTraceRuns(std::vector<std::uint8_t>(5, Byte(-128))).empty());
}
