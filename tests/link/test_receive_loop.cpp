// The receive loop's handling of answer packets: checks, drops, every answer
// code and the bounds of every write into a shared buffer.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeDriver.h"
#include "LinkTestSupport.h"
#include "RecordingHost.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "link/ReceiveLoop.h"

namespace {
class ReceiveLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        g_bSend = 0;
    }
    void TearDown() override { ResetSharedState(); }

    CReceiveLoop::Result Handle(const Bytes& p) { return loop.HandlePacket(p.data(), static_cast<uint32_t>(p.size())); }
    // Sample packet of a channel: sub-code 1, channel, samples.
    CReceiveLoop::Result Samples(uint8_t channel, const Bytes& samples)
    {
        Bytes data(samples.size() + 2);
        data[0] = 1;
        data[1] = channel;
        std::copy(samples.begin(), samples.end(), data.begin() + 2);
        return Handle(Answer(0x82, data));
    }

    CRecordingHost host;
    CReceiveLoop loop{&host};
};

Bytes Filled(size_t n, uint8_t first)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(first + i);
    return b;
}
}  // namespace

TEST_F(ReceiveLoopTest, ShortForeignAndDamagedPacketsChangeOnlyTheSendFlag)
{
    std::memset(ADBufferSysParam, 0xEE, sizeof ADBufferSysParam);
    const Bytes good = Answer(0x83, Filled(372, 1));

    EXPECT_EQ(Handle({'S', 2, 0}), CReceiveLoop::kDroppedShort);
    EXPECT_EQ(g_bSend.load(), 1);

    g_bSend = 0;
    Bytes foreign = good;
    foreign[0] = 'X';
    EXPECT_EQ(Handle(foreign), CReceiveLoop::kDroppedForeign);
    EXPECT_EQ(g_bSend.load(), 0);

    Bytes badSum = good;
    badSum.back() ^= 0x01;
    EXPECT_EQ(Handle(badSum), CReceiveLoop::kDroppedDamaged);
    EXPECT_EQ(g_bSend.load(), 1);

    g_bSend = 0;
    Bytes truncated(good.begin(), good.begin() + 100);  // length field promises more
    EXPECT_EQ(Handle(truncated), CReceiveLoop::kDroppedDamaged);
    EXPECT_EQ(g_bSend.load(), 1);

    g_bSend = 0;
    Bytes twoInOne = Answer(0x80);  // a second packet behind the first spoils the sum
    const Bytes second = Answer(0x80);
    twoInOne.insert(twoInOne.end(), second.begin(), second.end());
    EXPECT_EQ(Handle(twoInOne), CReceiveLoop::kDroppedDamaged);

    g_bSend = 0;
    EXPECT_EQ(Handle(Answer(0x10)), CReceiveLoop::kDroppedUnknownCode);
    EXPECT_EQ(Handle(Answer(0xA1)), CReceiveLoop::kDroppedUnknownCode);
    EXPECT_EQ(Handle(Answer(0xFF)), CReceiveLoop::kDroppedUnknownCode);
    EXPECT_EQ(g_bSend.load(), 0);
    EXPECT_EQ(g_bRespose.load(), 1);  // a well-formed frame was seen

    for (uint8_t b : ADBufferSysParam)
        ASSERT_EQ(b, 0xEE);
    EXPECT_EQ(host.settingsPosts.load(), 0);
}

TEST_F(ReceiveLoopTest, AcknowledgementsReleaseTheSenderAndNothingMore)
{
    for (uint8_t code : {0x80, 0x84, 0x91, 0x93, 0x9E, 0x9F}) {
        g_bSend = 0;
        EXPECT_EQ(Handle(Answer(code)), CReceiveLoop::kApplied);
        EXPECT_EQ(g_bSend.load(), 1) << int(code);
    }
    for (uint8_t code : {0x86, 0x94, 0x9D}) {  // answer codes with no meaning
        g_bSend = 0;
        EXPECT_EQ(Handle(Answer(code)), CReceiveLoop::kApplied);
        EXPECT_EQ(g_bSend.load(), 0) << int(code);
    }
    EXPECT_EQ(host.settingsPosts.load() + host.notified.load() + host.queueClears.load(), 0);
}

TEST_F(ReceiveLoopTest, ParameterBlockIsCopiedWithoutReleasingTheSender)
{
    Handle(Answer(0x81, Filled(8, 1)));  // no block allocated yet: ignored
    EXPECT_EQ(host.settingsPosts.load(), 0);

    g_SysParamLen = 6;
    g_pSysParamBuffer = new unsigned char[6];
    std::memset(g_pSysParamBuffer, 0xEE, 6);
    EXPECT_EQ(Handle(Answer(0x81, {10, 11, 12, 13, 14, 15, 16, 17})), CReceiveLoop::kApplied);
    EXPECT_EQ(Bytes(g_pSysParamBuffer, g_pSysParamBuffer + 6), (Bytes{10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(g_bSend.load(), 0);
    EXPECT_EQ(host.settingsPosts.load(), 1);

    // A block longer than the packet: the check byte, then zeros.
    const Bytes shortAnswer = Answer(0x81, {1, 2});
    Handle(shortAnswer);
    EXPECT_EQ(Bytes(g_pSysParamBuffer, g_pSysParamBuffer + 6), (Bytes{1, 2, shortAnswer.back(), 0, 0, 0}));
}

TEST_F(ReceiveLoopTest, StatusTablesMenuByteAndSmallParameters)
{
    EXPECT_EQ(Handle(Answer(0x83, Filled(372, 1))), CReceiveLoop::kApplied);
    EXPECT_EQ(ADBufferSysParam[0], 1);
    EXPECT_EQ(ADBufferSysParam[127], 128);
    EXPECT_EQ(ADBufferMenuParam[0], 129);
    EXPECT_EQ(ADBufferMenuParam[239], static_cast<uint8_t>(129 + 239));
    EXPECT_EQ(g_bSend.load(), 1);
    EXPECT_EQ(host.settingsPosts.load(), 1);

    Handle(Answer(0x83, Filled(130, 7)));  // short: the menu table reads zeros past the data
    EXPECT_EQ(ADBufferSysParam[0], 7);
    EXPECT_EQ(ADBufferMenuParam[0], 7 + 128);
    EXPECT_EQ(ADBufferMenuParam[1], 7 + 129);
    EXPECT_NE(ADBufferMenuParam[2], 0);       // the check byte lands here
    EXPECT_EQ(ADBufferMenuParam[3], 0);

    cmdItem = {3, 4};
    Handle(Answer(0x8E, {0x42}));
    EXPECT_EQ(ADBufferMenuParam[3 * 6 + 4], 0x42);
    cmdItem = {40, 0};  // 240: outside the table
    const Bytes before(ADBufferMenuParam, ADBufferMenuParam + 240);
    Handle(Answer(0x8E, {0x43}));
    cmdItem = {-1, 0};
    Handle(Answer(0x8E, {0x44}));
    EXPECT_EQ(Bytes(ADBufferMenuParam, ADBufferMenuParam + 240), before);
    EXPECT_EQ(host.settingsPosts.load(), 5);

    std::memset(ADBufferSysParam, 0, sizeof ADBufferSysParam);
    Handle(Answer(0x8F, {4, 0, 10, 0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5}));  // width 4 at offset 10
    EXPECT_EQ(Bytes(ADBufferSysParam + 9, ADBufferSysParam + 15), (Bytes{0, 0xA1, 0xA2, 0xA3, 0xA4, 0}));
    Handle(Answer(0x8F, {8, 0, 120, 0, 1, 2, 3, 4, 5, 6, 7, 8}));     // 120 + 8 = 128: fits
    EXPECT_EQ(ADBufferSysParam[127], 8);
    const Bytes kept(ADBufferSysParam, ADBufferSysParam + 128);
    Handle(Answer(0x8F, {8, 0, 121, 0, 1, 2, 3, 4, 5, 6, 7, 8}));     // one byte too far
    Handle(Answer(0x8F, {2, 0, 0xFF, 0xFF, 1, 2}));                   // offset 65535
    Handle(Answer(0x8F, {3, 0, 0, 0, 1, 2, 3}));                      // no such width
    EXPECT_EQ(Bytes(ADBufferSysParam, ADBufferSysParam + 128), kept);
}

TEST_F(ReceiveLoopTest, ConfigurationTextSumAndBounds)
{
    const std::string part1 = "[TOTAL] 12\n";
    const std::string part2 = "[START]\n";
    uint8_t sum = 0;
    for (const std::string* s : {&part1, &part2}) {
        Bytes data(s->begin(), s->end());
        data.insert(data.begin(), 1);
        for (char c : *s)
            sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
        Handle(Answer(0x90, data));
        EXPECT_EQ(g_bSend.load(), 0);
    }
    EXPECT_STREQ(ADBufferConfig, "[TOTAL] 12\n[START]\n");
    EXPECT_EQ(g_ConfigCheck.load(), sum);
    EXPECT_EQ(g_OverRecConfig.load(), 0);

    Handle(Answer(0x90, {2, static_cast<uint8_t>(sum + 1)}));
    EXPECT_EQ(g_OverRecConfig.load(), 1);
    EXPECT_EQ(g_RecConfigRight.load(), 0);
    EXPECT_EQ(g_bSend.load(), 1);
    Handle(Answer(0x90, {2, sum}));
    EXPECT_EQ(g_RecConfigRight.load(), 1);

    // A zero byte ends the text, but the sum counts what follows it.
    g_ConfigCheck = 0;
    std::memset(ADBufferConfig, 0, sizeof ADBufferConfig);
    Handle(Answer(0x90, {1, 'A', 0, 'B'}));
    EXPECT_STREQ(ADBufferConfig, "A");
    EXPECT_EQ(g_ConfigCheck.load(), 'A' + 'B');

    // Text beyond the buffer is not stored; the last byte stays the terminator.
    std::memset(ADBufferConfig, 0, sizeof ADBufferConfig);
    Bytes big(1 + 6000, 'x');
    big[0] = 1;
    Handle(Answer(0x90, big));
    Handle(Answer(0x90, big));
    EXPECT_EQ(strnlen(ADBufferConfig, sizeof ADBufferConfig), sizeof ADBufferConfig - 1);
}

TEST_F(ReceiveLoopTest, ReadModeAnswerAndEndOfReadMode)
{
    g_WaveTransOver = 0;
    g_CT = 1;  // the answer to a lock request: taken as that reply
    Handle(Answer(0x92, {0, 1}));
    EXPECT_EQ(g_CT.load(), 0);
    EXPECT_EQ(g_WaveTransOver.load(), 0);
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_EQ(g_bSend.load(), 1);

    Handle(Answer(0x92, {0, 1}));
    EXPECT_EQ(g_WaveTransOver.load(), 1);
    EXPECT_EQ(g_ReadWfm.load(), 1);
    Handle(Answer(0x92, {0, 7}));  // other values leave it
    EXPECT_EQ(g_ReadWfm.load(), 1);
    Handle(Answer(0x92, {0, 0}));
    EXPECT_EQ(g_ReadWfm.load(), 0);

    AllocateSampleBuffers(100);
    Samples(0, Filled(10, 1));
    g_ReadWfm = 1;
    g_WaveTransOver = 0;
    g_bSend = 0;
    Handle(Answer(0x85));
    EXPECT_EQ(loop.ChannelWritePosition(0), 0);
    EXPECT_EQ(host.queueClears.load(), 1);
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_EQ(g_WaveTransOver.load(), 1);
    EXPECT_EQ(g_bSend.load(), 1);
}

TEST_F(ReceiveLoopTest, ScreenImageIsBoundedAndAnnouncedWhenComplete)
{
    Bytes piece(1 + 60000, 0x07);
    piece[0] = 1;
    for (int i = 0; i < 6; ++i)
        Handle(Answer(0xA0, piece));
    EXPECT_EQ(loop.ScreenWritePosition(), 360000);
    EXPECT_EQ(ADBufferUI[359999], 0x07);
    EXPECT_EQ(g_bSend.load(), 0);
    piece.assign(1 + 30000, 0x09);
    piece[0] = 1;
    Handle(Answer(0xA0, piece));  // only 24000 of these fit
    EXPECT_EQ(ADBufferUI[383999], 0x09);
    EXPECT_EQ(loop.ScreenWritePosition(), 390000);
    EXPECT_EQ(host.screenPosts.load(), 0);

    Handle(Answer(0xA0, {2}));
    EXPECT_EQ(loop.ScreenWritePosition(), 0);
    EXPECT_EQ(host.screenPosts.load(), 1);
    EXPECT_EQ(g_bSend.load(), 1);
    Handle(Answer(0xA0, {1, 0x33}));
    EXPECT_EQ(ADBufferUI[0], 0x33);
}

TEST_F(ReceiveLoopTest, WaveformRecordWithAnnouncedLength)
{
    AllocateSampleBuffers(8);
    g_GridNum = 16.0f;
    Handle(Answer(0x82, {0, 0x40, 0x06, 0x00}));  // 1600 announced, depth 8
    EXPECT_EQ(waveDataLen, 8);
    EXPECT_EQ(WaveDots, 0);
    EXPECT_EQ(host.lastLength.load(), 8);
    EXPECT_TRUE(loop.LengthAnnounced());
    EXPECT_EQ(g_bSend.load(), 0);

    AllocateSampleBuffers(4000);
    Handle(Answer(0x82, {0, 0x80, 0x0C, 0x00}));  // 3200
    EXPECT_EQ(waveDataLen, 3200);
    EXPECT_EQ(WaveDots, 200);

    EXPECT_EQ(Samples(1, Filled(5, 50)), CReceiveLoop::kApplied);
    EXPECT_EQ(Samples(1, Filled(3, 60)), CReceiveLoop::kApplied);
    EXPECT_EQ(Samples(0, Filled(2, 90)), CReceiveLoop::kApplied);
    EXPECT_EQ(Samples(2, Filled(4, 1)), CReceiveLoop::kApplied);  // no such channel
    EXPECT_EQ(Bytes(ADBufferCH2, ADBufferCH2 + 9), (Bytes{50, 51, 52, 53, 54, 60, 61, 62, 0}));
    EXPECT_EQ(Bytes(ADBufferCH1, ADBufferCH1 + 3), (Bytes{90, 91, 0}));
    EXPECT_EQ(g_bSend.load(), 0);

    const int lengthChanges = host.lengthChanges.load();
    Handle(Answer(0x82, {2}));  // end of record: the announced length stands
    EXPECT_EQ(waveDataLen, 3200);
    EXPECT_EQ(host.lengthChanges.load(), lengthChanges);
    EXPECT_EQ(host.notified.load(), 1);
    EXPECT_EQ(g_bSend.load(), 1);
    EXPECT_EQ(loop.ChannelWritePosition(0), 0);
    EXPECT_EQ(loop.ChannelWritePosition(1), 0);
    EXPECT_FALSE(loop.LengthAnnounced());
}

TEST_F(ReceiveLoopTest, WaveformRecordWithoutAnnouncedLength)
{
    AllocateSampleBuffers(10);
    g_GridNum = 2.0f;
    Samples(0, Filled(6, 1));
    Samples(0, Filled(6, 100));  // positions 6..11: only 6..9 stored
    EXPECT_EQ(ADBufferCH1[9], 103);
    EXPECT_EQ(loop.ChannelWritePosition(0), 12);
    Handle(Answer(0x82, {2}));
    EXPECT_EQ(waveDataLen, 10);  // never more than the depth
    EXPECT_EQ(WaveDots, 5);
    EXPECT_EQ(host.lastLength.load(), 10);

    Samples(1, Filled(4, 1));    // only CH2 has samples
    Handle(Answer(0x82, {2}));
    EXPECT_EQ(waveDataLen, 4);

    host.lengthChanges = 0;
    Handle(Answer(0x82, {2}));   // no samples at all: the length stays
    EXPECT_EQ(waveDataLen, 4);
    EXPECT_EQ(host.lengthChanges.load(), 1);
    EXPECT_EQ(host.notified.load(), 3);
}

TEST_F(ReceiveLoopTest, AbandonedRecordNotifiesOnlyInStoppedStates)
{
    AllocateSampleBuffers(100);
    for (const char* state : {"STOP", "Ready", "Astop", "Armed", "Scan", "Auto", "stop", ""}) {
        g_wfmParam.strState = state;
        Samples(0, Filled(3, 1));
        g_bSend = 0;
        host.notified = 0;
        Handle(Answer(0x82, {3}));
        EXPECT_EQ(loop.ChannelWritePosition(0), 0) << state;
        EXPECT_EQ(g_bSend.load(), 1) << state;
        const bool stopped = std::string(state) == "STOP" || std::string(state) == "Ready" ||
                             std::string(state) == "Astop" || std::string(state) == "Armed";
        EXPECT_EQ(host.notified.load(), stopped ? 1 : 0) << state;
    }
}

TEST_F(ReceiveLoopTest, SamplesWithoutBufferReportTheMemoryError)
{
    FreeSampleBuffers();
    EXPECT_EQ(Samples(0, Filled(4, 1)), CReceiveLoop::kMemoryError);
    const auto messages = ShownMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "over range for memory!");
    g_nLanguage = 1;
    Samples(1, Filled(4, 1));
    EXPECT_EQ(ShownMessages().back(), g_strMemoryErr[1]);

    // A sample packet too short to hold any samples stores nothing.
    AllocateSampleBuffers(10);
    EXPECT_EQ(Handle(Answer(0x82, {1})), CReceiveLoop::kApplied);
    EXPECT_EQ(loop.ChannelWritePosition(0), 0);
}
