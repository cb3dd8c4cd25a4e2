// The pending-command list and the send thread.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "FakeDriver.h"
#include "LinkTestSupport.h"
#include "corvane/SharedState.h"
#include "link/DSOSetup.h"
#include "link/UsbDevice.h"

namespace {
CommandArgs Cmd(int32_t code, int64_t value = -1)
{
    CommandArgs a;
    a.nCmd = code;
    a.nPos = 1;
    a.llValue = value;
    return a;
}

// Command byte of every waiting frame, head first.
std::vector<int> Codes(const CDSOSetup& s)
{
    std::vector<int> codes;
    for (const auto& f : s.PendingFrames())
        codes.push_back(f[3]);
    return codes;
}

void WaitSendPolls(const LinkTimings& t, int polls = 10)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(t.sendPollMs * polls));
}

class SenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        g_bSend = 0;  // hold everything in the list
    }
    void TearDown() override
    {
        sender.StopSendThread();
        g_bSend = 1;
    }
    LinkTimings timings = FastTimings();
    std::shared_ptr<CFakeDriver> driver = std::make_shared<CFakeDriver>();
    CUsbDevice device{driver, nullptr, timings};
    CDSOSetup sender{timings};
};
}  // namespace

TEST_F(SenderTest, PlacementRulesOfTheList)
{
    sender.SendCommand(Cmd(1));
    sender.SendCommand(Cmd(32));
    CommandArgs wave = Cmd(2);
    wave.nSub = 1;
    wave.nChannel = 0;
    sender.SendCommand(wave);                 // head
    sender.SendCommand(Cmd(18, 1));           // value 1: tail
    sender.SendCommand(Cmd(18, 0));           // any other value: head
    EXPECT_EQ(Codes(sender), (std::vector<int>{18, 2, 1, 32, 18}));
    EXPECT_EQ(sender.PendingFrames().front()[5], 0);
    EXPECT_EQ(sender.PendingFrames().back()[5], 1);

    const uint8_t block[] = {9, 8, 7};
    CommandArgs params = Cmd(17);
    params.pData = block;
    params.nDataLen = 3;
    sender.SendCommand(params);               // one copy at the head, one at the tail
    const auto frames = sender.PendingFrames();
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(frames.front(), frames.back());
    EXPECT_EQ(frames.front()[3], 17);

    sender.SendCommand(Cmd(99));              // unknown code: empty frame at the tail
    EXPECT_EQ(sender.PendingFrames().back(), (Bytes{'S', 0, 0, 0, 0}));

    CommandArgs key = Cmd(19, 5);
    key.nKeyArg = 1;
    sender.SendCommand(key);                  // everything waiting is discarded
    ASSERT_EQ(sender.PendingCount(), 1u);
    EXPECT_EQ(sender.PendingFrames()[0][4], 5);

    CommandArgs refused = Cmd(17);
    refused.nDataLen = 10;                    // no data: nothing queued
    EXPECT_EQ(sender.SendCommand(refused), 0);
    EXPECT_EQ(sender.PendingCount(), 1u);
    sender.ClearCommands();
    EXPECT_EQ(sender.PendingCount(), 0u);
}

TEST_F(SenderTest, OneFramePerReleaseOfTheSendFlag)
{
    sender.SetDevice(&device);
    for (int code : {1, 32, 33})
        sender.SendCommand(Cmd(code));
    EXPECT_TRUE(sender.IsSendThreadRunning());
    WaitSendPolls(timings);
    EXPECT_EQ(driver->WrittenCount(), 0u);   // held while g_bSend is 0
    EXPECT_EQ(sender.PendingCount(), 3u);

    for (size_t n = 1; n <= 3; ++n) {
        g_bSend = 1;
        ASSERT_TRUE(driver->WaitFor([&] { return driver->written.size() == n; }));
        WaitSendPolls(timings);
        EXPECT_EQ(driver->WrittenCount(), n);  // the next one waits for the next release
        EXPECT_EQ(g_bSend.load(), 0);
    }
    const auto written = driver->Written();
    EXPECT_EQ(written[0][3], 1);
    EXPECT_EQ(written[1][3], 32);
    EXPECT_EQ(written[2][3], 33);
    EXPECT_EQ(sender.FramesWritten(), 3u);
    // Every write used a handle of its own, closed again.
    EXPECT_EQ(driver->opens, 3);
    EXPECT_EQ(driver->openHandles, 0);

    // An empty list leaves the flag as it is.
    g_bSend = 1;
    WaitSendPolls(timings);
    EXPECT_EQ(g_bSend.load(), 1);
}

TEST_F(SenderTest, LongFrameIsWrittenWhole)
{
    sender.SetDevice(&device);
    std::vector<uint8_t> block(3000, 0x5A);
    CommandArgs params = Cmd(17);
    params.pData = block.data();
    params.nDataLen = 3000;
    sender.SendCommand(params);
    g_bSend = 1;
    ASSERT_TRUE(driver->WaitFor([&] { return driver->written.size() == 1; }));
    const Bytes frame = driver->Written()[0];
    ASSERT_EQ(frame.size(), 3005u);
    EXPECT_EQ(frame[1] | (frame[2] << 8), 3002);
    EXPECT_EQ(frame[3004 - 1], 0x5A);
}

TEST_F(SenderTest, SendThreadStopsAndRestartsWithTheNextCommand)
{
    sender.SetDevice(&device);
    sender.SendCommand(Cmd(1));
    sender.StopSendThread();
    EXPECT_FALSE(sender.IsSendThreadRunning());
    g_bSend = 1;
    WaitSendPolls(timings);
    EXPECT_EQ(driver->WrittenCount(), 0u);   // records wait while no thread runs
    sender.SendCommand(Cmd(32));
    EXPECT_TRUE(sender.IsSendThreadRunning());
    ASSERT_TRUE(driver->WaitFor([&] { return driver->written.size() == 1; }));
    EXPECT_EQ(driver->Written()[0][3], 1);
}

TEST_F(SenderTest, FailedWriteTakesTheLinkDown)
{
    sender.SetDevice(&device);
    g_bRunThreadR = 1;
    g_bTransfering = 1;
    driver->writeResult = 0;
    sender.SendCommand(Cmd(1));
    g_bSend = 1;
    ASSERT_TRUE(driver->WaitFor([&] { return driver->opens == 1 && driver->openHandles == 0; }));
    sender.StopSendThread();
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(g_bTransfering.load(), 0);
    EXPECT_EQ(sender.PendingCount(), 0u);   // the frame counts as sent: never resent

    driver->absent = true;                  // the device cannot even be opened
    g_bRunThreadR = 1;
    g_bTransfering = 1;
    const uint8_t frame[] = {'S', 2, 0, 1, 0x56};
    EXPECT_EQ(device.WriteData(frame, 5), 0);
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(g_bTransfering.load(), 0);
}
