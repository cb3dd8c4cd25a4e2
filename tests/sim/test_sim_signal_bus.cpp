// I2C and SPI signals as the bus decoders see them: rendered on both
// channels, read back edge by edge from the sample records.
#include "sim/SignalRenderer.h"

#include <gtest/gtest.h>

#include <bitset>

namespace {

struct BusRecords {
    std::vector<int> data;
    std::vector<int> clock;
};

SignalSpec Wave(const std::string& text)
{
    SignalSpec wave;
    std::string error;
    EXPECT_EQ(ParseSignalSpec(text, &wave, &error), 1) << text << ": " << error;
    return wave;
}

std::vector<int> Counts(const std::vector<uint8_t>& record)
{
    std::vector<int> counts;
    for (uint8_t byte : record)
        counts.push_back(static_cast<int8_t>(byte));
    return counts;
}

// Both lines at 500 mV/div (3.3 Vpp = +-82 counts), triggered on the first
// edge of the given channel after t = 0, at sample 100 (7.5 divisions left of
// centre).
BusRecords Render(const std::string& text, double secondsPerDiv, int triggerChannel, bool rising)
{
    const SignalSpec bus = Wave(text);
    const SignalSpec none = Wave("none");
    ChannelFrontEnd frontEnd;
    frontEnd.voltsPerDiv = 0.5;
    AcquisitionTiming timing;
    timing.secondsPerDiv = secondsPerDiv;
    timing.triggerOffsetDiv = -7.5;
    timing.trigger = {triggerChannel, 0.0, rising};
    const TriggerResult trigger = FindTrigger(bus, none, frontEnd, timing);
    EXPECT_TRUE(trigger.triggered) << text;
    return {Counts(RenderChannel(bus, none, 1, frontEnd, timing, trigger)),
            Counts(RenderChannel(bus, none, 2, frontEnd, timing, trigger))};
}

std::string Bits(unsigned value, int count)
{
    return std::bitset<32>(value).to_string().substr(32 - count);
}

// Reads an I2C record pair: "S" start or repeated start, "P" stop, else the
// data line of each clock high time. Also checks that every level swings past
// the decoders' +-40 count transition band.
std::string ReadI2c(const BusRecords& r)
{
    std::string events;
    char pending = 0;
    for (size_t i = 1; i < r.data.size(); ++i) {
        EXPECT_GT(std::abs(r.data[i]), 40) << i;
        EXPECT_GT(std::abs(r.clock[i]), 40) << i;
        const bool clockHigh = r.clock[i - 1] > 0 && r.clock[i] > 0;
        if (r.clock[i - 1] < 0 && r.clock[i] > 0)
            pending = r.data[i] > 0 ? '1' : '0';
        else if (clockHigh && r.data[i - 1] > 0 && r.data[i] < 0)
            pending = 'S';
        else if (clockHigh && r.data[i - 1] < 0 && r.data[i] > 0) {
            events += 'P';
            pending = 0;
        }
        else if (r.clock[i - 1] > 0 && r.clock[i] < 0 && pending) {
            events += pending;
            pending = 0;
        }
    }
    if (pending)
        events += pending;
    return events;
}

// Lengths, in samples, of the runs of one level of a line between its first
// and last edge.
std::vector<int> Runs(const std::vector<int>& line, bool high)
{
    std::vector<int> runs;
    size_t start = 0;
    bool seenEdge = false;
    for (size_t i = 1; i < line.size(); ++i) {
        if ((line[i - 1] > 0) == (line[i] > 0))
            continue;
        if (seenEdge && (line[i - 1] > 0) == high)
            runs.push_back(static_cast<int>(i - start));
        seenEdge = true;
        start = i;
    }
    return runs;
}

TEST(SignalBus, I2cWriteShowsStartAddressAcksDataAndStop)
{
    // 100 kbit/s at 20 us/div: 10 samples per microsecond, 100 per bit.
    const BusRecords r = Render("i2c:100k:addr=0x50:data=01,02", 20e-6, 1, false);
    EXPECT_EQ(ReadI2c(r), "S" + Bits(0xA0, 8) + "0" + Bits(0x01, 8) + "0" + Bits(0x02, 8) + "0P");

    // Clock high and low 5 us each (+-1 sample of phase): inside the decoders'
    // 4.7 us / 4.0 us +-40 %.
    const std::vector<int> high = Runs(r.clock, true), low = Runs(r.clock, false);
    // 27 bit clocks and the stop clock, whose high time runs into the idle state.
    EXPECT_EQ(low.size(), 28u);
    EXPECT_EQ(high.size(), 27u);
    for (int run : high)
        EXPECT_NEAR(run, 50, 1);
    for (int run : low)
        EXPECT_NEAR(run, 50, 1);

    // Start: SCL high at least 4.7 us before the SDA fall and 4.0 us after it.
    const int fall = 100;  // the trigger sample
    EXPECT_GT(r.data[fall - 1], 0);
    EXPECT_LT(r.data[fall], 0);
    for (int i = fall - 47; i < fall + 40; ++i)
        ASSERT_GT(r.clock[i], 0) << i;
    // Stop: SDA rises at least 4.0 us after SCL went high.
    size_t stop = 0;
    for (size_t i = fall + 1; i < r.data.size() && !stop; ++i) {
        if (r.clock[i] > 0 && r.data[i - 1] < 0 && r.data[i] > 0)
            stop = i;
    }
    ASSERT_GT(stop, 0u);
    for (size_t i = stop - 40; i < stop; ++i)
        ASSERT_GT(r.clock[i], 0) << i;
}

TEST(SignalBus, I2cReadNacksTheLastByteAndAckPatternsOverride)
{
    EXPECT_EQ(ReadI2c(Render("i2c:100k:addr=0x50:rw=r:data=11,22", 20e-6, 1, false)),
              "S" + Bits(0xA1, 8) + "0" + Bits(0x11, 8) + "0" + Bits(0x22, 8) + "1P");
    EXPECT_EQ(ReadI2c(Render("i2c:100k:addr=0x50:data=33:ack=N:gap=40", 20e-6, 1, false)),
              "S" + Bits(0xA0, 8) + "1" + Bits(0x33, 8) + "0P");
}

TEST(SignalBus, I2cTenBitAddressAndRepeatedStart)
{
    // 10-bit address 0x1A3: prefix 11110 + A9 A8 + W, then A7 ... A0.
    EXPECT_EQ(ReadI2c(Render("i2c:100k:addr=0x1A3:data=55", 20e-6, 1, false)),
              "S" + Bits(0xF2, 8) + "0" + Bits(0xA3, 8) + "0" + Bits(0x55, 8) + "0P");
    // A 10-bit read writes both address bytes, then repeats the start with the read bit.
    EXPECT_EQ(ReadI2c(Render("i2c:100k:addr=0x1A3:rw=r:data=66:gap=40", 40e-6, 1, false)),
              "S" + Bits(0xF2, 8) + "0" + Bits(0xA3, 8) + "0" + "S" + Bits(0xF3, 8) + "0" +
                  Bits(0x66, 8) + "1P");
    // Register write, repeated start, read.
    const BusRecords r = Render("i2c:100k:addr=0x68:data=75,68:restart=1:gap=40", 40e-6, 1, false);
    EXPECT_EQ(ReadI2c(r), "S" + Bits(0xD0, 8) + "0" + Bits(0x75, 8) + "0" + "S" + Bits(0xD1, 8) +
                              "0" + Bits(0x68, 8) + "1P");
    // The repeated start keeps SCL high for 5 us on each side of the SDA fall
    // (5 samples per microsecond here).
    size_t restart = 0;
    for (size_t i = 101; i < r.data.size() && !restart; ++i) {
        if (r.clock[i] > 0 && r.data[i - 1] > 0 && r.data[i] < 0)
            restart = i;
    }
    ASSERT_GT(restart, 0u);
    for (size_t k = restart - 24; k < restart + 20; ++k)
        ASSERT_GT(r.clock[k], 0) << k;
}

// Reads an SPI record pair at the sampling edges of the mode; also checks
// that the data line never changes on a sampling edge.
std::string ReadSpi(const BusRecords& r, int cpol, int cpha, int* edges)
{
    const bool sampleOnRise = cpol == cpha;
    std::string bits;
    *edges = 0;
    EXPECT_EQ(r.clock[0] > 0, cpol == 1) << "idle clock level";
    for (size_t i = 1; i < r.clock.size(); ++i) {
        const bool rise = r.clock[i - 1] < 0 && r.clock[i] > 0;
        const bool fall = r.clock[i - 1] > 0 && r.clock[i] < 0;
        *edges += rise || fall;
        if ((rise && sampleOnRise) || (fall && !sampleOnRise)) {
            bits += r.data[i] > 0 ? '1' : '0';
            EXPECT_EQ(r.data[i] > 0, r.data[i - 1] > 0) << "data moves on a sampling edge at " << i;
        }
    }
    return bits;
}

TEST(SignalBus, SpiClockEdgesFollowPolarityAndPhase)
{
    // 1 Mbit/s at 2 us/div: 100 samples per bit; two words and their gaps fit.
    for (int mode = 0; mode < 4; ++mode) {
        const int cpol = mode / 2, cpha = mode % 2;
        const bool leadingRises = cpol == 0;
        const BusRecords r = Render("spi:1M:mode=" + std::to_string(mode) + ":data=A5,3C:gap=20", 2e-6, 2,
                                    leadingRises);
        int edges = 0;
        EXPECT_EQ(ReadSpi(r, cpol, cpha, &edges), Bits(0xA5, 8) + Bits(0x3C, 8)) << "mode " << mode;
        EXPECT_EQ(edges, 32) << "mode " << mode;
        for (int run : Runs(r.clock, cpol == 0))
            ASSERT_NEAR(run, 50, 1) << "mode " << mode;  // active half of each bit
    }
    int edges = 0;
    const BusRecords wide = Render("spi:1M:bits=12:data=ABC:gap=20", 2e-6, 2, true);
    EXPECT_EQ(ReadSpi(wide, 0, 0, &edges), Bits(0xABC, 12));
    EXPECT_EQ(edges, 24);
}

} // namespace
