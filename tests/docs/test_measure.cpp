// The measurement engine against signals whose truth is known: the simulated
// instrument's pulses and sines (frequency, duty, levels from the signal
// description, tolerances of one sample period and one count), and records
// built so that a wrong rank, crossing rule or dead band shows.
#include "docs/WaveformMeasure.h"
#include "sim/SignalRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

struct Scope {
    double voltsPerDiv;     // V
    int position;           // counts
    double secondsPerDiv;
    int length = 3200;
};

constexpr double kGrid = 16.0;

std::vector<uint8_t> Render(const std::string& signal, const Scope& s) {
    SignalSpec shape, none;
    std::string error;
    EXPECT_TRUE(ParseSignalSpec(signal, &shape, &error)) << error;
    ChannelFrontEnd fe;
    fe.voltsPerDiv = s.voltsPerDiv;
    fe.positionCounts = s.position;
    AcquisitionTiming t;
    t.secondsPerDiv = s.secondsPerDiv;
    t.gridDivisions = kGrid;
    t.recordLength = s.length;
    t.trigger.levelVolts = shape.offset;
    return RenderChannel(shape, none, 1, fe, t);
}

MeasureResult Measure(const std::vector<uint8_t>& record, const Scope& s) {
    MeasureInput in;
    in.samples = record.data();
    in.count = record.size();
    in.position = s.position;
    in.voltsPerDiv = s.voltsPerDiv * 1e6;
    in.timePerDiv = s.secondsPerDiv * 1e9;
    in.samplesPerDiv = static_cast<int>(s.length / kGrid);
    return MeasureWaveform(in);
}

double SampleNs(const Scope& s) { return s.secondsPerDiv * 1e9 * kGrid / s.length; }
double CountUv(const Scope& s) { return s.voltsPerDiv * 1e6 / 25.0; }

const std::string& Text(const MeasureResult& r, MEASURE_SLOT slot) {
    for (int k = 0; k < kMeasureItemCount; ++k)
        if (kMeasureItems[static_cast<size_t>(k)].slot == slot) return r.text[static_cast<size_t>(k)];
    static const std::string none;
    return none;
}

// A record of counts, in a fixed shuffled order when asked.
std::vector<uint8_t> Bytes(const std::vector<int>& counts) {
    std::vector<uint8_t> b;
    for (int c : counts) b.push_back(static_cast<uint8_t>(static_cast<int8_t>(c)));
    return b;
}

}  // namespace

TEST(MeasureEngine, SimulatedPulsesGiveTheirTimingAndLevels) {
    struct Case {
        const char* signal;
        double frequency, duty, high, low;  // truth of the signal
        Scope scope;
    };
    const Case cases[] = {
        {"pulse:1k:3:0.5:duty=25", 1000, 0.25, 2.0, -1.0, {1.0, 10, 200e-6}},
        {"pulse:2.5k:1:0.1:duty=60", 2500, 0.60, 0.6, -0.4, {0.2, -20, 100e-6}},
        {"square:10k:3.3:1.65", 10000, 0.5, 3.3, 0.0, {1.0, -40, 20e-6, 4000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.signal);
        const Scope& s = c.scope;
        const MeasureResult r = Measure(Render(c.signal, s), s);
        ASSERT_EQ(r.ok, 1);
        const float* v = r.value.value;
        const double period = 1e9 / c.frequency, dt = SampleNs(s), count = CountUv(s);
        EXPECT_NEAR(v[MES_PERIOD], period, dt);
        EXPECT_NEAR(v[MES_FREQUENCY], c.frequency, c.frequency * dt / period);
        EXPECT_NEAR(v[MES_POS_PULSE_WIDTH], period * c.duty, dt);
        EXPECT_NEAR(v[MES_NEG_PULSE_WIDTH], period * (1 - c.duty), dt);
        EXPECT_NEAR(v[MES_POS_DUTY], c.duty, dt / period);
        EXPECT_NEAR(v[MES_NEG_DUTY], 1 - c.duty, dt / period);
        for (MEASURE_SLOT high : {MES_VMAX, MES_VTOP}) EXPECT_NEAR(v[high], c.high * 1e6, count);
        for (MEASURE_SLOT low : {MES_VMIN, MES_VBASE}) EXPECT_NEAR(v[low], c.low * 1e6, count);
        for (MEASURE_SLOT amp : {MES_VPP, MES_VAMP}) EXPECT_NEAR(v[amp], (c.high - c.low) * 1e6, count);
        // Ideal edges: one sample from the last low to the first high sample.
        EXPECT_NEAR(v[MES_RISE_TIME], dt, 1e-3);
        EXPECT_NEAR(v[MES_FALL_TIME], dt, 1e-3);
        EXPECT_NEAR(v[MES_SLEW_RATE], (c.high - c.low) * 1e6 * 1000 / dt, count * 1000 / dt);
        // Over one period: high for duty × period, mean of the two levels.
        EXPECT_NEAR(v[MES_VTOP_TIME], period * c.duty, dt);
        EXPECT_NEAR(v[MES_CMEAN], (c.high * c.duty + c.low * (1 - c.duty)) * 1e6, count);
        char duty[16];
        std::snprintf(duty, sizeof duty, "%3.0f %%", c.duty * 100);
        EXPECT_EQ(Text(r, MES_POS_DUTY), duty);
    }
}

TEST(MeasureEngine, SineOverWholePeriodsGivesItsRmsAndMean) {
    // 16 divisions of 250 us hold exactly four periods of 1 kHz.
    const Scope s{0.5, 15, 250e-6};
    for (double offset : {0.0, 0.3, -0.7}) {
        SCOPED_TRACE(offset);
        const std::string signal = "sine:1k:2:" + std::to_string(offset);
        const MeasureResult r = Measure(Render(signal, s), s);
        const double amplitude = 1.0;
        EXPECT_NEAR(r.value.value[MES_VRMS], std::sqrt(offset * offset + amplitude * amplitude / 2) * 1e6, CountUv(s));
        EXPECT_NEAR(r.value.value[MES_VAVG], offset * 1e6, CountUv(s));
        EXPECT_NEAR(r.value.value[MES_FREQUENCY], 1000, 1000 * SampleNs(s) / 1e6);
    }
}

TEST(MeasureEngine, FlatLineAndScanShowQuestionMarks) {
    const Scope s{1.0, 0, 200e-6};
    const MeasureResult flat = Measure(Render("dc:0.5", s), s);
    ASSERT_EQ(flat.ok, 1);
    const MEASURE_SLOT unknown[] = {MES_FREQUENCY, MES_PERIOD,     MES_RISE_TIME,  MES_FALL_TIME, MES_POS_PULSE_WIDTH,
                                    MES_NEG_PULSE_WIDTH, MES_POS_DUTY, MES_NEG_DUTY, MES_VTOP_TIME, MES_VBASE_TIME,
                                    MES_RISE_WIDTH, MES_FALL_WIDTH, MES_CMEAN,     MES_VCRMS,     MES_SLEW_RATE,
                                    MES_OVERSHOOT,  MES_PRESHOOT};
    for (MEASURE_SLOT slot : unknown) {
        EXPECT_EQ(Text(flat, slot), "?") << "slot " << slot;
        EXPECT_EQ(flat.value.value[slot], 0.0f) << "slot " << slot;
    }
    // 0.5 V is 12.5 counts: the simulator rounds it to 13 (520 mV).
    for (MEASURE_SLOT level : {MES_VAVG, MES_VMAX, MES_VMIN, MES_VTOP, MES_VBASE, MES_VRMS})
        EXPECT_EQ(Text(flat, level), "520 mv") << "slot " << level;
    EXPECT_EQ(Text(flat, MES_VPP), "0.00 v");

    MeasureInput scan;
    const std::vector<uint8_t> record = Render("sine:1k:2", s);
    scan.samples = record.data();
    scan.count = record.size();
    scan.voltsPerDiv = 1e6;
    scan.timePerDiv = 200000;
    scan.scan = true;
    const MeasureResult r = MeasureWaveform(scan);
    EXPECT_EQ(std::count(r.text.begin(), r.text.end(), "?"), kMeasureItemCount);
    EXPECT_EQ(ShownMeasureText(kSlewRateItem, "?"), "?");
    EXPECT_EQ(ShownMeasureText(kSlewRateItem, "3.00 v"), "3.00 v/us");
}

TEST(MeasureEngine, TopAndBaseAreTheFiveAndNinetyFivePercentRanks) {
    // Sorted: 160 × -100, then -60 (element 160), 2878 × 0, 70 (element
    // 3039), 160 × 100. A neighbouring rank would give -100, 0 or 100.
    std::vector<int> counts(160, -100);
    counts.push_back(-60);
    counts.insert(counts.end(), 2878, 0);
    counts.push_back(70);
    counts.insert(counts.end(), 160, 100);
    ASSERT_EQ(counts.size(), 3200u);
    std::shuffle(counts.begin(), counts.end(), std::mt19937(7));
    const std::vector<uint8_t> record = Bytes(counts);
    MeasureInput in;
    in.samples = record.data();
    in.count = record.size();
    in.position = 5;
    in.voltsPerDiv = 25000;  // 1000 µV per count
    in.timePerDiv = 1000;
    const MeasureResult r = MeasureWaveform(in);
    EXPECT_FLOAT_EQ(r.value.value[MES_VBASE], -65000);
    EXPECT_FLOAT_EQ(r.value.value[MES_VTOP], 65000);
    EXPECT_FLOAT_EQ(r.value.value[MES_VAMP], 130000);
    EXPECT_FLOAT_EQ(r.value.value[MES_OVERSHOOT], 30000.0f / 130000.0f);
    EXPECT_FLOAT_EQ(r.value.value[MES_PRESHOOT], 40000.0f / 130000.0f);
    EXPECT_EQ(Text(r, MES_OVERSHOOT), "23.08 %");
}

TEST(MeasureEngine, CrossingCountsAndTheDeadBand) {
    // Mid level 0 (extremes ±40). The record: 1000 samples wiggling by
    // ±w around the mid level, a pulse of 500 samples at +40, 1000 samples
    // wiggling, a dip of 300 samples at -40, the rest wiggling.
    auto record = [](int wiggle) {
        std::vector<int> c;
        auto wiggling = [&](int n) {
            for (int i = 0; i < n; ++i) c.push_back(i % 2 ? wiggle : -wiggle);
        };
        wiggling(1000);
        c.insert(c.end(), 500, 40);
        wiggling(1000);
        c.insert(c.end(), 300, -40);
        wiggling(400);
        return Bytes(c);
    };
    auto measure = [](const std::vector<uint8_t>& b) {
        MeasureInput in;
        in.samples = b.data();
        in.count = b.size();
        in.voltsPerDiv = 25000;
        in.timePerDiv = 200;  // 1 ns per sample
        return MeasureWaveform(in);
    };
    // Within the dead band (±3) the wiggle adds nothing: two crossings, at
    // the last sample at or below the mid level before the pulse (998, a -3)
    // and the last at or above it before the dip (2499, a +3). No period; the
    // one pulse's middle sample (a -3) is below the mid level: negative.
    const MeasureResult quiet = measure(record(3));
    EXPECT_FLOAT_EQ(quiet.value.value[MES_NEG_PULSE_WIDTH], 1501);
    EXPECT_EQ(quiet.value.value[MES_POS_PULSE_WIDTH], 0);
    EXPECT_EQ(quiet.value.value[MES_PERIOD], 0);
    // One count more and every wiggle crosses: period of two samples.
    const MeasureResult noisy = measure(record(4));
    EXPECT_FLOAT_EQ(noisy.value.value[MES_PERIOD], 2);

    // Exactly two crossings: only the one pulse has a width, no period.
    std::vector<int> two(1000, -50);
    two.insert(two.end(), 1000, 50);
    two.insert(two.end(), 1200, -50);
    const MeasureResult r = measure(Bytes(two));
    EXPECT_FLOAT_EQ(r.value.value[MES_POS_PULSE_WIDTH], 1000);
    EXPECT_EQ(r.value.value[MES_NEG_PULSE_WIDTH], 0);
    EXPECT_EQ(r.value.value[MES_PERIOD], 0);
    EXPECT_EQ(Text(r, MES_POS_PULSE_WIDTH), "1.000 us");
    for (MEASURE_SLOT slot : {MES_PERIOD, MES_FREQUENCY, MES_NEG_PULSE_WIDTH, MES_POS_DUTY, MES_CMEAN})
        EXPECT_EQ(Text(r, slot), "?") << "slot " << slot;

    // A deep record that starts high: its one fall is found in one pass.
    std::vector<int> deep(400000, 50);
    deep.insert(deep.end(), 400000, -50);
    const MeasureResult d = measure(Bytes(deep));
    EXPECT_EQ(d.value.value[MES_PERIOD], 0);
    EXPECT_FLOAT_EQ(d.value.value[MES_FALL_TIME], 1);
}

TEST(MeasureEngine, LevelsMatchASortedCopyAndPlainSums) {
    // Lengths around the engine's vector width (32) and block (4064) and a
    // deep one; every count from -128 to 127; flat records at the extremes,
    // where the running sums of a block are largest.
    std::mt19937 random(19);
    auto noise = [&](size_t n, int low, int high) {
        std::uniform_int_distribution<int> pick(low, high);
        std::vector<int> c(n);
        for (int& v : c) v = pick(random);
        return c;
    };
    auto twoLevel = [&](size_t n) {
        std::vector<int> c = noise(n, 0, 99);
        for (int& v : c) v = v < 30 ? -20 : 90;
        return c;
    };
    struct Case {
        const char* what;
        std::vector<int> counts;
        int position;
    };
    const Case cases[] = {
        {"one sample", {-7}, 0},
        {"noise, 31", noise(31, -128, 127), 3},
        {"noise, 33", noise(33, -128, 127), -100},
        {"noise, 4065", noise(4065, -128, 127), 37},
        {"noise, 200003", noise(200003, -128, 127), -5},
        {"narrow noise, 8127", noise(8127, -42, -38), 0},
        {"flat -128, 8129", std::vector<int>(8129, -128), 0},
        {"flat 127, 4064", std::vector<int>(4064, 127), -128},
        {"two levels, 12345", twoLevel(12345), 10},
    };
    constexpr double kVoltsPerDiv = 25000;  // µV: 1000 µV per count
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> sorted = c.counts;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size(), rank = n * 5 / 100;
        int64_t sum = 0, squares = 0;
        for (int s : sorted) {
            sum += s - c.position;
            squares += int64_t{s - c.position} * (s - c.position);
        }
        auto volts = [&](int count) { return static_cast<float>((count - c.position) / 25.0 * kVoltsPerDiv); };
        const std::vector<uint8_t> record = Bytes(c.counts);
        MeasureInput in;
        in.samples = record.data();
        in.count = n;
        in.position = c.position;
        in.voltsPerDiv = kVoltsPerDiv;
        in.timePerDiv = 1000;
        const MeasureResult r = MeasureWaveform(in);
        const float* v = r.value.value;
        EXPECT_EQ(v[MES_VMIN], volts(sorted.front()));
        EXPECT_EQ(v[MES_VMAX], volts(sorted.back()));
        EXPECT_EQ(v[MES_VBASE], volts(sorted[rank]));
        EXPECT_EQ(v[MES_VTOP], volts(sorted[n - 1 - rank]));
        const double nd = static_cast<double>(n);
        EXPECT_EQ(v[MES_VAVG], static_cast<float>(static_cast<double>(sum) / nd * kVoltsPerDiv / 25));
        EXPECT_EQ(v[MES_VRMS], static_cast<float>(std::sqrt(static_cast<double>(squares) / nd) * kVoltsPerDiv / 25));
    }
}
