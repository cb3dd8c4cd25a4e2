// The decode of the instrument's parameter block: the default setup of the
// simulated instrument read into the group records and the waveform
// parameters, the model check, and read mode.
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
#include "tessary/UI_Sys_table.h"

namespace {

// A running data window that records the lengths it is told.
class CLengthView : public ILinkView {
public:
    LinkViewClass ViewClass() const override { return LinkViewClass::Measurement; }
    QObject* Receiver() const override { return &m_receiver; }
    bool IsRunning() const override { return true; }
    int32_t RecordLength() const override { return m_length; }
    void ChangeRecordLength(int32_t length) override { m_length = length; }
    void StopAcquisition() override {}

private:
    mutable QObject m_receiver;
    std::atomic<int32_t> m_length{0};
};


}  // namespace

TEST(SettingsDecode, DefaultSetupFillsRecordsAndWaveformParameters)
{
    CSettingsRig rig("model=4");
    ASSERT_TRUE(rig.Connect());
    const CSettingsRecords& r = rig.model->Records();
    EXPECT_EQ(rig.model->ModelName(), "QX1202");
    EXPECT_EQ(rig.model->RootText().toStdString(), "QX1202");

    EXPECT_EQ(r.channel[0].display.value, 1);
    EXPECT_EQ(r.channel[0].display.text, "ON");
    EXPECT_EQ(r.channel[0].position.value, 50);
    EXPECT_EQ(r.channel[0].position.text, "2.00");
    EXPECT_EQ(r.channel[1].position.value, -50);  // signed although read over its width
    EXPECT_EQ(r.channel[0].voltsPerDiv.value, 1000000);
    EXPECT_EQ(r.channel[0].voltsPerDiv.text, "1.00 v");
    EXPECT_EQ(r.horizontal.mainTimeBase.text, "200us");
    EXPECT_EQ(r.horizontal.mainTimePerDivNs, 200000);
    EXPECT_EQ(r.trigger.level.value, 50);
    EXPECT_EQ(r.trigger.level.text, "0.00 v");  // at CH1's ground: the level sits on the trace position
    EXPECT_EQ(r.trigger.holdoff.text, "500.0 ns");
    EXPECT_EQ(r.trigger.normal.type.text, "EDGE");
    EXPECT_EQ(r.measure[1].item.value, 1);

    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    EXPECT_EQ(g_wfmParam.nModel, 4);
    EXPECT_EQ(g_wfmParam.strModelName, "QX1202");
    EXPECT_EQ(g_wfmParam.nCH1Show, 1);
    EXPECT_EQ(g_wfmParam.nCH2Pos, -50);
    EXPECT_EQ(g_wfmParam.nCH1VoltIndex, 8);
    EXPECT_EQ(g_wfmParam.llCH1VoltBase, 1000000);
    EXPECT_EQ(g_wfmParam.nTimeBaseIndex, 14);
    EXPECT_FLOAT_EQ(g_wfmParam.fMeasureTimeBase, 200000.0f);
    EXPECT_EQ(g_wfmParam.nTrigLevel, 0);
    EXPECT_EQ(g_wfmParam.nMathPos, 0);  // CH1 + CH2 positions
    EXPECT_FALSE(g_wfmParam.strState.empty());
    EXPECT_EQ(g_bSend.load(), 1);
}
