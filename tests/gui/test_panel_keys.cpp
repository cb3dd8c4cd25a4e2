// The virtual front panel's keys and timers: key commands through the key
// table, held knob keys repeating, the screen poll, the model's captions and
// colours, the key-table gate and what closing the panel leaves behind.
#include <QAbstractButton>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "PanelTestSupport.h"
#include "ScopedPrompts.h"
#include "ui/ShellHooks.h"
#include "link/view/FrontPanelEntry.h"
#include "link/view/LCDCtrl.h"
#include "link/view/PanelKeyButton.h"
#include "link/view/VirtualPanel.h"

namespace {
constexpr int kCh1PositionUp = 1051;
constexpr int kCh1VoltsUp = 1058;
constexpr int kAutoset = 1026;
constexpr int kMultipurposeRight = 1073;   // FN-MRIGHT-KEY, as is 1076
constexpr int kMultipurposeRightTurn = 1076;

class PanelKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPanelState();
        LoadTestKeyTable();
    }
    void TearDown() override { ResetPanelState(); }

    static void Mouse(QAbstractButton* button, QEvent::Type type)
    {
        const QPointF inside(5, 5);
        QMouseEvent event(type, inside, button->mapToGlobal(inside), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &event);
    }
};

std::vector<uint8_t> KeyFrame(uint8_t key)
{
    const uint8_t sum = static_cast<uint8_t>(0x53 + 0x04 + 0x13 + key + 0x01);
    return {0x53, 0x04, 0x00, 0x13, key, 0x01, sum};
}
}  // namespace

TEST_F(PanelKeysTest, KeyButtonQueuesItsKeyCommandAheadOfEverything)
{
    g_bSend.store(0);   // nothing leaves, so the list can be read
    CDSOSetup sender;
    CVirtualPanel panel(&sender);
    CommandArgs status;
    status.nCmd = kCmdStatus;
    sender.SendCommand(status);
    sender.SendCommand(status);
    ASSERT_EQ(sender.PendingCount(), 2u);

    panel.Button(kAutoset)->click();   // CT-AUTOSET-KEY is position 3
    ASSERT_EQ(sender.PendingFrames(), std::vector<std::vector<uint8_t>>{KeyFrame(3)});
    EXPECT_EQ(KeyFrame(3), (std::vector<uint8_t>{0x53, 0x04, 0x00, 0x13, 0x03, 0x01, 0x6E}));

    // A key the connected model does not list still goes out, as key 0xFF.
    panel.Button(1039)->click();   // FN-0-KEY is not in the description
    EXPECT_EQ(sender.PendingFrames(), std::vector<std::vector<uint8_t>>{KeyFrame(0xFF)});
    // Both buttons of a knob direction send the same key.
    panel.Button(kMultipurposeRightTurn)->click();
    EXPECT_EQ(sender.PendingFrames(), std::vector<std::vector<uint8_t>>{KeyFrame(5)});
    EXPECT_EQ(panel.OnButtonCommand(kMultipurposeRight), 1);
    EXPECT_EQ(sender.PendingFrames(), std::vector<std::vector<uint8_t>>{KeyFrame(5)});
    // An id that is no key sends nothing.
    EXPECT_EQ(panel.OnButtonCommand(CVirtualPanel::kIdPrintButton), 0);
    EXPECT_EQ(CVirtualPanel::KeyName(CVirtualPanel::kIdPrintButton), nullptr);
    EXPECT_STREQ(CVirtualPanel::KeyName(kAutoset), "CT-AUTOSET-KEY");
    sender.ClearCommands();
}

TEST_F(PanelKeysTest, HoldingAKnobKeyRepeatsItEveryRepeatTick)
{
    CRecordingSender sender;
    CVirtualPanel panel(&sender);
    QAbstractButton* up = panel.Button(kCh1PositionUp);
    ASSERT_NE(up, nullptr);

    Mouse(up, QEvent::MouseButtonPress);
    EXPECT_EQ(panel.HeldKeyFlag(0), 1);
    EXPECT_TRUE(panel.IsRepeatTimerActive());
    EXPECT_TRUE(sender.sent.empty());   // the press alone sends nothing
    for (int tick = 0; tick < 1000 / CVirtualPanel::kRepeatTimerMs; ++tick) {
        g_bSend.store(0);
        panel.OnRepeatTimer();
        EXPECT_EQ(g_bSend.load(), 1);   // each tick releases the sender
    }
    EXPECT_EQ(sender.Count(kCmdKey), 20);
    Mouse(up, QEvent::MouseButtonRelease);   // the click sends it once more
    EXPECT_EQ(sender.Count(kCmdKey), 21);
    for (const auto& s : sender.sent) {
        EXPECT_EQ(s.llValue, 2);   // VT-CH1-PADD-KEY
        EXPECT_EQ(s.nKeyArg, 1);
    }
    for (int i = 0; i < CVirtualPanel::kHeldKeyCount; ++i)
        EXPECT_EQ(panel.HeldKeyFlag(i), 0);

    // After the release the ticks send nothing.
    panel.OnRepeatTimer();
    panel.OnRepeatTimer();
    EXPECT_EQ(sender.Count(kCmdKey), 21);

    // A key that does not repeat is sent once, on release, however long it is held.
    QAbstractButton* volts = panel.Button(kCh1VoltsUp);
    Mouse(volts, QEvent::MouseButtonPress);
    for (int tick = 0; tick < 20; ++tick)
        panel.OnRepeatTimer();
    Mouse(volts, QEvent::MouseButtonRelease);
    EXPECT_EQ(sender.Count(kCmdKey), 22);
    EXPECT_EQ(sender.sent.back().llValue, 4);   // VT-CH1-VBADD-KEY
}

TEST_F(PanelKeysTest, TimersFollowStartStopAndVisibility)
{
    CRecordingSender sender;
    CVirtualPanel panel(&sender);
    EXPECT_FALSE(panel.IsScreenTimerActive());   // not polling while hidden
    panel.show();
    EXPECT_TRUE(panel.IsScreenTimerActive());
    EXPECT_EQ(panel.ScreenTimerInterval(), 800);
    EXPECT_TRUE(panel.IsRepeatTimerActive());

    panel.OnScreenTimer();
    ASSERT_EQ(sender.Count(kCmdScreen), 1);
    EXPECT_EQ(sender.sent.back().nCmd, kCmdScreen);

    panel.StopCommand();
    EXPECT_FALSE(panel.IsScreenTimerActive());
    EXPECT_FALSE(panel.IsRepeatTimerActive());
    // Holding a knob key while stopped runs the repeat only for the hold.
    QAbstractButton* up = panel.Button(kCh1PositionUp);
    Mouse(up, QEvent::MouseButtonPress);
    EXPECT_TRUE(panel.IsRepeatTimerActive());
    Mouse(up, QEvent::MouseButtonRelease);
    EXPECT_FALSE(panel.IsRepeatTimerActive());

    panel.StartCommand();
    EXPECT_TRUE(panel.IsScreenTimerActive());
    EXPECT_EQ(panel.ScreenTimerInterval(), 500);
    // While running, a hold ending leaves the repeat timer pacing the sender.
    Mouse(up, QEvent::MouseButtonPress);
    Mouse(up, QEvent::MouseButtonRelease);
    EXPECT_TRUE(panel.IsRepeatTimerActive());

    // Hiding the panel in the middle of a hold ends the hold and the timers.
    Mouse(up, QEvent::MouseButtonPress);
    panel.hide();
    EXPECT_EQ(panel.HeldKeyFlag(0), 0);
    EXPECT_FALSE(panel.IsScreenTimerActive());
    EXPECT_FALSE(panel.IsRepeatTimerActive());
    panel.show();
    EXPECT_EQ(panel.ScreenTimerInterval(), 500);
    EXPECT_TRUE(panel.IsRepeatTimerActive());
}

TEST_F(PanelKeysTest, CaptionsAndKeyColoursFollowTheModel)
{
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam.nModel = 3;
    }
    CVirtualPanel plain(nullptr);
    EXPECT_EQ(plain.ShownBandwidth(), QString("200 MHZ"));
    EXPECT_EQ(plain.ShownSampleRate(), QString("1 GS/s"));
    auto* ch1Key = qobject_cast<CPanelKeyButton*>(plain.Button(1029));
    ASSERT_NE(ch1Key, nullptr);
    EXPECT_EQ(ch1Key->FaceColor(), QColor(0xF3, 0xF3, 0xF3));

    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam.nModel = 8;
    }
    CVirtualPanel coloured(nullptr);
    EXPECT_EQ(coloured.ShownBandwidth(), QString("25 MHZ"));
    EXPECT_EQ(coloured.ShownSampleRate(), QString("250 MSa/s"));
    auto face = [&](int id) { return qobject_cast<CPanelKeyButton*>(coloured.Button(id))->FaceColor(); };
    EXPECT_EQ(face(1029), QColor(0xF6, 0xFE, 0x6D));   // CH1 keys
    EXPECT_EQ(face(1061), QColor(0x88, 0xD2, 0xDF));   // CH2 keys
    EXPECT_EQ(face(1030), QColor(0xFB, 0x57, 0x95));   // math
    EXPECT_EQ(face(1057), QColor(0xFF, 0xD1, 0x31));   // trigger keys
    EXPECT_EQ(face(1019), QColor(0xF3, 0xF3, 0xF3));   // menu keys stay plain

    EXPECT_EQ(CVirtualPanel::GroupFaceColor(10, 0), QColor(0xF3, 0xF3, 0xF3));
    EXPECT_EQ(CVirtualPanel::GroupFaceColor(5, 4), QColor(0xF3, 0xF3, 0xF3));
    EXPECT_EQ(CVirtualPanel::BandwidthCaption(12), QString());
    EXPECT_EQ(CVirtualPanel::SampleRateCaption(-1), QString());
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam.nModel = 40;   // a number no table holds
    }
    CVirtualPanel unknown(nullptr);
    EXPECT_EQ(unknown.ShownBandwidth(), QString());
}

TEST_F(PanelKeysTest, PanelOpensOnlyWithTheKeyTable)
{
    ScopedPrompts prompts;
    g_bVKTable.store(0);
    EXPECT_FALSE(CanOpenVirtualPanel(nullptr));
    EXPECT_EQ(CreateVirtualPanel(nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(prompts.notices, QStringList({"The Virtual Keyboard of configuration files  not exist!",
                                            "The Virtual Keyboard of configuration files  not exist!"}));
    ASSERT_TRUE(FrontPanelHook());
    EXPECT_EQ(FrontPanelHook()(ShellPanelContext{}), nullptr);

    prompts.notices.clear();
    g_bVKTable.store(1);
    EXPECT_TRUE(CanOpenVirtualPanel(nullptr));
    std::unique_ptr<QWidget> fromHook(FrontPanelHook()(ShellPanelContext{}));
    EXPECT_NE(qobject_cast<CVirtualPanel*>(fromHook.get()), nullptr);
    EXPECT_TRUE(prompts.notices.isEmpty());
}

TEST_F(PanelKeysTest, ScreenImagesReachTheMirrorAndClosingReleasesReadMode)
{
    g_bSend.store(0);
    CDSOSetup sender;
    auto panel = std::make_unique<CVirtualPanel>(&sender);
    panel->show();
    EXPECT_EQ(CVirtualPanel::Current(), panel.get());
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        ADBufferUI[0] = 5;
        ADBufferUI[kScreenBufferSize - 1] = 148;
    }
    DeliverScreenReady(panel.get());
    EXPECT_EQ(panel->ScreensReceived(), 1);
    EXPECT_EQ(panel->LCD()->ColorRefAt(0, 0), 0x0000FFu);
    EXPECT_EQ(panel->LCD()->ColorRefAt(799, 479), 0x990000u);
    EXPECT_EQ(CurrentInstrumentScreen().pixel(0, 0), qRgb(0xFF, 0, 0));
    ASSERT_TRUE(ScreenImageHook());
    EXPECT_EQ(ScreenImageHook()().pixel(799, 479), qRgb(0, 0, 0x99));

    CommandArgs status;
    status.nCmd = kCmdStatus;
    sender.SendCommand(status);
    g_WaveTransOver.store(0);
    panel.reset();
    // Only the read-mode release is left, at the head: 18, position 1, value 0.
    const std::vector<uint8_t> release = {0x53, 0x04, 0x00, 0x12, 0x01, 0x00, 0x6A};
    EXPECT_EQ(sender.PendingFrames(), std::vector<std::vector<uint8_t>>{release});
    EXPECT_EQ(g_WaveTransOver.load(), 1);
    EXPECT_EQ(CVirtualPanel::Current(), nullptr);
    EXPECT_EQ(g_hVtBoardWnd, nullptr);
    // Without a panel the screen picture comes straight from the last image.
    EXPECT_EQ(CurrentInstrumentScreen().pixel(0, 0), qRgb(0xFF, 0, 0));
    sender.ClearCommands();
}

// Every opening of the panel, however it was asked for, takes the link from
// the data windows and every closing gives it back: waiting commands dropped,
// read mode released (18, position 1, value 0), a new transfer allowed.
TEST_F(PanelKeysTest, EachOpeningTakesTheLinkAndEachClosingGivesItBack)
{
    g_bSend.store(0);   // nothing leaves, so the list can be read
    class CStoppedSender : public CDSOSetup {
    public:
        int IsThirdTraceOn() const override { return 1; }
        int IsStopped() const override { return 1; }
    } sender;
    CVirtualPanel panel(&sender);
    const std::vector<std::vector<uint8_t>> release = {{0x53, 0x04, 0x00, 0x12, 0x01, 0x00, 0x6A}};
    CommandArgs status;
    status.nCmd = kCmdStatus;
    for (int opening = 0; opening < 2; ++opening) {
        sender.SendCommand(status);
        sender.SendCommand(status);
        g_WaveTransOver.store(0);
        panel.show();
        EXPECT_TRUE(panel.IsOpen());
        EXPECT_EQ(sender.PendingFrames(), release);
        EXPECT_TRUE(panel.OpenedWith().ch1Shown && panel.OpenedWith().ch2Shown);
        EXPECT_TRUE(panel.OpenedWith().mathShown);
        EXPECT_TRUE(panel.OpenedWith().stopped);

        sender.SendCommand(status);
        panel.hide();
        EXPECT_FALSE(panel.IsOpen());
        EXPECT_EQ(sender.PendingFrames(), release);
        EXPECT_EQ(g_WaveTransOver.load(), 1);
        sender.ClearCommands();
    }
}
