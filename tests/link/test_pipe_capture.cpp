// A capture through the libusb backend over the simulated instrument's USB
// pipe (answers cut into transfers, pauses longer than a read slice) gets the
// same records as the same capture read from the instrument directly (the
// signals are locked to the trigger, so the records do not depend on when
// they are asked for).
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

#include "FakeDriver.h"
#include "LinkTestSupport.h"
#include "SessionTestViews.h"
#include "corvane/SharedState.h"
#include "link/LibUsbDriver.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"
#include "sim/SimInstrument.h"
#include "sim/SimUsbPipe.h"

namespace {
constexpr int kRecords = 3;
constexpr int kRecordBytes = 3200;

// Short timers, but longer limits than the pipe's pauses.
LinkTimings PipeTimings()
{
    LinkTimings t = FastTimings();
    t.watchdogSilenceMs = 3000;
    t.protocolTimeoutMs = 8000;
    t.keyTableTimeoutMs = 4000;
    t.stopFrameWaitMs = 50;
    t.readModeWaitShortMs = 100;
    t.readModeWaitLongMs = 100;
    t.statusPollMs = 200;
    t.acquisitionMs = 100;
    return t;
}

// The settings panel's part of the exchange: a parameter block that arrived
// releases the sender.
class CReleasingPanel : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != static_cast<QEvent::Type>(kMsgSettingsChanged))
            return QObject::event(e);
        g_bSend.store(1);
        return true;
    }
};

// Both channels of the first kRecords records a running sheet is told of.
std::vector<Bytes> Capture(UsbDriverPtr driver)
{
    ResetSharedState();
    CReleasingPanel panel;
    CLinkSession session(std::move(driver), PipeTimings());
    session.SetSettingsPanel(&panel);
    std::vector<Bytes> records;
    EXPECT_EQ(session.ConnectCommand(), 1);
    AllocateSampleBuffers(4000);
    CTestView sheet(LinkViewClass::WaveformSheet, true);
    session.RegisterView(&sheet);
    session.ViewStarted();
    for (int r = 0; r < kRecords && !::testing::Test::HasFailure(); ++r) {
        // The settings decode's part: read mode answered, the records asked for.
        EXPECT_TRUE(session.WaitUntil([] { return g_ReadWfm.load() == 1; }, 10000));
        g_ReadWfm = 0;
        const int before = sheet.recorder.Count(kMsgWaveformSheetUpdate);
        session.RequestWaveforms();
        EXPECT_TRUE(session.WaitUntil(
            [&] { return sheet.recorder.Count(kMsgWaveformSheetUpdate) >= before + 2 && g_WaveTransOver.load() == 1; },
            10000));
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        records.emplace_back(ADBufferCH1, ADBufferCH1 + kRecordBytes);
        records.emplace_back(ADBufferCH2, ADBufferCH2 + kRecordBytes);
    }
    sheet.running = false;
    session.ViewStopped();
    session.UnregisterView(&sheet);
    session.DisconnectCommand();
    FreeSampleBuffers();
    ResetSharedState();
    return records;
}

std::shared_ptr<CSimInstrument> Sim()
{
    std::string error;
    auto sim = CreateSimInstrument("seed=4,ch1=sine:2k:3,ch2=sine:4k:2", &error);
    EXPECT_TRUE(sim) << error;
    return sim;
}
}  // namespace

TEST(UsbPipeCapture, RecordsThroughTheSimulatedPipeEqualTheDirectOnes)
{
    const std::vector<Bytes> direct = Capture(Sim());
    ASSERT_EQ(direct.size(), 2u * kRecords);
    SimPipePlan plan;
    plan.maxBytes = 3000;
    plan.pauseMs = 150;   // longer than the 100 ms read slice
    plan.pauseEvery = 3;
    auto pipe = std::make_shared<CSimUsbPipe>(Sim(), plan, 4);
    const std::vector<Bytes> piped = Capture(std::make_shared<CLibUsbDriver>(LibUsbConfig{}, pipe));
    EXPECT_EQ(piped, direct);
    EXPECT_GT(pipe->Pauses(), 0u);
    EXPECT_GT(pipe->Transfers(), 50u);
}
