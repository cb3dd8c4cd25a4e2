// The firmware's answers to each command, checked byte by byte.
#include <gtest/gtest.h>

#include "sim/SimAcquisition.h"
#include "sim/SimProtocolLayout.h"
#include "test_sim_harness.h"

namespace {

std::int64_t Read(const Bytes& block, const std::string& name) {
    const CSimProtocolLayout& layout = CSimProtocolLayout::Standard();
    std::uint64_t v = 0;
    for (int i = layout.WidthOf(name) - 1; i >= 0; --i)
        v = (v << 8) | block[static_cast<std::size_t>(layout.OffsetOf(name) + i)];
    return static_cast<std::int64_t>(v);
}

void Write(Bytes& block, const std::string& name, std::int64_t value) {
    const CSimProtocolLayout& layout = CSimProtocolLayout::Standard();
    for (int i = 0; i < layout.WidthOf(name); ++i)
        block[static_cast<std::size_t>(layout.OffsetOf(name) + i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

TEST(SimFirmware, AcknowledgesAsTheReceiveLoopExpects) {
    SimBench bench;
    const std::vector<std::pair<Bytes, Bytes>> exchanges = {
        {{0x53, 0x02, 0x00, 0x00, 0x55}, {0x53, 0x02, 0x00, 0x80, 0xD5}},              // 0 disconnect
        {{0x53, 0x02, 0x00, 0x04, 0x59}, {0x53, 0x02, 0x00, 0x84, 0xD9}},              // 4
        {{0x53, 0x05, 0x00, 0x1E, 0x02, 0x03, 0x09, 0x84}, {0x53, 0x02, 0x00, 0x9E, 0xF3}},  // 30
        {{0x53, 0x02, 0x00, 0x21, 0x76}, {0x53, 0x02, 0x00, 0x80, 0xD5}},              // 33: no own code
    };
    for (const auto& [frame, answer] : exchanges) {
        const std::vector<Bytes> got = bench.SendRaw(frame);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0], answer);
    }
    // Command 30 stored its byte; command 14 reads it back: 0x8E with 9.
    EXPECT_EQ(bench.Send(14, {2, 3}), (std::vector<Bytes>{{0x53, 0x03, 0x00, 0x8E, 0x09, 0xED}}));
    // A damaged frame is not answered at all.
    EXPECT_TRUE(bench.SendRaw({0x53, 0x02, 0x00, 0x01, 0x00}).empty());
    EXPECT_TRUE(bench.SendRaw({0x53, 0x00, 0x00, 0x00, 0x00}).empty());
}

TEST(SimFirmware, StatusCarriesTheWholeBlock) {
    SimBench bench("model=0");
    const std::vector<Bytes> got = bench.SendRaw({0x53, 0x02, 0x00, 0x01, 0x56});
    ASSERT_EQ(got.size(), 1u);
    const Bytes& p = got[0];
    EXPECT_TRUE(EnvelopeSound(p));
    EXPECT_EQ(p[3], 0x81);
    const Bytes block = DataOf(p);
    ASSERT_EQ(static_cast<int>(block.size()), CSimProtocolLayout::Standard().BlockSize());
    EXPECT_EQ(Read(block, "CONTROL-TYPE"), 0);
    EXPECT_EQ(Read(block, "VERT-CH1-DISP"), 1);
    EXPECT_EQ(Read(block, "HORIZ-TB"), 15);              // 200 us/div, code 14 + 1
    EXPECT_EQ(Read(block, "TRIG-STATE"), SimTrigState::kTrigd);  // 1 kHz sine crosses the level
    EXPECT_EQ(Read(block, "TRIG-FREQUENCY"), 1000);
    EXPECT_EQ(SimBench("model=QX1202").Block()[static_cast<std::size_t>(
                  CSimProtocolLayout::Standard().OffsetOf("CONTROL-TYPE"))], 4);
}

TEST(SimFirmware, TakesValidSettingsAndRefusesOrHoldsTheRest) {
    SimBench bench("model=0");
    Bytes block = bench.Block();
    Write(block, "VERT-CH1-VB", 5);            // valid
    Write(block, "VERT-CH2-COUP", 1);          // valid
    Write(block, "TRIG-COUP", 2);              // noise reject: the QX1022 has none
    Write(block, "DISPLAY-PERSIST", 3);        // between the listed codes
    Write(block, "MATH-FFT-FACTOR", 3);        // beyond this model's zoom
    Write(block, "VERT-CH1-PROBE", 9);         // no such probe
    Write(block, "TRIG-VPOS", 900);            // beyond 8 divisions: held at the limit
    Write(block, "DISPLAY-CONTRAST", 40);      // held at the maximum
    Write(block, "TRIG-HOLDTIME", 1);          // below the minimum
    Write(block, "CONTROL-TYPE", 4);           // the model is the instrument's own
    Write(block, "HORIZ-TB", 7);               // 400 ns/div with both channels on: 800 ns/div
    const std::vector<Bytes> ack = bench.Send(17, block);
    EXPECT_EQ(ack, (std::vector<Bytes>{{0x53, 0x02, 0x00, 0x91, 0xE6}}));
    const Bytes now = bench.Block();
    EXPECT_EQ(Read(now, "VERT-CH1-VB"), 5);
    EXPECT_EQ(Read(now, "VERT-CH2-COUP"), 1);
    EXPECT_EQ(Read(now, "TRIG-COUP"), 0);
    EXPECT_EQ(Read(now, "DISPLAY-PERSIST"), 0);
    EXPECT_EQ(Read(now, "MATH-FFT-FACTOR"), 0);
    EXPECT_EQ(Read(now, "VERT-CH1-PROBE"), 0);
    EXPECT_EQ(Read(now, "TRIG-VPOS"), 200);
    EXPECT_EQ(Read(now, "DISPLAY-CONTRAST"), 15);
    EXPECT_EQ(Read(now, "TRIG-HOLDTIME"), 500000);
    EXPECT_EQ(Read(now, "CONTROL-TYPE"), 0);
    EXPECT_EQ(Read(now, "HORIZ-TB"), 8);

    // The same noise-reject coupling is a choice of the QX1202.
    SimBench big("model=4");
    Bytes b4 = big.Block();
    Write(b4, "TRIG-COUP", 2);
    big.Send(17, b4);
    EXPECT_EQ(big.sim->Param("TRIG-COUP"), 2);
    // A block of the wrong size changes nothing but is still acknowledged.
    EXPECT_EQ(big.Send(17, Bytes(10, 0xFF)).size(), 1u);
    EXPECT_EQ(big.sim->Param("TRIG-COUP"), 2);
}

TEST(SimFirmware, DeepMemoryNeedsOneChannelAndAFastTimeBase) {
    SimBench bench;
    Bytes block = bench.Block();
    Write(block, "ACQURIE-STORE-DEPTH", 7);
    bench.Send(17, block);
    EXPECT_EQ(bench.sim->Param("ACQURIE-STORE-DEPTH"), 3);  // two channels: 512K instead
    Write(block, "VERT-CH2-DISP", 0);
    Write(block, "HORIZ-TB", 14);  // 80 us/div
    bench.Send(17, block);
    EXPECT_EQ(bench.sim->Param("ACQURIE-STORE-DEPTH"), 7);
    Write(block, "HORIZ-TB", 15);
    bench.Send(17, block);
    EXPECT_EQ(bench.sim->Param("ACQURIE-STORE-DEPTH"), 3);
}

TEST(SimFirmware, ReadModeAnswers) {
    SimBench bench;
    std::vector<Bytes> got = bench.Send(18, {1, 1});
    EXPECT_EQ(got, (std::vector<Bytes>{{0x53, 0x04, 0x00, 0x92, 0x01, 0x01, 0xEB}}));
    got = bench.Send(18, {1, 0});
    EXPECT_EQ(got, (std::vector<Bytes>{{0x53, 0x04, 0x00, 0x92, 0x01, 0x00, 0xEA}, {0x53, 0x02, 0x00, 0x85, 0xDA}}));
    // Leaving read mode when not in it gives no 0x85.
    EXPECT_EQ(bench.Send(18, {1, 0}).size(), 1u);
}

TEST(SimFirmware, WaveformTransferInPieces) {
    SimBench bench("piece=1000");
    std::vector<Bytes> got = bench.SendRaw({0x53, 0x04, 0x00, 0x02, 0x01, 0x00, 0x5A});  // CH1
    ASSERT_EQ(got.size(), 1u + 4u + 1u);  // length, 3200 samples in pieces of 1000, end
    for (const Bytes& p : got) {
        EXPECT_TRUE(EnvelopeSound(p));
        EXPECT_EQ(p[3], 0x82);
    }
    EXPECT_EQ(got.front(), (Bytes{0x53, 0x06, 0x00, 0x82, 0x00, 0x80, 0x0C, 0x00, 0x67}));  // 3200
    std::size_t samples = 0;
    for (std::size_t i = 1; i + 1 < got.size(); ++i) {
        EXPECT_EQ(got[i][4], 1);
        EXPECT_EQ(got[i][5], 0);
        samples += got[i].size() - 7;
    }
    EXPECT_EQ(samples, 3200u);
    EXPECT_EQ(got[1].size(), 1007u);
    EXPECT_EQ(DataOf(got.back()), (Bytes{2, 0}));

    // A channel that is off is abandoned; so is sub-form 0.
    bench.sim->WithState([](SimState& s) { s.block.Set("VERT-CH2-DISP", 0); });
    EXPECT_EQ(bench.Send(2, {1, 1}), (std::vector<Bytes>{{0x53, 0x03, 0x00, 0x82, 0x03, 0xDB}}));
    EXPECT_EQ(bench.Send(2, {0}).size(), 1u);
}

TEST(SimFirmware, LongRecordsUseFullSizePackets) {
    SimBench bench;
    bench.sim->WithState([](SimState& s) {
        s.block.Set("ACQURIE-STORE-DEPTH", 3);   // 512K
        s.block.Set("CONTROL-DISP-MENU", 0);     // menu hidden: 19.2 divisions
    });
    const std::vector<Bytes> got = bench.Send(2, {1, 1});
    const Bytes length = DataOf(got.front());
    EXPECT_EQ(length[1] | (length[2] << 8) | (length[3] << 16), 384000);
    std::size_t samples = 0;
    for (std::size_t i = 1; i + 1 < got.size(); ++i) {
        EXPECT_LE(got[i].size(), 65535u);
        EXPECT_TRUE(EnvelopeSound(got[i]));
        samples += got[i].size() - 7;
    }
    EXPECT_EQ(got[1].size(), 65535u);
    EXPECT_EQ(samples, 384000u);
    EXPECT_EQ(got.size(), 2u + 6u);  // 384000 = 5 x 65528 + 56360
}

TEST(SimFirmware, ScreenImageInPieces) {
    SimBench bench;
    const std::vector<Bytes> got = bench.Send(32);
    ASSERT_GE(got.size(), 2u);
    std::size_t pixels = 0;
    for (std::size_t i = 0; i + 1 < got.size(); ++i) {
        EXPECT_TRUE(EnvelopeSound(got[i]));
        EXPECT_EQ(got[i][3], 0xA0);
        EXPECT_EQ(got[i][4], 1);
        EXPECT_LE(got[i].size(), 65535u);
        pixels += got[i].size() - 6;
    }
    EXPECT_EQ(pixels, 800u * 480u);
    EXPECT_EQ(got.back(), (Bytes{0x53, 0x03, 0x00, 0xA0, 0x02, 0xF8}));
}

TEST(SimFirmware, SmallParameterTables) {
    SimBench bench;
    // Command 31, value form: a 2-byte value at position 33.
    EXPECT_EQ(bench.Send(31, {2, 1, 33, 0, 0x34, 0x12}), (std::vector<Bytes>{{0x53, 0x02, 0x00, 0x9F, 0xF4}}));
    std::vector<Bytes> got = bench.Send(15, {2, 1, 33, 0});
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(DataOf(got[0]), (Bytes{2, 1, 33, 0, 0x34, 0x12}));
    got = bench.Send(3);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].size(), 5u + 128u + 240u);
    EXPECT_EQ(got[0][4 + 33], 0x34);
    // Out of the table: nothing stored, width 0 answered.
    bench.Send(31, {8, 1, 127, 0, 1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(bench.Send(15, {8, 1, 200, 0})[0][4], 0);
}
