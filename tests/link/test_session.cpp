// The headless session: Connect and Disconnect commands against the simulated
// instrument, the configuration exchange and its failures, the timers, the
// views' notifications and the ways a running link comes down.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

#include "FakeDriver.h"
#include "LinkTestSupport.h"
#include "SessionTestViews.h"
#include "corvane/SharedState.h"
#include "link/DSOSetup.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"
#include "backend/UsbBackend.h"
#include "link/UsbDevice.h"
#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"
#include "sim/SimInstrument.h"

namespace {
std::shared_ptr<CSimInstrument> Sim(const std::string& options = "")
{
    std::string error;
    auto sim = CreateSimInstrument(options, &error);
    EXPECT_TRUE(sim) << error;
    return sim;
}

class SimSessionTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override
    {
        session.reset();
        ResetSharedState();
    }
    void Start(const std::string& options = "")
    {
        sim = Sim(options);
        session = std::make_unique<CLinkSession>(sim, FastTimings());
        QObject::connect(session.get(), &CLinkSession::ConnectionIndicator,
                         [this](bool up) { indicator.push_back(up); });
        session->SetSettingsPanel(&panel);
    }
    bool Wait(const std::function<bool()>& done) { return session->WaitUntil(done, 5000); }
    // Reads a parameter of the program's copy of the block, unsigned little-endian.
    int64_t Param(const std::string& name)
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        uint64_t v = 0;
        ParlexParam.DSOdataToPCValue(name, g_pSysParamBuffer, g_SysParamLen, v);
        return static_cast<int64_t>(v);
    }

    std::shared_ptr<CSimInstrument> sim;
    std::unique_ptr<CLinkSession> session;
    CEventRecorder panel;
    std::vector<bool> indicator;
};
}  // namespace

TEST_F(SimSessionTest, ConnectBuildsBothTablesAndTheBlock)
{
    Start("model=0");
    ASSERT_EQ(session->ConnectCommand(), 1);
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_TRUE(session->IsLinkReady());
    EXPECT_TRUE(session->IsStatusPollActive());
    EXPECT_EQ(indicator.front(), true);
    EXPECT_EQ(g_bVKTable.load(), 1);
    EXPECT_EQ(g_WaveTransOver.load(), 1);
    EXPECT_GT(ParlexParam.GetTable().size(), 100u);
    EXPECT_GE(g_VKTable.GetVKKeyPos("CT-AUTOSET-KEY"), 0);
    ASSERT_NE(g_pSysParamBuffer, nullptr);
    EXPECT_EQ(g_SysParamLen, ParlexParam.GetSysBufLen());

    // The status poll brings the instrument's block and tells the settings panel.
    ASSERT_TRUE(Wait([&] { return panel.Count(kMsgSettingsChanged) > 0; }));
    EXPECT_EQ(Param("CONTROL-TYPE"), 0);

    session->DisconnectCommand();
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_FALSE(session->IsStatusPollActive());
    EXPECT_FALSE(session->Sender().IsSendThreadRunning());
    EXPECT_EQ(indicator.back(), false);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(SimSessionTest, DescriptionDamagedOnceIsFetchedAgain)
{
    Start("fault=baddesc:1");
    ASSERT_EQ(session->ConnectCommand(), 1);
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_GT(ParlexParam.GetTable().size(), 100u);
    EXPECT_EQ(g_bVKTable.load(), 1);
}

TEST_F(SimSessionTest, DescriptionDamagedTwiceStopsTheLink)
{
    Start("fault=baddesc:2");
    EXPECT_EQ(session->ConnectCommand(), 0);
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{"Receive Config Error!"});
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(indicator.back(), false);
    EXPECT_EQ(g_pSysParamBuffer, nullptr);
    EXPECT_FALSE(session->IsStatusPollActive());
    // The failed read under the stopped link brings the rest of the Disconnect
    // command, and no further message.
    ASSERT_TRUE(Wait([&] { return !session->Sender().IsSendThreadRunning(); }));
    EXPECT_EQ(ShownMessages().size(), 1u);
}

TEST_F(SimSessionTest, SilentInstrumentTimesOutWithFullDisconnect)
{
    Start("fault=silence:0");
    g_nLanguage = 1;
    EXPECT_EQ(session->ConnectCommand(), 0);
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{"接收超时!"});
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_FALSE(session->Sender().IsSendThreadRunning());
    EXPECT_EQ(session->Sender().PendingCount(), 0u);
    EXPECT_EQ(indicator.back(), false);
}

TEST_F(SimSessionTest, MissingKeyDescriptionStillConnects)
{
    Start("fault=nokeys");
    ASSERT_EQ(session->ConnectCommand(), 1);
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_EQ(g_bVKTable.load(), 0);
    EXPECT_EQ(g_bSend.load(), 1);
    ASSERT_NE(g_pSysParamBuffer, nullptr);
    EXPECT_TRUE(session->IsStatusPollActive());
}

TEST_F(SimSessionTest, AbsentUsbInstrumentAsksToCheckTheConnection)
{
    const UsbBackend usb = CreateUsbBackend(UsbBackendRequest::LibUsb, "/nonexistent/Param.ini", "");
    ASSERT_TRUE(usb.driver);
    session = std::make_unique<CLinkSession>(usb.driver, FastTimings());
    EXPECT_EQ(session->ConnectCommand(), 0);
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{"Please check the oscillograph whether already connected!"});
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(session->Device().GetDeviceHandle(), 0);
}

// A link lost through a failed write leaves its frames queued and the sender
// held; the next Connect starts from an empty list and a released sender
// instead of sending them ahead of its own requests.
TEST_F(SimSessionTest, ConnectStartsWithoutWhatALostLinkLeftQueued)
{
    Start();
    g_bSend.store(0);
    CommandArgs status;
    status.nCmd = kCmdStatus;
    for (int i = 0; i < 5; ++i)
        session->Sender().SendCommand(status);
    ASSERT_EQ(session->Sender().PendingCount(), 5u);
    const int framesBefore = sim->FramesWritten();
    ASSERT_EQ(session->ConnectCommand(), 1);
    EXPECT_TRUE(ShownMessages().empty());
    // The protocol and key requests went out first (and only a status poll may follow).
    EXPECT_LE(sim->FramesWritten() - framesBefore, 4);
    session->DisconnectCommand();
}

TEST_F(SimSessionTest, AcquisitionCycleFillsTheChannelsAndNotifiesRunningViews)
{
    Start();
    ASSERT_EQ(session->ConnectCommand(), 1);
    AllocateSampleBuffers(4000);
    CTestView sheet(LinkViewClass::WaveformSheet, false);
    CTestView table(LinkViewClass::DataTable, false);
    session->RegisterView(&sheet);
    session->RegisterView(&table);

    sheet.running = true;
    session->ViewStarted();
    EXPECT_TRUE(session->IsAcquisitionTimerActive());
    // The timer's tick asks for read mode; the settings decode (played here)
    // answers the block that follows it with the waveform request.
    ASSERT_TRUE(Wait([] { return g_ReadWfm.load() == 1; }));
    g_ReadWfm = 0;
    session->RequestWaveforms();
    ASSERT_TRUE(Wait([&] { return sheet.recorder.Count(kMsgWaveformSheetUpdate) >= 2; }));
    ASSERT_TRUE(Wait([] { return g_WaveTransOver.load() == 1; }));
    EXPECT_EQ(table.recorder.Total(), 0u);  // not running: not told
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        int nonZero = 0;
        for (int i = 0; i < 3200; ++i)
            nonZero += ADBufferCH1[i] != 0;
        EXPECT_GT(nonZero, 1000);
        EXPECT_EQ(waveDataLen, 3200);
    }

    sheet.running = false;
    session->ViewStopped();
    EXPECT_FALSE(session->IsAcquisitionTimerActive());
    session->DisconnectCommand();
    session->UnregisterView(&sheet);
    session->UnregisterView(&table);
}

TEST_F(SimSessionTest, PulledCableMidTransferComesDownCleanlyAndReconnects)
{
    Start();
    ASSERT_EQ(session->ConnectCommand(), 1);
    AllocateSampleBuffers(4000);
    CTestView sheet(LinkViewClass::WaveformSheet);
    session->RegisterView(&sheet);
    session->ViewStarted();
    session->RequestWaveforms();
    sim->PullCable();
    ASSERT_TRUE(Wait([&] {
        return !session->Device().IsReceiverAlive() && !session->Sender().IsSendThreadRunning();
    }));
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{"Data transmission fail!"});
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_FALSE(session->IsAcquisitionTimerActive());
    EXPECT_FALSE(session->IsStatusPollActive());
    EXPECT_EQ(sheet.stops.load(), 1);        // the Disconnect command stopped the view
    EXPECT_EQ(g_updateNum.load(), 0);

    sim->PlugCable();
    ASSERT_EQ(session->ConnectCommand(), 1);
    EXPECT_EQ(ShownMessages().size(), 1u);
    session->DisconnectCommand();
    session->UnregisterView(&sheet);
}

TEST_F(SimSessionTest, DisconnectWhileATransferRuns)
{
    Start("latency=2");
    ASSERT_EQ(session->ConnectCommand(), 1);
    AllocateSampleBuffers(4000);
    g_ReadWfm = 1;  // in read mode the Disconnect command first lets the transfer finish
    session->RequestWaveforms();
    session->DisconnectCommand();
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_EQ(g_WaveTransOver.load(), 1);
    ASSERT_TRUE(Wait([] { return g_bTransfering.load() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(ShownMessages().empty());
    ASSERT_EQ(session->ConnectCommand(), 1);
}

TEST_F(SimSessionTest, HundredConnectsAndDisconnects)
{
    Start();
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(session->ConnectCommand(), 1) << i;
        session->DisconnectCommand();
    }
    session.reset();
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_EQ(g_bTransfering.load(), 0);
}

TEST_F(SimSessionTest, WatchdogFreesTheLinkWhenTheInstrumentFallsSilent)
{
    Start();
    ASSERT_EQ(session->ConnectCommand(), 1);
    session->StopStatusPoll();
    sim->Silence(100000);
    g_WaveTransOver = 0;
    session->Sender().SendCommand(CommandArgs{kCmdStatus});
    ASSERT_TRUE(Wait([&] { return session->Sender().PendingCount() == 0; }));
    g_bSend = 0;                             // the answer never comes ...
    ASSERT_TRUE(Wait([] { return g_bSend.load() == 1 && g_WaveTransOver.load() == 1; }));
    EXPECT_EQ(g_bRunThreadR.load(), 1);      // ... and the link stays up
    EXPECT_TRUE(ShownMessages().empty());
}

// ---------------------------------------------------------------------------
// Views and timers, without a link
// ---------------------------------------------------------------------------

namespace {
class ViewRuleTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
    std::shared_ptr<CFakeDriver> driver = std::make_shared<CFakeDriver>();
    CLinkSession session{driver, FastTimings()};
};
}  // namespace

TEST_F(ViewRuleTest, FirstRunningViewStartsTheAcquisitionTimerAndTheLastKillsIt)
{
    session.ViewStarted();
    EXPECT_TRUE(session.IsAcquisitionTimerActive());
    session.ViewStarted();
    EXPECT_EQ(g_updateNum.load(), 2);
    g_ReadWfm = 1;
    session.ViewStopped();
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_TRUE(session.IsAcquisitionTimerActive());
    session.ViewStopped();
    EXPECT_FALSE(session.IsAcquisitionTimerActive());
    EXPECT_EQ(g_updateNum.load(), 0);
}

TEST_F(ViewRuleTest, NotifyViewsByClassRunningAndPrinting)
{
    CTestView sheet(LinkViewClass::WaveformSheet), measure(LinkViewClass::Measurement),
        table(LinkViewClass::DataTable), spectrum(LinkViewClass::PowerSpectrum), arith(LinkViewClass::Arithmetic),
        bus(LinkViewClass::BusAnalysis), idle(LinkViewClass::WaveformSheet, false), hidden(LinkViewClass::Arithmetic);
    hidden.hasWindow = false;
    for (CTestView* v : {&sheet, &measure, &table, &spectrum, &arith, &bus, &idle, &hidden})
        session.RegisterView(v);
    session.RegisterView(&sheet);  // registered once only
    EXPECT_EQ(session.ViewCount(), 8u);

    session.NotifyViews();
    QCoreApplication::processEvents();
    EXPECT_EQ(sheet.recorder.Count(1126), 1);
    EXPECT_EQ(measure.recorder.Count(1131), 1);
    EXPECT_EQ(table.recorder.Count(1130), 1);
    EXPECT_EQ(spectrum.recorder.Count(1135), 1);
    EXPECT_EQ(arith.recorder.Count(1136), 1);
    EXPECT_EQ(bus.recorder.Count(1156), 1);
    EXPECT_EQ(idle.recorder.Total(), 0u);
    EXPECT_EQ(hidden.recorder.Total(), 0u);

    g_bPrintProcess = 1;  // only arithmetic and bus windows are told while printing
    session.NotifyViews();
    session.OnDataLengthChanged(1600);
    QCoreApplication::processEvents();
    EXPECT_EQ(sheet.recorder.Total() + measure.recorder.Total() + table.recorder.Total() +
                  spectrum.recorder.Total(),
              4u);
    EXPECT_EQ(arith.recorder.Count(1136), 2);
    EXPECT_EQ(bus.recorder.Count(1156), 2);
    EXPECT_EQ(sheet.length.load(), 3200);
    EXPECT_EQ(arith.length.load(), 1600);
    EXPECT_EQ(bus.length.load(), 1600);

    g_bPrintProcess = 0;
    session.OnDataLengthChanged(1600);
    EXPECT_EQ(sheet.length.load(), 1600);
    EXPECT_EQ(spectrum.length.load(), 1600);
    EXPECT_EQ(idle.length.load(), 3200);
    EXPECT_EQ(arith.lengthChanges.load(), 1);  // the length did not differ any more

    session.UnregisterView(&sheet);
    session.NotifyViews();
    QCoreApplication::processEvents();
    EXPECT_EQ(sheet.recorder.Total(), 1u);
    for (CTestView* v : {&measure, &table, &spectrum, &arith, &bus, &idle, &hidden})
        session.UnregisterView(v);
    EXPECT_EQ(session.ViewCount(), 0u);
}

TEST_F(ViewRuleTest, WaveformRequestFollowsTheChannelsThatAreOn)
{
    class CChannels : public CDSOSetup {
    public:
        int on[2] = {1, 1};
        int third = 0;
        int IsChannelOn(int c) const override { return on[c]; }
        int IsThirdTraceOn() const override { return third; }
    } settings;
    CTestView sheet(LinkViewClass::WaveformSheet), bus(LinkViewClass::BusAnalysis);
    session.RegisterView(&sheet);
    session.RegisterView(&bus);
    session.SetCommandSender(&settings);
    g_bSend = 0;

    session.RequestWaveforms();
    auto frames = settings.PendingFrames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ((Bytes{frames[0][3], frames[0][5]}), (Bytes{2, 1}));   // CH2 first
    EXPECT_EQ((Bytes{frames[1][3], frames[1][5]}), (Bytes{2, 0}));
    EXPECT_EQ((Bytes{frames[2][3], frames[2][4], frames[2][5]}), (Bytes{18, 1, 0}));

    settings.ClearCommands();
    settings.on[0] = settings.on[1] = 0;
    settings.third = 1;
    session.RequestWaveforms();
    EXPECT_EQ(settings.PendingCount(), 1u);
    EXPECT_EQ(sheet.clears.load(), 0);
    settings.third = 0;
    session.RequestWaveforms();
    EXPECT_EQ(sheet.clears.load(), 1);
    EXPECT_EQ(bus.clears.load(), 0);

    session.ClearCommandQueue();
    EXPECT_EQ(settings.PendingCount(), 0u);
    session.SetCommandSender(nullptr);
    settings.StopSendThread();
    session.UnregisterView(&sheet);
    session.UnregisterView(&bus);
}

TEST_F(ViewRuleTest, TimerTicksQueueTheirCommandsOnlyWhenAllowed)
{
    g_bSend = 0;
    CDSOSetup& sender = session.Sender();
    g_WaveTransOver = 1;
    g_wfmParam.strState = "STOP";
    session.OnAcquisitionTick();
    g_wfmParam.strState = "Auto";
    g_bFileProcess = 1;
    session.OnAcquisitionTick();
    g_bFileProcess = 0;
    EXPECT_EQ(sender.PendingCount(), 0u);
    session.OnAcquisitionTick();
    EXPECT_EQ(g_WaveTransOver.load(), 0);
    auto frames = sender.PendingFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ((Bytes{frames[0][3], frames[0][4], frames[0][5]}), (Bytes{18, 1, 1}));
    EXPECT_EQ(frames[1][3], 1);
    session.OnAcquisitionTick();  // a transfer is outstanding
    EXPECT_EQ(sender.PendingCount(), 2u);
    sender.ClearCommands();

    std::vector<bool> indicator;
    QObject::connect(&session, &CLinkSession::ConnectionIndicator, [&](bool up) { indicator.push_back(up); });
    g_bRunThreadR = 1;
    g_bTransfering = 1;
    session.StartStatusPoll();
    session.OnStatusPollTick();
    EXPECT_EQ(sender.PendingCount(), 1u);
    g_bFileProcess = 1;
    session.OnStatusPollTick();
    EXPECT_EQ(sender.PendingCount(), 1u);
    g_bTransfering = 0;  // the link went down: the poll stops itself
    session.OnStatusPollTick();
    EXPECT_FALSE(session.IsStatusPollActive());
    EXPECT_EQ(indicator, (std::vector<bool>{true, true, false}));
    g_bRunThreadR = 0;
    sender.ClearCommands();
}
