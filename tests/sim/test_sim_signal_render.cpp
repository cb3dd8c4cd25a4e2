// Channel records rendered from the test signals: scale, timing, trigger,
// coupling, inversion, noise and the refusal of unusable settings.
#include "sim/SignalRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

SignalSpec Wave(const std::string& text)
{
    SignalSpec wave;
    std::string error;
    EXPECT_EQ(ParseSignalSpec(text, &wave, &error), 1) << text << ": " << error;
    return wave;
}

ChannelFrontEnd FrontEnd(double voltsPerDiv, int position = 0)
{
    ChannelFrontEnd frontEnd;
    frontEnd.voltsPerDiv = voltsPerDiv;
    frontEnd.positionCounts = position;
    return frontEnd;
}

AcquisitionTiming Timing(double secondsPerDiv, double levelVolts = 0.0)
{
    AcquisitionTiming timing;
    timing.secondsPerDiv = secondsPerDiv;
    timing.trigger.levelVolts = levelVolts;
    return timing;
}

std::vector<int> Counts(const std::vector<uint8_t>& record)
{
    std::vector<int> counts;
    for (uint8_t byte : record)
        counts.push_back(static_cast<int8_t>(byte));
    return counts;
}

std::vector<int> RisingCrossings(const std::vector<int>& counts, int level)
{
    std::vector<int> at;
    for (size_t i = 1; i < counts.size(); ++i) {
        if (counts[i - 1] < level && counts[i] >= level)
            at.push_back(static_cast<int>(i));
    }
    return at;
}

TEST(SignalRender, SineSpansItsAmplitudeAndFrequency)
{
    // 1 kHz, 2 Vpp at 500 mV/div: +-1 V = +-2 divisions = +-50 counts.
    const AcquisitionTiming timing = Timing(500e-6);  // 2.5 us per sample, 8 ms record
    ASSERT_DOUBLE_EQ(SampleInterval(timing), 2.5e-6);
    const std::vector<int> counts =
        Counts(RenderChannel(Wave("sine:1k:2"), Wave("none"), 1, FrontEnd(0.5), timing));
    ASSERT_EQ(counts.size(), 3200u);
    EXPECT_EQ(*std::max_element(counts.begin(), counts.end()), 50);
    EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), -50);

    const std::vector<int> rising = RisingCrossings(counts, 0);
    ASSERT_GE(rising.size(), 7u);
    const double period = double(rising.back() - rising.front()) / double(rising.size() - 1);
    EXPECT_NEAR(period, 400.0, 0.5);  // 1 ms / 2.5 us

    // The same signal with the menu hidden covers 19.2 divisions.
    AcquisitionTiming wide = timing;
    wide.gridDivisions = 19.2;
    const std::vector<int> wideCounts =
        Counts(RenderChannel(Wave("sine:1k:2"), Wave("none"), 1, FrontEnd(0.5), wide));
    const std::vector<int> wideRising = RisingCrossings(wideCounts, 0);
    const double widePeriod =
        double(wideRising.back() - wideRising.front()) / double(wideRising.size() - 1);
    EXPECT_NEAR(widePeriod, 3200.0 / 19.2 * 2, 0.5);  // 2 divisions per period
}

TEST(SignalRender, PositionShiftsAndTheScreenEdgesClip)
{
    const AcquisitionTiming timing = Timing(500e-6);
    const SignalSpec sine = Wave("sine:1k:2");
    std::vector<int> counts = Counts(RenderChannel(sine, Wave("none"), 1, FrontEnd(0.5, 30), timing));
    EXPECT_EQ(*std::max_element(counts.begin(), counts.end()), 80);
    EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), -20);

    // 100 mV/div: +-250 counts, held at the top and bottom edges.
    counts = Counts(RenderChannel(sine, Wave("none"), 1, FrontEnd(0.1, 40), timing));
    EXPECT_EQ(*std::max_element(counts.begin(), counts.end()), kClipCounts);
    EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), -kClipCounts);

    // Far off-screen positions and huge voltages never wrap into markers.
    for (int position : {-100000, 100000}) {
        counts = Counts(RenderChannel(Wave("dc:500"), Wave("none"), 1, FrontEnd(0.002, position), timing));
        for (int c : counts)
            ASSERT_TRUE(c >= -kClipCounts && c <= kClipCounts) << c;
    }
}

TEST(SignalRender, TriggerPointSitsAtTheHorizontalPosition)
{
    AcquisitionTiming timing = Timing(200e-6, 0.5);  // 1 us per sample
    timing.triggerOffsetDiv = 2.0;
    const int at = 1600 + 400;  // centre + 2 divisions of 200 samples
    ASSERT_DOUBLE_EQ(TriggerSampleIndex(timing), at);
    const SignalSpec sine = Wave("sine:1k:2");
    const SignalSpec none = Wave("none");
    const CSignalSource source(sine);

    // The trigger time is the rising crossing of 0.5 V; the record puts it on
    // its trigger sample (0.5 V at 500 mV/div = 25 counts).
    TriggerResult trigger = FindTrigger(sine, none, FrontEnd(0.5), timing);
    EXPECT_TRUE(trigger.triggered);
    EXPECT_NEAR(source.Evaluate(trigger.time), 0.5, 1e-9);
    EXPECT_GT(source.Evaluate(trigger.time + 1e-6), 0.5);
    std::vector<int> counts = Counts(RenderChannel(sine, none, 1, FrontEnd(0.5), timing, trigger));
    EXPECT_EQ(counts[at], 25);
    EXPECT_LT(counts[at - 3], 25);
    EXPECT_GT(counts[at + 3], 25);

    timing.trigger.risingSlope = false;
    trigger = FindTrigger(sine, none, FrontEnd(0.5), timing);
    EXPECT_NEAR(source.Evaluate(trigger.time), 0.5, 1e-9);
    EXPECT_LT(source.Evaluate(trigger.time + 1e-6), 0.5);
    counts = Counts(RenderChannel(sine, none, 1, FrontEnd(0.5), timing));
    EXPECT_EQ(counts[at], 25);
    EXPECT_GT(counts[at - 3], 25);
    EXPECT_LT(counts[at + 3], 25);

    // Triggering on CH2 aligns CH1 too: a 1 kHz square on CH2 rises where the
    // 1 kHz sine on CH1 starts its period.
    timing.trigger = {2, 0.0, true};
    const SignalSpec square = Wave("square:1k:2");
    trigger = FindTrigger(sine, square, FrontEnd(1.0), timing);
    ASSERT_TRUE(trigger.triggered);
    const std::vector<int> ch1 = Counts(RenderChannel(sine, square, 1, FrontEnd(0.5), timing, trigger));
    const std::vector<int> ch2 = Counts(RenderChannel(sine, square, 2, FrontEnd(1.0), timing, trigger));
    EXPECT_EQ(ch2[at], 25);
    EXPECT_EQ(ch2[at - 1], -25);
    EXPECT_LE(std::abs(ch1[at]), 1);
    EXPECT_GT(ch1[at + 5], ch1[at]);

    // No crossing: a level beyond the signal, a DC source, a grounded source.
    timing.trigger = {1, 5.0, true};
    EXPECT_FALSE(FindTrigger(sine, none, FrontEnd(0.5), timing).triggered);
    timing.trigger = {1, 0.0, true};
    EXPECT_FALSE(FindTrigger(Wave("dc:1"), none, FrontEnd(0.5), timing).triggered);
    ChannelFrontEnd grounded = FrontEnd(0.5);
    grounded.coupling = Coupling::Gnd;
    EXPECT_FALSE(FindTrigger(sine, none, grounded, timing).triggered);
    // Free-running, the record starts at the start time.
    timing.startTime = 0.25e-3;  // the crest of the sine
    timing.trigger = {1, 5.0, true};
    counts = Counts(RenderChannel(sine, none, 1, FrontEnd(0.5), timing));
    EXPECT_EQ(counts[0], 50);
}

TEST(SignalRender, HighFrequencyAndNarrowPulsesStillTrigger)
{
    // A 1 MHz sine at 1 ms/div is far above the sample rate; the search steps
    // finer than the signal and still finds an edge.
    AcquisitionTiming timing = Timing(1e-3, 0.5);
    EXPECT_TRUE(FindTrigger(Wave("sine:1M:2"), Wave("none"), FrontEnd(0.5), timing).triggered);
    // A 1 % pulse narrower than one sample.
    EXPECT_TRUE(FindTrigger(Wave("pulse:10:2:0:duty=1"), Wave("none"), FrontEnd(0.5), timing).triggered);
}

TEST(SignalRender, InvertMirrorsAboutThePositionAndCouplingActs)
{
    const AcquisitionTiming timing = Timing(500e-6);
    const SignalSpec sine = Wave("sine:1k:2:0.3");
    ChannelFrontEnd normal = FrontEnd(0.5, 20);
    ChannelFrontEnd inverted = normal;
    inverted.inverted = true;
    const TriggerResult trigger = FindTrigger(sine, Wave("none"), normal, timing);
    const std::vector<int> a = Counts(RenderChannel(sine, Wave("none"), 1, normal, timing, trigger));
    const std::vector<int> b = Counts(RenderChannel(sine, Wave("none"), 1, inverted, timing, trigger));
    for (size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(a[i] + b[i], 2 * 20) << i;

    ChannelFrontEnd grounded = normal;
    grounded.coupling = Coupling::Gnd;
    const std::vector<int> flat = Counts(RenderChannel(sine, Wave("none"), 1, grounded, timing));
    EXPECT_TRUE(std::all_of(flat.begin(), flat.end(), [](int c) { return c == 20; }));

    // AC coupling removes the mean: 1 V offset and a 25 % pulse's -0.5 V.
    ChannelFrontEnd ac = FrontEnd(0.5);
    ac.coupling = Coupling::Ac;
    std::vector<int> counts = Counts(RenderChannel(Wave("sine:1k:2:1"), Wave("none"), 1, ac, timing));
    EXPECT_EQ(*std::max_element(counts.begin(), counts.end()), 50);
    EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), -50);
    counts = Counts(RenderChannel(Wave("sine:1k:2:1"), Wave("none"), 1, FrontEnd(0.5), timing));
    EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), 0);
    counts = Counts(RenderChannel(Wave("pulse:1k:2:0:duty=25"), Wave("none"), 1, ac, timing));
    EXPECT_EQ(*std::max_element(counts.begin(), counts.end()), 75);
    EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), -25);
}

TEST(SignalRender, NoiseRepeatsWithTheSeedAndDiffersPerChannel)
{
    AcquisitionTiming timing = Timing(1e-3);
    timing.seed = 42;
    const SignalSpec noise = Wave("noise:0.1");  // 25 counts rms at 100 mV/div
    const std::vector<uint8_t> first = RenderChannel(noise, noise, 1, FrontEnd(0.1), timing);
    EXPECT_EQ(RenderChannel(noise, noise, 1, FrontEnd(0.1), timing), first);
    EXPECT_NE(RenderChannel(noise, noise, 2, FrontEnd(0.1), timing), first);
    timing.seed = 43;
    EXPECT_NE(RenderChannel(noise, noise, 1, FrontEnd(0.1), timing), first);

    double sum = 0.0, squares = 0.0;
    for (int c : Counts(first)) {
        sum += c;
        squares += double(c) * c;
    }
    EXPECT_NEAR(sum / first.size(), 0.0, 2.0);
    EXPECT_NEAR(std::sqrt(squares / first.size()), 25.0, 2.0);
}

TEST(SignalRender, ScanModeLeavesTheUnacquiredPartMarked)
{
    AcquisitionTiming timing = Timing(100e-3);
    timing.scanMode = true;
    timing.scanFilled = 0.25;
    // A DC level of exactly -1 count must not read as the unfilled marker.
    const std::vector<uint8_t> record = RenderChannel(Wave("dc:-0.04"), Wave("none"), 1, FrontEnd(1.0), timing);
    ASSERT_EQ(record.size(), 3200u);
    EXPECT_TRUE(std::none_of(record.begin(), record.begin() + 800, [](uint8_t b) { return b == 0xFF; }));
    EXPECT_TRUE(std::all_of(record.begin() + 800, record.end(), [](uint8_t b) { return b == 0xFF; }));
    timing.scanMode = false;
    EXPECT_EQ(RenderChannel(Wave("dc:-0.04"), Wave("none"), 1, FrontEnd(1.0), timing)[0], 0xFF);
}

TEST(SignalRender, UnusableSettingsGiveAnEmptyRecord)
{
    const SignalSpec sine = Wave("sine:1k:2");
    const SignalSpec none = Wave("none");
    AcquisitionTiming timing = Timing(1e-3);
    EXPECT_TRUE(RenderChannel(sine, none, 0, FrontEnd(0.5), timing).empty());
    EXPECT_TRUE(RenderChannel(sine, none, 3, FrontEnd(0.5), timing).empty());
    EXPECT_TRUE(RenderChannel(sine, none, 1, FrontEnd(0.0), timing).empty());
    EXPECT_TRUE(RenderChannel(sine, none, 1, FrontEnd(NAN), timing).empty());
    timing.recordLength = 0;
    EXPECT_TRUE(RenderChannel(sine, none, 1, FrontEnd(0.5), timing).empty());
    timing.recordLength = kMaxRecordLength + 1;
    EXPECT_TRUE(RenderChannel(sine, none, 1, FrontEnd(0.5), timing).empty());
    timing.recordLength = 3200;
    timing.secondsPerDiv = -1.0;
    EXPECT_TRUE(RenderChannel(sine, none, 1, FrontEnd(0.5), timing).empty());
    EXPECT_FALSE(FindTrigger(sine, none, FrontEnd(0.5), timing).triggered);
    timing.secondsPerDiv = INFINITY;
    EXPECT_TRUE(RenderChannel(sine, none, 1, FrontEnd(0.5), timing).empty());
    timing.secondsPerDiv = 1e-3;
    timing.trigger.sourceChannel = 5;
    EXPECT_FALSE(FindTrigger(sine, none, FrontEnd(0.5), timing).triggered);
    EXPECT_EQ(RenderChannel(sine, none, 1, FrontEnd(0.5), timing).size(), 3200u);
}

TEST(SignalRender, ABusSpecSharesItsLinesBetweenTheChannels)
{
    const SignalSpec bus = Wave("i2c:100k");
    const SignalSpec none = Wave("none");
    const SignalSpec sine = Wave("sine:1k:2");
    int line = -1;
    EXPECT_EQ(&ResolveChannelSignal(bus, none, 1, &line), &bus);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(&ResolveChannelSignal(bus, none, 2, &line), &bus);
    EXPECT_EQ(line, 1);
    // Given on CH2 the bus still puts the clock on CH2 and the data on CH1.
    EXPECT_EQ(&ResolveChannelSignal(none, bus, 1, &line), &bus);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(&ResolveChannelSignal(none, bus, 2, &line), &bus);
    EXPECT_EQ(line, 1);
    // A channel with its own signal keeps it.
    EXPECT_EQ(&ResolveChannelSignal(bus, sine, 2, &line), &sine);
    EXPECT_EQ(line, 0);
    // line= picks the line of the channel the wave is given on.
    const SignalSpec clockFirst = Wave("spi:1M:line=clock");
    EXPECT_EQ(&ResolveChannelSignal(clockFirst, none, 1, &line), &clockFirst);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(&ResolveChannelSignal(clockFirst, none, 2, &line), &clockFirst);
    EXPECT_EQ(line, 0);
}

} // namespace
