// Signal option texts: what they parse to, what they are refused for, and
// that a wave written back reads the same.
#include "sim/SignalSource.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SignalSpec Parsed(const std::string& text)
{
    SignalSpec wave;
    std::string error;
    EXPECT_EQ(ParseSignalSpec(text, &wave, &error), 1) << text << ": " << error;
    return wave;
}

TEST(SignalSpecParse, PeriodicKindsTakeFrequencyAmplitudeOffsetAndKeys)
{
    const SignalSpec sine = Parsed("sine:1k:2");
    EXPECT_EQ(sine.kind, SignalKind::Sine);
    EXPECT_DOUBLE_EQ(sine.frequency, 1000.0);
    EXPECT_DOUBLE_EQ(sine.vpp, 2.0);
    EXPECT_DOUBLE_EQ(sine.offset, 0.0);

    const SignalSpec pulse = Parsed("pulse:10k:3.3:-0.5:duty=25:noise=20m");
    EXPECT_EQ(pulse.kind, SignalKind::Pulse);
    EXPECT_DOUBLE_EQ(pulse.frequency, 10e3);
    EXPECT_DOUBLE_EQ(pulse.vpp, 3.3);
    EXPECT_DOUBLE_EQ(pulse.offset, -0.5);
    EXPECT_DOUBLE_EQ(pulse.dutyPercent, 25.0);
    EXPECT_DOUBLE_EQ(pulse.noiseRms, 0.02);

    // Prefixes and units: "m" is milli, "M" mega.
    EXPECT_DOUBLE_EQ(Parsed("square:2.5M:500mV").frequency, 2.5e6);
    EXPECT_DOUBLE_EQ(Parsed("square:2.5M:500mV").vpp, 0.5);
    EXPECT_DOUBLE_EQ(Parsed("triangle:1kHz").frequency, 1000.0);
    EXPECT_DOUBLE_EQ(Parsed("triangle:250m").frequency, 0.25);
    EXPECT_DOUBLE_EQ(Parsed("sine:f=50:vpp=4:offset=+1").offset, 1.0);

    EXPECT_DOUBLE_EQ(Parsed("dc:1.5").offset, 1.5);
    const SignalSpec noise = Parsed("noise:0.2:-1");
    EXPECT_DOUBLE_EQ(noise.noiseRms, 0.2);
    EXPECT_DOUBLE_EQ(noise.offset, -1.0);
    EXPECT_EQ(Parsed("none").kind, SignalKind::None);
}

TEST(SignalSpecParse, BusKindsTakeTheirTransferDetails)
{
    const SignalSpec i2c = Parsed("i2c:100k:addr=0x50:data=01,02");
    EXPECT_EQ(i2c.kind, SignalKind::I2c);
    EXPECT_DOUBLE_EQ(i2c.frequency, 100e3);
    EXPECT_DOUBLE_EQ(i2c.vpp, 3.3);  // logic default
    EXPECT_EQ(i2c.i2c.address, 0x50);
    EXPECT_EQ(i2c.i2c.addressBits, 7);
    EXPECT_FALSE(i2c.i2c.read);
    EXPECT_EQ(i2c.i2c.data, (std::vector<uint8_t>{0x01, 0x02}));

    const SignalSpec tenBit = Parsed("i2c:400k:addr=0x1A3:rw=r:data=:ack=AN");
    EXPECT_EQ(tenBit.i2c.addressBits, 10);  // implied by an address above 0x7F
    EXPECT_TRUE(tenBit.i2c.read);
    EXPECT_TRUE(tenBit.i2c.data.empty());
    EXPECT_EQ(tenBit.i2c.ackPattern, "AN");
    EXPECT_EQ(Parsed("i2c:100k:addr=80").i2c.address, 80);  // decimal without 0x
    EXPECT_EQ(Parsed("i2c:100k:data=01,02:restart=1:line=clock").i2c.restartAfter, 1);
    EXPECT_EQ(Parsed("i2c:100k:line=clock").line, BusLine::Clock);

    const SignalSpec spi = Parsed("spi:1M:mode=3:bits=16:data=BEEF,0x0102:gap=4");
    EXPECT_EQ(spi.kind, SignalKind::Spi);
    EXPECT_DOUBLE_EQ(spi.frequency, 1e6);
    EXPECT_EQ(spi.spi.cpol, 1);
    EXPECT_EQ(spi.spi.cpha, 1);
    EXPECT_EQ(spi.spi.bitsPerWord, 16);
    EXPECT_EQ(spi.spi.words, (std::vector<uint32_t>{0xBEEF, 0x0102}));
    EXPECT_DOUBLE_EQ(spi.gapBits, 4.0);
    EXPECT_EQ(Parsed("spi:1M:mode=1:cpol=1").spi.cpha, 1);
    EXPECT_EQ(Parsed("spi:1M:mode=1:cpol=1").spi.cpol, 1);
}

TEST(SignalSpecParse, MalformedOrOutOfRangeTextIsRefusedWithAReason)
{
    const std::vector<std::string> bad{
        "",
        "sin:1k",                      // unknown kind
        "sine:abc",                    // not a number
        "sine:1k5",                    // garbage after the prefix
        "sine:1kx",                    // unknown suffix
        "sine:nan",
        "sine:1e400",                  // overflows
        "sine:-1k",                    // frequency must be positive
        "sine:0",
        "sine:1k:2:0:7",               // too many positional fields
        "sine:1k::2",                  // empty field
        "sine:1k:vpp=2:0",             // positional after key=value
        "sine:1k:duty=20",             // duty is for pulses
        "sine:1k:addr=0x50",           // bus key on a plain signal
        "sine:1k:bogus=1",
        "pulse:1k:1:0:duty=100",
        "pulse:1k:1:0:duty=0",
        "dc:1:2",
        "none:1",
        "i2c:100k:addr=0x80:addrbits=7",
        "i2c:100k:addr=0x400",
        "i2c:100k:addrbits=8",
        "i2c:100k:data=1FF",           // not a byte
        "i2c:100k:data=01,,02",
        "i2c:100k:data=0x",
        "i2c:100k:rw=x",
        "i2c:100k:ack=AX",
        "i2c:100k:data=01:restart=2",  // beyond the data
        "i2c:100k:line=both",
        "i2c:100k:gap=1",
        "spi:1M:mode=4",
        "spi:1M:bits=0",
        "spi:1M:bits=33",
        "spi:1M:bits=4:data=1F",       // wider than the word
        "spi:1M:data=",                // no words
        "spi:1M:mode=-1",
    };
    for (const std::string& text : bad) {
        SignalSpec wave;
        wave.kind = SignalKind::Dc;
        wave.offset = 7.0;
        std::string error;
        EXPECT_EQ(ParseSignalSpec(text, &wave, &error), 0) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(wave.kind, SignalKind::Dc) << text << " changed the output";
        EXPECT_DOUBLE_EQ(wave.offset, 7.0) << text;
    }
    EXPECT_EQ(ParseSignalSpec("sine", nullptr, nullptr), 0);
    SignalSpec wave;
    EXPECT_EQ(ParseSignalSpec("sine:x", &wave, nullptr), 0);  // no error text wanted
}

TEST(SignalSpecParse, WrittenSpecsReadBackUnchanged)
{
    for (const char* text :
         {"none", "sine:1k:2", "square:2.5M:0.5:1.65:noise=0.01", "triangle:0.25:10:-3",
          "pulse:10k:3.3:0:duty=12.5", "dc:-1.25", "noise:0.2:1",
          "i2c:100k:addr=0x1A3:rw=r:data=10,20:ack=ANA:gap=4:line=data",
          "i2c:3.4M:addr=0x68:data=75,68:restart=1", "spi:1M:mode=2:bits=12:data=ABC,1:line=clock"}) {
        const SignalSpec first = Parsed(text);
        const std::string written = FormatSignalSpec(first);
        const SignalSpec second = Parsed(written);
        EXPECT_EQ(FormatSignalSpec(second), written) << text;
        EXPECT_EQ(second.kind, first.kind) << written;
        EXPECT_EQ(second.frequency, first.frequency) << written;
        EXPECT_EQ(second.vpp, first.vpp) << written;
        EXPECT_EQ(second.offset, first.offset) << written;
        EXPECT_EQ(second.noiseRms, first.noiseRms) << written;
        EXPECT_EQ(second.dutyPercent, first.dutyPercent) << written;
        EXPECT_EQ(second.line, first.line) << written;
        EXPECT_EQ(second.gapBits, first.gapBits) << written;
        EXPECT_EQ(second.i2c.address, first.i2c.address) << written;
        EXPECT_EQ(second.i2c.addressBits, first.i2c.addressBits) << written;
        EXPECT_EQ(second.i2c.read, first.i2c.read) << written;
        EXPECT_EQ(second.i2c.data, first.i2c.data) << written;
        EXPECT_EQ(second.i2c.ackPattern, first.i2c.ackPattern) << written;
        EXPECT_EQ(second.i2c.restartAfter, first.i2c.restartAfter) << written;
        EXPECT_EQ(second.spi.cpol, first.spi.cpol) << written;
        EXPECT_EQ(second.spi.cpha, first.spi.cpha) << written;
        EXPECT_EQ(second.spi.bitsPerWord, first.spi.bitsPerWord) << written;
        EXPECT_EQ(second.spi.words, first.spi.words) << written;
    }
    EXPECT_EQ(FormatSignalSpec(Parsed("sine:1k:2")), "sine:1k:2:0");
}

TEST(SignalSource, LevelsFollowTheSpec)
{
    const CSignalSource sine(Parsed("sine:1k:2:0.5"));
    EXPECT_NEAR(sine.Evaluate(0.0), 0.5, 1e-12);
    EXPECT_NEAR(sine.Evaluate(0.25e-3), 1.5, 1e-12);   // crest
    EXPECT_NEAR(sine.Evaluate(-0.25e-3), -0.5, 1e-12); // trough, negative time
    EXPECT_NEAR(sine.Evaluate(1.25e-3), 1.5, 1e-9);    // one period later
    EXPECT_DOUBLE_EQ(sine.Period(), 1e-3);
    EXPECT_DOUBLE_EQ(sine.MeanLevel(), 0.5);

    const CSignalSource pulse(Parsed("pulse:1k:2:0:duty=25"));
    EXPECT_DOUBLE_EQ(pulse.Evaluate(0.1e-3), 1.0);
    EXPECT_DOUBLE_EQ(pulse.Evaluate(0.3e-3), -1.0);
    EXPECT_DOUBLE_EQ(pulse.MeanLevel(), -0.5);
    EXPECT_DOUBLE_EQ(pulse.ShortestFeature(), 0.25e-3);

    const CSignalSource triangle(Parsed("triangle:1k:4"));
    EXPECT_DOUBLE_EQ(triangle.Evaluate(0.0), -2.0);
    EXPECT_NEAR(triangle.Evaluate(0.5e-3), 2.0, 1e-9);
    EXPECT_NEAR(triangle.Evaluate(0.125e-3), -1.0, 1e-9);

    EXPECT_DOUBLE_EQ(CSignalSource(Parsed("dc:-1.5")).Evaluate(12.0), -1.5);
    EXPECT_DOUBLE_EQ(CSignalSource(Parsed("dc:-1.5")).Period(), 0.0);
    EXPECT_DOUBLE_EQ(CSignalSource(Parsed("none")).Evaluate(1.0, 1), 0.0);

    // A bus starts idle high on both lines; the SDA fall of the start comes
    // after the gap, with SCL still high.
    const CSignalSource i2c(Parsed("i2c:100k:addr=0x50:data=01"));
    EXPECT_DOUBLE_EQ(i2c.Evaluate(1e-6, 0), 1.65);
    EXPECT_DOUBLE_EQ(i2c.Evaluate(1e-6, 1), 1.65);
    EXPECT_DOUBLE_EQ(i2c.Evaluate(101e-6, 0), -1.65);
    EXPECT_DOUBLE_EQ(i2c.Evaluate(101e-6, 1), 1.65);
    EXPECT_LT(i2c.MeanLevel(1), 1.65);
    EXPECT_GT(i2c.MeanLevel(1), 0.0);
}

TEST(SignalSource, NoiseIsAPureFunctionOfSeedAndTime)
{
    const SignalSpec wave = Parsed("noise:1");
    const CSignalSource a(wave, 7), b(wave, 7), c(wave, 8);
    double sum = 0.0, squares = 0.0;
    int differing = 0;
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        const double t = i * 1e-6;
        EXPECT_EQ(a.Evaluate(t), b.Evaluate(t));
        differing += a.Evaluate(t) != c.Evaluate(t);
        sum += a.Evaluate(t);
        squares += a.Evaluate(t) * a.Evaluate(t);
    }
    EXPECT_GT(differing, n - 10);
    EXPECT_NEAR(sum / n, 0.0, 0.03);
    EXPECT_NEAR(std::sqrt(squares / n), 1.0, 0.03);
    EXPECT_DOUBLE_EQ(a.EvaluateClean(1e-3), 0.0);
}

} // namespace
