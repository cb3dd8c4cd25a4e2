// The firmware's own frame codec and the option string.
#include <gtest/gtest.h>

#include "sim/SimFrameCodec.h"
#include "sim/SimOptions.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

int Decode(const Bytes& b, SimCommandFrame* f, std::string* why = nullptr) {
    return DecodeSimCommandFrame(b.data(), b.size(), f, why);
}
}  // namespace

TEST(SimFrameCodec, DecodesTheFramesTheProgramSends) {
    SimCommandFrame f;
    // Status request: "S", L = 2, code 1, sum 0x56.
    ASSERT_EQ(Decode({0x53, 0x02, 0x00, 0x01, 0x56}, &f), 1);
    EXPECT_EQ(f.code, 1);
    EXPECT_TRUE(f.args.empty());
    // Waveform request for CH2: 2, 1, 1.
    ASSERT_EQ(Decode({0x53, 0x04, 0x00, 0x02, 0x01, 0x01, 0x5B}, &f), 1);
    EXPECT_EQ(f.args, (Bytes{1, 1}));
    // Description request ends in "f" instead of the sum.
    Bytes request = {0x53, 0x10, 0x00, 0x10, 0x00};
    for (char c : std::string("/protocol.inf"))
        request.push_back(static_cast<std::uint8_t>(c));
    request.push_back('f');
    ASSERT_EQ(Decode(request, &f), 1);
    EXPECT_TRUE(f.checkIsLetterF);
    EXPECT_EQ(f.args.size(), 14u);
    // A block of 300 bytes: the length needs both length bytes.
    Bytes block(300, 0x11);
    const Bytes frame = EncodeSimCommand(17, block);
    EXPECT_EQ(frame[1], 0x2E);
    EXPECT_EQ(frame[2], 0x01);
    ASSERT_EQ(Decode(frame, &f), 1);
    EXPECT_EQ(f.args, block);
}

TEST(SimFrameCodec, RefusesDamagedFrames) {
    SimCommandFrame f;
    std::string why;
    EXPECT_EQ(Decode({0x53, 0x02, 0x00, 0x01, 0x57}, &f, &why), 0);  // wrong sum
    EXPECT_EQ(why, "check byte does not match");
    EXPECT_EQ(Decode({0x53, 0x02, 0x00, 0x01, 'f'}, &f), 0);          // "f" only for 16, 31, 127
    EXPECT_EQ(Decode({0x54, 0x02, 0x00, 0x01, 0x57}, &f), 0);          // unknown mark
    EXPECT_EQ(Decode({0x53, 0x03, 0x00, 0x01, 0x57}, &f), 0);          // length says 6 bytes
    EXPECT_EQ(Decode({0x53, 0x00, 0x00, 0x00, 0x00}, &f), 0);          // the program's "unknown code" frame
    EXPECT_EQ(Decode({0x53, 0x02}, &f), 0);                            // cut short
    EXPECT_EQ(Decode({0x53, 0x02, 0x00, 0x7F, 0xD4}, &f), 0);          // 127 must start with "C"
    EXPECT_EQ(Decode({0x43, 0x02, 0x00, 0x7F, 'f'}, &f), 1);
    EXPECT_EQ(DecodeSimCommandFrame(nullptr, 5, &f), 0);
}

TEST(SimFrameCodec, EncodesAnswersByteForByte) {
    EXPECT_EQ(EncodeSimAnswer(0x85, nullptr, 0), (Bytes{0x53, 0x02, 0x00, 0x85, 0xDA}));
    EXPECT_EQ(EncodeSimAnswer(0x92, Bytes{1, 1}), (Bytes{0x53, 0x04, 0x00, 0x92, 0x01, 0x01, 0xEB}));
    const Bytes big = EncodeSimAnswer(0x82, Bytes(65530, 0));
    EXPECT_EQ(big.size(), 65535u);
    EXPECT_EQ(big[1] | (big[2] << 8), 65532);
}

TEST(SimOptions, ReadsModelSignalsAndFaults) {
    SimOptions o;
    std::string error;
    ASSERT_EQ(ParseSimOptions("model=0,ch1=sine:1k:2,ch2=i2c:100k,fault=drop:0.05", &o, &error), 1) << error;
    EXPECT_EQ(o.modelNumber, 0);
    EXPECT_EQ(o.ch1.kind, SignalKind::Sine);
    EXPECT_DOUBLE_EQ(o.ch1.frequency, 1000.0);
    EXPECT_EQ(o.ch2.kind, SignalKind::I2c);
    EXPECT_DOUBLE_EQ(o.faults.dropRate, 0.05);

    ASSERT_EQ(ParseSimOptions("model=qx1202,ch1=i2c:100k:data=01,02,03,seed=9,latency=20:5,piece=512,"
                              "fault=silence:10:300,fault=pull:40,fault=baddesc,fault=nokeys,fault=short:1",
                              &o, &error), 1) << error;
    EXPECT_EQ(o.modelNumber, 4);
    EXPECT_EQ(o.ch1.i2c.data, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(o.seed, 9u);
    EXPECT_EQ(o.faults.latencyMs, 20);
    EXPECT_EQ(o.faults.jitterMs, 5);
    EXPECT_EQ(o.pieceBytes, 512);
    EXPECT_EQ(o.faults.silenceAfterFrames, 10);
    EXPECT_EQ(o.faults.silenceMs, 300);
    EXPECT_EQ(o.faults.pullAfterFrames, 40);
    EXPECT_EQ(o.faults.damagedDescriptions, 1);
    EXPECT_TRUE(o.faults.noKeyDescription);
    EXPECT_DOUBLE_EQ(o.faults.shortReadRate, 1.0);

    ASSERT_EQ(ParseSimOptions("", &o, &error), 1);
    EXPECT_EQ(o.modelNumber, 4);
    EXPECT_EQ(o.ch1.kind, SignalKind::Sine);
    EXPECT_EQ(o.faults.pullAfterFrames, -1);
}

TEST(SimOptions, RefusesMalformedStringsWithAReason) {
    SimOptions o;
    o.modelNumber = 0;
    std::string error;
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"model=7", "no simulated model '7'"},
        {"colour=red", "unknown key 'colour'"},
        {"fault=drop:2", "bad arguments for fault 'drop'"},
        {"fault=melt", "unknown fault 'melt'"},
        {"latency=-3", "latency must be"},
        {"piece=70000", "piece must be"},
        {"seed=x", "seed must be"},
        {"ch1=sawtooth:1k", "in 'ch1=sawtooth:1k'"},
        {"oops", "'oops' is not of the form KEY=VALUE"},
        {"fault=pull", "bad arguments for fault 'pull'"},
    };
    for (const auto& [text, reason] : bad) {
        error.clear();
        EXPECT_EQ(ParseSimOptions(text, &o, &error), 0) << text;
        EXPECT_NE(error.find(reason), std::string::npos) << text << " -> " << error;
        EXPECT_EQ(error.rfind("simulator options: ", 0), 0u) << error;
    }
    EXPECT_EQ(o.modelNumber, 0);  // untouched by the failures
}
