#include "analysis/BusFieldText.h"
#include "analysis/BusLevels.h"
#include "analysis/I2CDecoder.h"
#include "analysis/SPIDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kHigh = 80, kLow = -80; // logic levels in counts, well outside the +-40 band

std::uint8_t Byte(int count) {
    return static_cast<std::uint8_t>(static_cast<std::int8_t>(count));
}

// Two lines drawn sample by sample.
struct BusTrace {
    std::vector<std::uint8_t> clock, data;
    int clockLevel = kHigh, dataLevel = kHigh;

    void Hold(int samples) {
        for (int i = 0; i < samples; ++i) {
            clock.push_back(Byte(clockLevel));
            data.push_back(Byte(dataLevel));
        }
    }
    int Length() const { return static_cast<int>(clock.size()); }
};

// I2C timing in samples (the decoder is set to 100 ns per sample).
struct I2CTiming {
    int low = 40;         // Time2 4.0us
    int high = 50;        // Time1 5.0us
    int lowAfterAck = 40; // first clock-low after an acknowledge
};

std::vector<int> Bits(unsigned value, int count) {
    std::vector<int> bits;
    for (int i = count - 1; i >= 0; --i)
        bits.push_back((value >> i) & 1);
    return bits;
}

void ClockBit(BusTrace& t, int bit, int lowSamples, int highSamples) {
    t.clockLevel = kLow;
    t.Hold(10);
    t.dataLevel = bit ? kHigh : kLow;
    t.Hold(lowSamples - 10);
    t.clockLevel = kHigh;
    t.Hold(highSamples);
}

void I2CStart(BusTrace& t) {
    t.clockLevel = kHigh;
    t.dataLevel = kHigh;
    t.Hold(100);
    t.dataLevel = kLow;
    t.Hold(45);
}

// One byte (or address + R/W) and the acknowledge the receiver drives low.
void I2CByte(BusTrace& t, const std::vector<int>& bits, const I2CTiming& timing, bool first) {
    for (std::size_t i = 0; i < bits.size(); ++i)
        ClockBit(t, bits[i], i == 0 && !first ? timing.lowAfterAck : timing.low, timing.high);
    ClockBit(t, 0, timing.low, timing.high);
}

void I2CStop(BusTrace& t, const I2CTiming& timing) {
    t.clockLevel = kLow;
    t.Hold(10);
    t.dataLevel = kLow;
    t.Hold(timing.lowAfterAck - 10);
    t.clockLevel = kHigh;
    t.Hold(45);
    t.dataLevel = kHigh;
    t.Hold(100);
}

BusTrace I2CWrite(unsigned address, const std::vector<unsigned>& bytes, const I2CTiming& timing = {}) {
    BusTrace t;
    I2CStart(t);
    I2CByte(t, Bits(address << 1, 8), timing, true);
    for (unsigned byte : bytes)
        I2CByte(t, Bits(byte, 8), timing, false);
    I2CStop(t, timing);
    return t;
}

CI2CDecoder I2CAt100nsPerSample() {
    CI2CDecoder decoder;
    decoder.SetTime1("5.0us");
    decoder.SetTimePerDivision(100.0 * 200); // 200 samples per division
    return decoder;
}

std::vector<std::string> Labels(const CBusDecoder& decoder) {
    std::vector<std::string> labels;
    for (const BusField& f : decoder.Results())
        labels.push_back(f.label);
    return labels;
}

std::string Hex(const BusField& field) {
    return FormatFieldValue(field.BitValues(), kBaseHex);
}

} // namespace

TEST(BusLevels, MidLevelAndStrictCrossings) {
    const std::vector<std::uint8_t> swing = {Byte(-80), Byte(80), Byte(10)};
    EXPECT_EQ(MidLevel(swing.data(), 3), 0);
    const std::vector<std::uint8_t> odd = {Byte(-81), Byte(0)};
    EXPECT_EQ(MidLevel(odd.data(), 2), -40); // toward zero
    EXPECT_EQ(MidLevel(nullptr, 5), 0);

    // A sample on mid is no crossing by itself: touching mid and turning back
    // crosses nothing, passing through it crosses at the first sample beyond.
    const std::vector<std::uint8_t> touching = {Byte(-5), Byte(0), Byte(-5), Byte(0), Byte(0), Byte(5), Byte(-5)};
    EXPECT_EQ(Crossings(touching.data(), 7, 0), std::vector<int>({5, 6}));
    EXPECT_TRUE(Crossings(touching.data(), 0, 0).empty());

    // Signed reading: a swing below the centre line is a real edge.
    const std::vector<std::uint8_t> below = {Byte(-60), Byte(-60), Byte(60), Byte(60), Byte(-60)};
    const BusSignal signal = ReadBusSignal(below.data(), 5);
    ASSERT_EQ(signal.crossings, std::vector<int>({2, 4}));
    const auto rise = TransitionAt(signal, 0);
    ASSERT_TRUE(rise);
    EXPECT_TRUE(rise->rising);
    EXPECT_EQ(rise->start, 1);
    EXPECT_EQ(rise->end, 2);
    EXPECT_FALSE(TransitionAt(signal, 2));
    // A swing inside the band has no complete transition.
    const std::vector<std::uint8_t> small = {Byte(-30), Byte(30), Byte(-30)};
    EXPECT_FALSE(TransitionAt(ReadBusSignal(small.data(), 3), 0));
}

// The crossings and the block index of records full of samples on mid, of
// every length around the 64-sample blocks, against the rule read one sample
// at a time: a crossing is the first sample strictly on the other side of mid
// than the last sample off mid. The first crossing after a position comes
// out the same with a right or a wrong guess.
TEST(BusLevels, CrossingsFollowTheSampleRuleOnRandomRecords) {
    std::mt19937 random(19);
    for (int length = 1; length <= 700; length += length < 140 ? 1 : 37) {
        for (const int spread : {1, 2, 127}) {
            std::uniform_int_distribution<int> count(-spread - 1, spread);
            std::vector<std::uint8_t> record(static_cast<std::size_t>(length));
            for (auto& b : record)
                b = Byte(count(random) * (spread == 127 ? 1 : 50));
            const BusSignal signal = ReadBusSignal(record.data(), length);
            std::vector<int> counts(record.size());
            std::transform(record.begin(), record.end(), counts.begin(), [](std::uint8_t b) { return static_cast<std::int8_t>(b); });
            const auto [lowest, highest] = std::minmax_element(counts.begin(), counts.end());
            ASSERT_EQ(signal.mid, (*lowest + *highest) / 2);
            for (const int mid : {signal.mid, -130, 127, 130}) {
                std::vector<int> expected;
                int side = 0;
                for (int i = 0; i < length; ++i) {
                    const int now = counts[i] > mid ? 1 : counts[i] < mid ? -1 : 0;
                    if (now != 0 && side != 0 && now != side) expected.push_back(i);
                    if (now != 0) side = now;
                }
                ASSERT_EQ(Crossings(record.data(), length, mid), expected) << length << " " << spread << " " << mid;
                if (mid == signal.mid) {
                    ASSERT_EQ(signal.crossings, expected);
                }
            }
            const std::size_t size = signal.crossings.size();
            for (int position = -1; position <= length; ++position) {
                const auto after = static_cast<std::size_t>(
                    std::upper_bound(signal.crossings.begin(), signal.crossings.end(), position) -
                    signal.crossings.begin());
                ASSERT_EQ(FirstCrossingAfter(signal, position), after);
                for (const std::size_t guess : {std::size_t{0}, after - 1, after, after + 1, size, size + 1})
                    ASSERT_EQ(FirstCrossingAfter(signal, position, guess), after) << guess;
            }
        }
    }
}

namespace {

// The run rules of a decoder, once its settings are read.
class RunRules : public CI2CDecoder {
public:
    RunRules(double timePerDivision, const std::string& time) {
        SetTimePerDivision(timePerDivision);
        SetTime1(time);
        BeginDecode(nullptr, 0, nullptr);
    }
    using CBusDecoder::RunAtLeastNearly;
    using CBusDecoder::RunWithinTolerance;
};

} // namespace

// Whether a run of samples passes a pulse rule is found from two bounds in
// samples; it must agree with timing the run, k * time per division / 200,
// and applying the rule, at every run length (the bounds fall on a sample
// where the time is exact, and far off for huge or zero times).
TEST(BusLevels, RunRulesAgreeWithTimingEveryRun) {
    for (const double timePerDivision : {20000.0, 1000.0, 333.3, 7.0, 1e9}) {
        for (const std::string time : {"4.7us", "4.0us", "90ns", "250ns", "0.0ns", "3.3us", "1ms", "9000000000s"}) {
            const RunRules rules(timePerDivision, time);
            const std::int64_t ns = ParseTimeText(time);
            for (int samples = 0; samples <= 4000; ++samples) {
                const double runNs = samples * timePerDivision / 200;
                ASSERT_EQ(rules.RunWithinTolerance(samples, 0), PulseWithinTolerance(runNs, ns)) << time << samples;
                ASSERT_EQ(rules.RunAtLeastNearly(samples, 0), PulseAtLeastNearly(runNs, ns)) << time << samples;
            }
        }
    }
    // Bounds without overflow for the longest times a text can give.
    EXPECT_TRUE(PulseWithinTolerance(9e18 * 1.3, 9000000000000000000));
    EXPECT_FALSE(PulseAtLeastNearly(9e18 * 0.9, 9000000000000000000));
}

TEST(BusLevels, TimeTextsAndPulseRules) {
    EXPECT_EQ(ParseTimeText("250ns"), 250);
    EXPECT_EQ(ParseTimeText("4.7us"), 4700);
    EXPECT_EQ(ParseTimeText("1ms"), 1000000);
    EXPECT_EQ(ParseTimeText("2S"), 2000000000);
    EXPECT_EQ(ParseTimeText("0.0ns"), 0);
    EXPECT_EQ(ParseTimeText("5"), 0);
    EXPECT_EQ(ParseTimeText("4.7u"), 0);
    EXPECT_EQ(ParseTimeText("fastus"), 0);
    EXPECT_EQ(ParseTimeText(""), 0);
    EXPECT_EQ(ParseTimeText("1e300s"), 0);

    EXPECT_TRUE(PulseWithinTolerance(2820, 4700)); // 60 %
    EXPECT_TRUE(PulseWithinTolerance(6580, 4700)); // 140 %
    EXPECT_FALSE(PulseWithinTolerance(2819, 4700));
    EXPECT_FALSE(PulseWithinTolerance(6581, 4700));
    EXPECT_TRUE(PulseAtLeastNearly(3800, 4000));
    EXPECT_FALSE(PulseAtLeastNearly(3799, 4000));
}

TEST(BusLevels, FieldValuesAndAddressKinds) {
    const auto a5 = Bits(0xA5, 8);
    EXPECT_EQ(FormatFieldValue(a5, kBaseBinary), "10100101");
    EXPECT_EQ(FormatFieldValue(a5, kBaseOctal), "245");
    EXPECT_EQ(FormatFieldValue(a5, kBaseDecimal), "165");
    EXPECT_EQ(FormatFieldValue(a5, kBaseHex), "A5");
    EXPECT_EQ(FormatFieldValue(Bits(5, 8), kBaseBinary), "00000101");
    EXPECT_EQ(FormatFieldValue({}, kBaseHex), "0");

    EXPECT_EQ(ClassifyAddress(std::vector<int>{1, 1, 1, 1, 0, 1, 1, 0}), kAddrTenBit);
    EXPECT_EQ(ClassifyAddress(std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0}), kAddrBroadcast);
    EXPECT_EQ(ClassifyAddress(std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1}), kAddrStartByte);
    EXPECT_EQ(ClassifyAddress(std::vector<int>{0, 0, 0, 0, 0, 0, 1, 1}), kAddrCbus);
    EXPECT_EQ(ClassifyAddress(std::vector<int>{0, 0, 0, 0, 1, 0, 1, 0}), kAddrHighSpeed);
    EXPECT_EQ(ClassifyAddress(std::vector<int>{1, 0, 1, 0, 0, 0, 0, 1}), kAddrSimple);
    EXPECT_EQ(ClassifyAddress(std::vector<int>{1, 1}), kAddrSimple);
}

TEST(I2CDecoder, ReadsAddressDataAndStop) {
    // Levels of -80 and +80 counts: the low level lies below the centre line
    // and must read as a negative count for the edges to span the band.
    const BusTrace t = I2CWrite(0x50, {0xA5, 0x3C});
    CI2CDecoder decoder = I2CAt100nsPerSample();
    ASSERT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1) << decoder.Status();
    EXPECT_EQ(decoder.FrameCount(), 1);
    ASSERT_EQ(Labels(decoder), (std::vector<std::string>{"Addr:", "Data:", "Data:", "Stop"}));
    const auto& fields = decoder.Results();
    EXPECT_EQ(FormatFieldValue(fields[0].BitValues(), kBaseBinary), "10100000"); // 0x50, write
    EXPECT_EQ(Hex(fields[1]), "A5");
    EXPECT_EQ(Hex(fields[2]), "3C");
    EXPECT_EQ(fields[1].ack, 0);
    EXPECT_LT(fields[0].start, fields[1].start);
    EXPECT_EQ(fields[1].bits[0].width, 21); // a one-sample edge plus 20
}

TEST(I2CDecoder, ABitWindowOfFourWithTwoSamplesHighReadsOne) {
    BusTrace t = I2CWrite(0x50, {0xA5});
    // The first SCL rise after the start: a ramp whose 10 %..90 % window
    // holds four samples, SDA below the mid-level in the first two of them.
    int r = 146;
    while (static_cast<std::int8_t>(t.clock[r]) < 0 || static_cast<std::int8_t>(t.clock[r - 1]) > 0)
        ++r;
    const int ramp[] = {-45, -10, 30, 45};
    for (int i = 0; i < 4; ++i) {
        t.clock[r - 1 + i] = Byte(ramp[i]);
        t.data[r - 1 + i] = Byte(i < 2 ? kLow : kHigh);
    }
    CI2CDecoder decoder = I2CAt100nsPerSample();
    ASSERT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1) << decoder.Status();
    ASSERT_FALSE(decoder.Results().empty());
    const BusField& address = decoder.Results()[0];
    EXPECT_EQ(address.bits[0].width, 3 + 20); // window from sample r-1 to r+2
    EXPECT_EQ(address.bits[0].value, 1);
    EXPECT_EQ(Hex(address), "A0");
}

TEST(I2CDecoder, LevelsFromTheRecordFollowAShiftedSwing) {
    // The instrument shows CH1 two divisions up: the lines swing 10 .. 90
    // counts, so the fixed band (-40 .. +40) sees no transition at all.
    BusTrace t = I2CWrite(0x50, {0xA5});
    for (auto* line : {&t.clock, &t.data})
        for (std::uint8_t& b : *line)
            b = Byte(static_cast<std::int8_t>(b) > 0 ? 90 : 10);
    CI2CDecoder decoder = I2CAt100nsPerSample();
    EXPECT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 0);
    decoder.SetBandOffset(std::nullopt);
    ASSERT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1) << decoder.Status();
    ASSERT_EQ(Labels(decoder), (std::vector<std::string>{"Addr:", "Data:", "Stop"}));
    EXPECT_EQ(Hex(decoder.Results()[1]), "A5");
    // A fixed band that matches the swing: a = 100 - 50.
    decoder.SetBandOffset(50);
    EXPECT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1);
}

TEST(I2CDecoder, RepeatedStartBeginsANewFrame) {
    BusTrace t;
    const I2CTiming timing;
    I2CStart(t);
    I2CByte(t, Bits(0x50 << 1, 8), timing, true);
    I2CByte(t, Bits(0x11, 8), timing, false);
    // Repeated start: SDA high during the low, then falls while SCL is high.
    t.clockLevel = kLow;
    t.Hold(10);
    t.dataLevel = kHigh;
    t.Hold(30);
    t.clockLevel = kHigh;
    t.Hold(50);
    t.dataLevel = kLow;
    t.Hold(45);
    I2CByte(t, Bits((0x50 << 1) | 1, 8), timing, true);
    I2CByte(t, Bits(0x22, 8), timing, false);
    I2CStop(t, timing);

    CI2CDecoder decoder = I2CAt100nsPerSample();
    ASSERT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1) << decoder.Status();
    EXPECT_EQ(decoder.FrameCount(), 2);
    ASSERT_EQ(Labels(decoder), (std::vector<std::string>{"Addr:", "Data:", "Addr:", "Data:", "Stop"}));
    EXPECT_EQ(Hex(decoder.Results()[1]), "11");
    EXPECT_EQ(FormatFieldValue(decoder.Results()[2].BitValues(), kBaseBinary), "10100001"); // read
    EXPECT_EQ(Hex(decoder.Results()[3]), "22");
}

TEST(I2CDecoder, ClockTimesOutsideTheirLimitsStopTheFrame) {
    CI2CDecoder decoder = I2CAt100nsPerSample();
    auto decode = [&decoder](const BusTrace& t) {
        return decoder.Decode(t.clock.data(), t.Length(), t.data.data());
    };

    EXPECT_EQ(decode(I2CWrite(0x50, {0xA5}, {40, 30, 40})), 1); // 60 % of the high time
    EXPECT_EQ(decode(I2CWrite(0x50, {0xA5}, {40, 70, 40})), 1); // 140 %
    EXPECT_EQ(decode(I2CWrite(0x50, {0xA5}, {40, 29, 40})), 0);
    EXPECT_EQ(decoder.Status(), CI2CDecoder::kHighLevelError);
    EXPECT_TRUE(decoder.Results().empty());
    EXPECT_EQ(decode(I2CWrite(0x50, {0xA5}, {40, 71, 40})), 0);
    EXPECT_EQ(decoder.Status(), CI2CDecoder::kHighLevelError);

    EXPECT_EQ(decode(I2CWrite(0x50, {0xA5}, {23, 50, 40})), 0); // 57 % of the low time
    EXPECT_EQ(decoder.Status(), CI2CDecoder::kLowLevelError);

    // After an acknowledge only a floor of 95 % applies: longer waits pass.
    EXPECT_EQ(decode(I2CWrite(0x50, {0xA5}, {40, 50, 200})), 1);
    EXPECT_EQ(decode(I2CWrite(0x50, {0xA5}, {40, 50, 37})), 0);
    EXPECT_EQ(decoder.Status(), CI2CDecoder::kWaitLowLevelError);
}

TEST(I2CDecoder, RefusesRecordsWithoutTraffic) {
    CI2CDecoder decoder = I2CAt100nsPerSample();
    const std::vector<std::uint8_t> flat(500, Byte(80));
    EXPECT_EQ(decoder.Decode(flat.data(), 500, flat.data()), 0);
    EXPECT_TRUE(decoder.Results().empty());
    EXPECT_EQ(decoder.Status(), CI2CDecoder::kNoBusSignal);

    // SDA toggles only while SCL is low: no start condition.
    BusTrace t;
    t.clockLevel = kLow;
    t.Hold(50);
    t.dataLevel = kLow;
    t.Hold(50);
    t.dataLevel = kHigh;
    t.Hold(50);
    EXPECT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 0);
    EXPECT_EQ(decoder.Status(), CI2CDecoder::kNoStartCondition);

    EXPECT_EQ(decoder.Decode(nullptr, 10, flat.data()), 0);
    EXPECT_EQ(decoder.Decode(flat.data(), -4, flat.data()), 0);

    // An address of the wrong kind drops the frame.
    const BusTrace write = I2CWrite(0x50, {0xA5});
    decoder.SetAddressType(kAddrBroadcast);
    EXPECT_EQ(decoder.Decode(write.clock.data(), write.Length(), write.data.data()), 0);
    EXPECT_TRUE(decoder.Results().empty());
    const BusTrace general = I2CWrite(0x00, {0x06});
    EXPECT_EQ(decoder.Decode(general.clock.data(), general.Length(), general.data.data()), 1);
    EXPECT_EQ(decoder.Results().size(), 3u);
}

namespace {

// SPI with CPOL 0: clock idles low; data changes on the rising edge and is
// stable through the falling edge (10 ns per sample, 9-sample half periods).
void SpiFrame(BusTrace& t, unsigned value, int half = 9) {
    t.clockLevel = kLow;
    t.Hold(100);
    const auto bits = Bits(value, 8);
    for (std::size_t i = 0; i < bits.size(); ++i) {
        t.clockLevel = kHigh;
        t.dataLevel = bits[i] ? kHigh : kLow;
        t.Hold(half);
        t.clockLevel = kLow;
        t.Hold(half);
    }
}

CSPIDecoder SpiAt10nsPerSample() {
    CSPIDecoder decoder;
    decoder.SetTimePerDivision(10.0 * 200);
    return decoder;
}

} // namespace

TEST(SPIDecoder, ReadsFramesOnTheSelectedEdge) {
    BusTrace t;
    SpiFrame(t, 0xA5);
    SpiFrame(t, 0x3C);
    t.Hold(100);
    CSPIDecoder decoder = SpiAt10nsPerSample();
    EXPECT_EQ(decoder.GetCPOL(), "0");
    EXPECT_EQ(decoder.GetCPHA(), "1");
    ASSERT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1);
    EXPECT_EQ(decoder.FrameCount(), 2);
    ASSERT_EQ(Labels(decoder), (std::vector<std::string>{"Data:", "Data:"}));
    EXPECT_EQ(Hex(decoder.Results()[0]), "A5"); // sampled on the falling edges
    EXPECT_EQ(Hex(decoder.Results()[1]), "3C");

    // Sampling on the rising edge instead reads each bit as it changes: the
    // sample before the edge still holds the previous bit.
    decoder.SetCPHA("0");
    ASSERT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1);
    ASSERT_EQ(decoder.Results().size(), 2u);
    EXPECT_EQ(Hex(decoder.Results()[0]), "D2"); // idle high, then 1,0,1,0,0,1,0
}

TEST(SPIDecoder, WrongClockTimingGivesNoFrames) {
    BusTrace t;
    SpiFrame(t, 0xA5, 20); // 200 ns half periods against 90 ns
    t.Hold(100);
    CSPIDecoder decoder = SpiAt10nsPerSample();
    EXPECT_EQ(decoder.Decode(t.clock.data(), t.Length(), t.data.data()), 1);
    EXPECT_TRUE(decoder.Results().empty());
    EXPECT_EQ(decoder.FrameCount(), 0);

    decoder.SetBits(0);
    EXPECT_EQ(decoder.GetBits(), 1);
    decoder.SetBits(500);
    EXPECT_EQ(decoder.GetBits(), CBusDecoder::kMaxBits);
    decoder.SetCPOL("x");
    EXPECT_EQ(decoder.GetCPOL(), "0");
    const std::vector<std::uint8_t> flat(100, 0);
    EXPECT_EQ(decoder.Decode(flat.data(), 100, flat.data()), 1);
    EXPECT_TRUE(decoder.Results().empty());
}

TEST(BusFieldText, AddressMarksAndBasesAsTheDisplayShowsThem) {
    auto field = [](const char* label, unsigned value, int bits, int ack) {
        BusField f;
        f.label = label;
        for (int b : Bits(value, bits))
            f.bits.push_back({b, 0, 21});
        f.ack = ack;
        return f;
    };
    const std::vector<BusField> fields = {
        field("Addr:", 0xA0, 8, 0),   // 0x50 write, acknowledged
        field("Addr:", 0xA1, 8, 1),   // 0x50 read, not acknowledged
        field("Addr:", 0x00, 8, 0),   // broadcast: all bits
        field("Addr:", 0x01, 8, 0),   // start byte
        field("Addr:", 0x0A, 8, 0),   // high-speed master code
        field("Addr:", 0xF4, 8, 0),   // ten-bit prefix ...
        field("Addr:", 0xA5, 8, 0),   // ... and its second byte
        field("Data:", 0x05, 8, 0),
        {"Stop", {}, -1, 0, 0},
    };
    std::vector<std::string> shown;
    for (const BusFieldText& t : BusFieldTexts(fields, kBaseHex, true, true))
        shown.push_back(t.label + t.value + t.mark);
    EXPECT_EQ(shown, (std::vector<std::string>{"Addr:50W1", "Addr:50R2", "Addr:0", "SBit:1", "Addr:A", "Addr:7AT",
                                               "Addr:A5", "Data:5", "Stop"}));
    const auto binary = BusFieldTexts(fields, kBaseBinary, true, false);
    EXPECT_EQ(binary[0].value, "1010000");  // seven address bits, padded
    EXPECT_EQ(binary[7].value, "00000101");
    EXPECT_EQ(binary[5].mark, "W1");        // without ten-bit reading a prefix is a plain address
    EXPECT_EQ(BusFieldTexts(fields, kBaseDecimal, false, false)[0].value, "160"); // SPI: every bit is data
}
