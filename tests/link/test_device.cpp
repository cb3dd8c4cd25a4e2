// The device layer: connecting, the worker threads, the watchdog and the ways
// a link comes down.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "FakeDriver.h"
#include "LinkTestSupport.h"
#include "RecordingHost.h"
#include "corvane/SharedState.h"
#include "link/UsbDevice.h"

namespace {
class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override
    {
        device.reset();
        ResetSharedState();
    }
    // Waits until the receive thread has really ended (it clears the flags
    // before it returns, so they alone do not say it has finished).
    bool WaitLinkIdle()
    {
        return driver->WaitFor([&] {
            return driver->openHandles == 0 && g_bTransfering.load() == 0 && !device->IsReceiverAlive();
        });
    }

    LinkTimings timings = FastTimings();
    std::shared_ptr<CFakeDriver> driver = std::make_shared<CFakeDriver>();
    CRecordingHost host;
    std::unique_ptr<CUsbDevice> device = std::make_unique<CUsbDevice>(driver, &host, timings);
};
}  // namespace

TEST_F(DeviceTest, ConnectRefusalsAndTheirMessages)
{
    driver->absent = true;
    EXPECT_EQ(device->Connect(), 0);
    EXPECT_EQ(driver->lastPath, "\\\\.\\Ezusb-0");
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{"Please check the oscillograph whether already connected!"});
    EXPECT_EQ(device->GetDeviceHandle(), 0);
    EXPECT_EQ(g_bRunThreadR.load(), 0);

    driver->absent = false;
    driver->startResult = 0;
    g_nLanguage = 1;
    EXPECT_EQ(device->Connect(), 0);
    EXPECT_EQ(ShownMessages().back(), "联机失败！请重启示波器，然后重新连接！");
    EXPECT_EQ(driver->openHandles, 0);  // the handle was closed again
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(g_bTransfering.load(), 0);

    // With a link up (or a receive thread still alive) Connect does nothing.
    g_bTransfering = 1;
    const int opens = driver->opens;
    EXPECT_EQ(device->Connect(), 0);
    EXPECT_EQ(driver->opens, opens);
    EXPECT_EQ(ShownMessages().size(), 2u);
    g_bTransfering = 0;

    // Disconnect with no link makes no driver call.
    device->Disconnect();
    EXPECT_EQ(driver->opens, opens);
    EXPECT_EQ(driver->stops, 0);
}

TEST_F(DeviceTest, ConnectStartsThreadsAndDisconnectEndsThemQuietly)
{
    ASSERT_EQ(device->Connect(), 1);
    EXPECT_EQ(g_bRunThreadR.load(), 1);
    EXPECT_NE(device->GetDeviceHandle(), 0);
    EXPECT_EQ(driver->starts, 1);
    ASSERT_TRUE(driver->WaitFor([&] { return driver->pendingReads == 1; }));
    EXPECT_EQ(g_bTransfering.load(), 1);
    EXPECT_EQ(device->m_bReadDone.load(), 0);

    g_bSend = 0;
    driver->Queue(Answer(0x80));
    ASSERT_TRUE(driver->WaitDrained());
    EXPECT_EQ(g_bSend.load(), 1);  // the answer released the sender

    device->Disconnect();
    EXPECT_EQ(driver->stops, 1);
    ASSERT_TRUE(WaitLinkIdle());
    EXPECT_EQ(device->GetDeviceHandle(), 0);
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_TRUE(ShownMessages().empty());       // the user asked for it
    ASSERT_TRUE(driver->WaitFor([&] { return host.disconnectPosts.load() == 1; }));
    EXPECT_EQ(host.timerStops.load(), 1);
}

TEST_F(DeviceTest, PulledCableTakesTheLinkDownOnceAndReconnectWorks)
{
    ASSERT_EQ(device->Connect(), 1);
    ASSERT_TRUE(driver->WaitFor([&] { return driver->pendingReads == 1; }));
    g_ReadWfm = 1;
    driver->Pull();
    ASSERT_TRUE(WaitLinkIdle());
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{"Data transmission fail!"});
    EXPECT_EQ(host.disconnectPosts.load(), 1);
    EXPECT_EQ(host.timerStops.load(), 1);

    EXPECT_EQ(device->Connect(), 0);            // still unplugged
    EXPECT_EQ(ShownMessages().back(), "Please check the oscillograph whether already connected!");
    driver->Plug();
    ASSERT_EQ(device->Connect(), 1);
    ASSERT_TRUE(driver->WaitFor([&] { return driver->pendingReads == 1; }));
    device->Disconnect();
    ASSERT_TRUE(WaitLinkIdle());
    EXPECT_EQ(ShownMessages().size(), 2u);
}

TEST_F(DeviceTest, WatchdogReleasesTheSenderAfterSilence)
{
    ASSERT_EQ(device->Connect(), 1);
    driver->Queue(Answer(0x80));
    ASSERT_TRUE(driver->WaitDrained());
    g_bSend = 0;
    g_WaveTransOver = 0;
    // The instrument stays silent: after the silence limit both flags come back.
    ASSERT_TRUE(driver->WaitFor([] { return g_bSend.load() == 1 && g_WaveTransOver.load() == 1; }));
    EXPECT_EQ(g_bRunThreadR.load(), 1);         // the link itself stays up
    device->Disconnect();
    ASSERT_TRUE(WaitLinkIdle());
}

TEST_F(DeviceTest, FailedWriteEndsTheReceiveThreadAfterItsRead)
{
    ASSERT_EQ(device->Connect(), 1);
    ASSERT_TRUE(driver->WaitFor([&] { return driver->pendingReads == 1; }));
    driver->writeResult = 0;
    const uint8_t frame[] = {'S', 2, 0, 1, 0x56};
    EXPECT_EQ(device->WriteData(frame, 5), 0);
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    driver->Queue(Answer(0x80));                // the pending read returns ...
    ASSERT_TRUE(WaitLinkIdle());                // ... and the thread ends without a message
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_EQ(host.disconnectPosts.load(), 0);

    driver->writeResult = 1;
    ASSERT_EQ(device->Connect(), 1);
    device->Disconnect();
    ASSERT_TRUE(WaitLinkIdle());
}

TEST_F(DeviceTest, ReconnectAfterFailedWriteWhileTheInstrumentIsSilent)
{
    ASSERT_EQ(device->Connect(), 1);
    ASSERT_TRUE(driver->WaitFor([&] { return driver->pendingReads == 1; }));
    driver->writeResult = 0;
    const uint8_t frame[] = {'S', 2, 0, 1, 0x56};
    device->WriteData(frame, 5);
    // No answer ever comes: the next Connect stops the old read itself.
    driver->writeResult = 1;
    ASSERT_EQ(device->Connect(), 1);
    EXPECT_EQ(g_bRunThreadR.load(), 1);
    device->Disconnect();
    ASSERT_TRUE(WaitLinkIdle());
}

TEST_F(DeviceTest, SamplesWithoutBufferCloseTheHandleAndTheLinkFails)
{
    ASSERT_EQ(device->Connect(), 1);
    driver->Queue(Answer(0x82, {1, 0, 5, 6, 7}));
    ASSERT_TRUE(WaitLinkIdle());
    EXPECT_EQ(ShownMessages(), (std::vector<std::string>{"over range for memory!", "Data transmission fail!"}));
    EXPECT_EQ(g_bRunThreadR.load(), 0);
}

TEST_F(DeviceTest, HundredConnectDisconnectCyclesLeaveNothingBehind)
{
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(device->Connect(), 1) << i;
        driver->Queue(Answer(0x80));
        device->Disconnect();
    }
    ASSERT_TRUE(WaitLinkIdle());
    device.reset();                             // joins every thread
    EXPECT_EQ(driver->openHandles, 0);
    EXPECT_EQ(driver->starts, 100);
    EXPECT_EQ(driver->stops, 100);
    EXPECT_TRUE(ShownMessages().empty());
}
