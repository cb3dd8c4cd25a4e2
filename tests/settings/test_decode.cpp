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
    EXPECT_EQ(g_wfmParam.nHorizScaleIndex, 14);  // the views' scale code: 200 us
    EXPECT_FLOAT_EQ(g_wfmParam.fMeasureTimeBase, 200000.0f);
    EXPECT_EQ(g_wfmParam.nTrigLevel, 0);
    EXPECT_EQ(g_wfmParam.nMathPos, 0);  // CH1 + CH2 positions
    EXPECT_FALSE(g_wfmParam.strState.empty());
    EXPECT_EQ(g_bSend.load(), 1);
}

namespace {

int64_t DecodedValue(const CSettingsRig& rig, int kind, int target)
{
    const SettingValue* v = rig.model->Records().Find(kind, target);
    return v ? v->value : -1;
}

// Brings the instrument into the state in which a kind may be edited.
void Prepare(CSettingsRig& rig, const KindInfo& info, int target)
{
    auto ensure = [&](int kind, int t, int position) {
        if (DecodedValue(rig, kind, t) != position)
            rig.Edit(kind, t, {position, ""});
    };
    if (info.kind == KIND_AVERAGE_COUNT)
        ensure(KIND_ACQUIRE_MODE, 0, 2);
    if (info.kind == KIND_STORE_DEPTH)
        ensure(KIND_ACQUIRE_MODE, 0, 0);
    if (info.kind >= KIND_FFT_SOURCE && info.kind <= KIND_FFT_ZOOM)
        ensure(KIND_MATH_OPERATION, 0, 3);
    if (info.kind == KIND_TRIGGER_COUPLING) {
        ensure(KIND_EDGE_SOURCE, kTargetNormal, 0);
        ensure(KIND_TRIGGER_TYPE, target, 0);
    }
    if (info.triggerType >= 0)
        ensure(KIND_TRIGGER_TYPE, target, info.triggerType);
}

std::vector<int> RoundTripTargets(const KindInfo& info)
{
    switch (info.scope) {
    case KindScope::Channel: return {1, 2};
    case KindScope::Measure: return {4};
    case KindScope::Trigger: return {kTargetNormal, kTargetSwapCH1};
    default: return {info.kind >= KIND_TRIGGER_MODE ? kTargetNormal : 0};
    }
}

}  // namespace

// Every list setting: the next entry of its list is edited, reaches the
// instrument, and the next block decodes back to that entry.
TEST(SettingsDecode, EveryListSettingRoundTrips)
{
    CSettingsRig rig("model=4");
    ASSERT_TRUE(rig.Connect());
    int checked = 0;
    for (const KindInfo* info = KindsBegin(); info != KindsEnd(); ++info) {
        if (info->input != KindInput::List)
            continue;
        for (int target : RoundTripTargets(*info)) {
            Prepare(rig, *info, target);
            const int64_t before = DecodedValue(rig, info->kind, target);
            const int count = static_cast<int>(rig.model->RequestFor(info->kind, target).labels.size());
            ASSERT_GT(count, 1) << "kind " << info->kind;
            const int chosen = static_cast<int>((before + 1) % count);
            const EditResult r = rig.Edit(info->kind, target, {chosen, ""});
            ASSERT_EQ(r.outcome, EditOutcome::Applied) << "kind " << info->kind << " target " << target;
            EXPECT_EQ(DecodedValue(rig, info->kind, target), chosen) << "kind " << info->kind << " target " << target;
            EXPECT_FALSE(rig.model->Records().Find(info->kind, target)->text.empty()) << "kind " << info->kind;
            // Settings that lock others out go back.
            if (info->kind == KIND_DISPLAY_FORMAT || info->kind == KIND_ACQUIRE_TYPE ||
                info->kind == KIND_STORE_DEPTH || info->kind == KIND_CHANNEL_ON)
                rig.Edit(info->kind, target, {static_cast<int>(before), ""});
            ++checked;
        }
    }
    EXPECT_GE(checked, 50);
}
