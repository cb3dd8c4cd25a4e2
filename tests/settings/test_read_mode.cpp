// Read mode, position offsets, the model check and the keys, against the
// simulated instrument. The read-mode cases stop the status poll and feed the
// decode a prepared block, so that no other block comes between.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstring>

#include "SettingsRig.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "corvane/WaveMemory.h"
#include "link/LinkSession.h"
#include "parlex/Parlex.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsMessages.h"
#include "sim/SimState.h"

namespace {

// A running data window that keeps the first record length it is told (the
// decode's; the instrument's own record, of its own depth, follows).
class CLengthView : public ILinkView {
public:
    LinkViewClass ViewClass() const override { return LinkViewClass::Measurement; }
    QObject* Receiver() const override { return &m_receiver; }
    bool IsRunning() const override { return true; }
    int32_t RecordLength() const override { return m_length.load(); }
    void ChangeRecordLength(int32_t length) override
    {
        m_length.store(length);
        int32_t none = 0;
        m_first.compare_exchange_strong(none, length);
    }
    void StopAcquisition() override {}
    int32_t FirstLength() const { return m_first.load(); }

private:
    mutable QObject m_receiver;
    std::atomic<int32_t> m_length{0};
    std::atomic<int32_t> m_first{0};
};

void Poke(const char* name, int64_t value)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    ParlexParam.PCParamToDSOdata(name, value, g_pSysParamBuffer);
}

// A connected rig whose status poll no longer brings blocks.
void Quiet(CSettingsRig& rig)
{
    rig.session->StopStatusPoll();
    rig.WaitUntil([&] { return rig.model->PendingCount() == 0 && rig.sim->PacketsQueued() == 0; });
    QCoreApplication::processEvents();
}

struct ReadModeOutcome {
    int32_t depth;
    int32_t viewLength;
    float grid;
    int framesSent;
};

ReadModeOutcome DecodeInReadMode(CSettingsRig& rig, int menuShown)
{
    CLengthView view;
    rig.session->RegisterView(&view);
    MallocWaveDataBuf(4000, 0, 0.8f);
    Poke("ACQURIE-STORE-DEPTH", 3);  // 512K
    Poke("CONTROL-DISP-MENU", menuShown);
    const int before = rig.sim->FramesWritten();
    g_ReadWfm.store(1);
    rig.model->OnSettingsChanged();
    rig.WaitUntil([&] { return rig.sim->FramesWritten() >= before + 3; }, 2000);
    rig.session->UnregisterView(&view);
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    return {g_DepthSize, view.FirstLength(), g_GridNum, rig.sim->FramesWritten() - before};
}

}  // namespace

TEST(SettingsReadMode, SizesBuffersToTheStoreDepthAndRequestsWaveforms)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    Quiet(rig);
    ReadModeOutcome shown = DecodeInReadMode(rig, 1);
    EXPECT_EQ(shown.depth, 400000);
    EXPECT_EQ(shown.viewLength, 320000);
    EXPECT_FLOAT_EQ(shown.grid, 16.0f);
    EXPECT_GE(shown.framesSent, 3);  // CH2, CH1, read mode released
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_TRUE(g_bSend.load() == 1 || rig.model->PendingCount() > 0);

    Quiet(rig);
    ReadModeOutcome hidden = DecodeInReadMode(rig, 0);
    EXPECT_EQ(hidden.depth, 400000);
    EXPECT_EQ(hidden.viewLength, 384000);
    EXPECT_FLOAT_EQ(hidden.grid, 19.2f);

    // Outside read mode nothing is resized and nothing is sent.
    Quiet(rig);
    MallocWaveDataBuf(4000, 0, 0.8f);
    const int before = rig.sim->FramesWritten();
    rig.model->OnSettingsChanged();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.model->PendingCount(), 0u);
    EXPECT_EQ(rig.sim->FramesWritten(), before);
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    EXPECT_EQ(g_DepthSize, 4000);
    EXPECT_FLOAT_EQ(g_GridNum, 19.2f);
}

TEST(SettingsReadMode, PositionOffsetsWhileHeldAndWhileScanning)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    Quiet(rig);
    g_OldPosY[0] = 10;
    Poke("VERT-CH1-POS", 30);
    Poke("TRIG-STATE", 0);  // STOP
    g_ReadWfm.store(1);
    rig.model->OnSettingsChanged();
    EXPECT_EQ(g_CH1DexY, 20);
    EXPECT_EQ(g_OldPosY[0], 10);

    // Outside read mode a moved trace keeps its base.
    rig.model->OnSettingsChanged();
    EXPECT_EQ(g_OldPosY[0], 10);

    Quiet(rig);
    Poke("TRIG-STATE", 4);  // Scan
    g_ReadWfm.store(1);
    rig.model->OnSettingsChanged();
    EXPECT_EQ(g_CH1DexY, 0);
    EXPECT_EQ(g_OldPosY[0], 30);
    EXPECT_EQ(g_wfmParam.strState, "Scan");
    rig.WaitUntil([&] { return rig.model->PendingCount() == 0; });
}

TEST(SettingsReadMode, ModelWithoutSettingsFileIsReportedOnEveryDecode)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    const std::string timeBase = rig.model->Records().horizontal.mainTimeBase.text;
    CSettingsRig::TakeMessages();
    rig.sim->WithState([](SimState& s) { s.block.Set("CONTROL-TYPE", 1); });  // QX1042: no file shipped
    std::vector<std::string> shown;
    ASSERT_TRUE(rig.WaitUntil([&] {
        for (const std::string& m : CSettingsRig::TakeMessages())
            shown.push_back(m);
        return shown.size() >= 3;  // once per block
    }));
    for (const std::string& m : shown)
        EXPECT_EQ(m, szNoConfigFile[0]);
    EXPECT_EQ(g_bSend.load(), 1);  // the sender is not left blocked

    // The attached model comes back: its table is loaded again and decoded.
    rig.sim->WithState([](SimState& s) { s.block.Set("CONTROL-TYPE", 4); });
    ASSERT_TRUE(rig.WaitUntil([&] { return rig.model->ModelName() == "QX1202"; }));
    rig.WaitForFreshDecode();
    CSettingsRig::TakeMessages();
    rig.WaitForFreshDecode();
    EXPECT_TRUE(CSettingsRig::TakeMessages().empty());
    EXPECT_EQ(rig.model->Records().horizontal.mainTimeBase.text, timeBase);
}

// A volts/div code the model's list does not hold reads as the list's first
// entry ("2.0mV" in the shipped table), as every segment lookup does; the
// message pane hears of it once per link, and no box is raised on the decodes
// of every status poll.
TEST(SettingsReadMode, UnknownVoltCodeReadsAsTheFirstEntryNotedOncePerLink)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    Quiet(rig);
    CSettingsRig::TakeMessages();
    CSettingsRig::TakeNotes();
    for (int link = 0; link < 2; ++link) {
        Poke("VERT-CH1-PROBE", 0);
        Poke("VERT-CH1-CNT-FINE", 0);
        Poke("VERT-CH1-VB", 40);
        for (int decode = 0; decode < 3; ++decode)
            rig.model->OnSettingsChanged();
        EXPECT_TRUE(CSettingsRig::TakeMessages().empty());
        const ChannelRecord& ch1 = rig.model->Records().channel[0];
        EXPECT_EQ(ch1.voltsPerDiv.value, 2000);
        EXPECT_EQ(CSettingsRig::TakeNotes(),
                  std::vector<std::string>{"CH1: volts/div code 40 is not in this model's list; shown as " +
                                           ch1.voltsPerDiv.text + "."});
        rig.session->DisconnectCommand();
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.WaitForFreshDecode());
        Quiet(rig);
        CSettingsRig::TakeMessages();
        CSettingsRig::TakeNotes();
    }
}

TEST(SettingsReadMode, ChineseLabelsComeFromTheChineseFile)
{
    ResetSettingsState();
    g_nLanguage = 1;
    CSettingsRig rig;
    g_nLanguage = 1;
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.model->Records().channel[0].display.text, "开启");
    EXPECT_EQ(rig.model->Records().trigger.normal.type.text, "边沿");
    g_nLanguage = 0;
}

TEST(SettingsKeys, RunStopOnlyWhenTheyApplyAndLockRepliesAreNotReadMode)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_NE(rig.model->Records().trigger.state.text, "STOP");
    EXPECT_EQ(rig.Edit(KIND_RUN, 0, {}).outcome, EditOutcome::Unchanged);
    EXPECT_EQ(rig.Edit(KIND_STOP, 0, {}).outcome, EditOutcome::KeySent);
    ASSERT_TRUE(rig.WaitUntil([&] { return rig.model->Records().trigger.state.text == "STOP"; }));
    EXPECT_EQ(rig.Edit(KIND_STOP, 0, {}).outcome, EditOutcome::Unchanged);
    EXPECT_EQ(rig.Edit(KIND_RUN, 0, {}).outcome, EditOutcome::KeySent);
    ASSERT_TRUE(rig.WaitUntil([&] { return rig.model->Records().trigger.state.text != "STOP"; }));

    CFixedChoice none({});
    EXPECT_EQ(rig.model->ApplyEdit(KIND_LOCK, 0, none).outcome, EditOutcome::KeySent);
    EXPECT_EQ(g_CT.load(), 1);
    ASSERT_TRUE(rig.WaitUntil([] { return g_CT.load() == 0; }));
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_EQ(rig.model->ApplyEdit(KIND_UNLOCK, 0, none).outcome, EditOutcome::KeySent);
    EXPECT_EQ(rig.model->ApplyEdit(KIND_FRONT_PANEL, 0, none).outcome, EditOutcome::FrontPanel);
    const FrontPanelState panel = rig.model->OpenFrontPanel();
    EXPECT_TRUE(panel.ch1Shown);
    EXPECT_FALSE(panel.mathShown);
    EXPECT_FALSE(panel.stopped);
}
