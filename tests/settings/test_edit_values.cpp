// Edits against the simulated instrument: the values that reach the block
// (instrument values, not list positions; time bases with their offset; volts
// per division with fine mode; swap names) and the decode that reads them back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "SettingsRig.h"
#include "corvane/SharedState.h"
#include "corvane/WaveMemory.h"
#include "parlex/Parlex.h"
#include "settings/ChoiceLists.h"
#include "settings/SettingKinds.h"
#include "sim/SimState.h"
#include "tessary/UI_Sys_table.h"

namespace {

void Apply(CSettingsRig& rig, int kind, int target, SettingChoice choice)
{
    const EditResult r = rig.Edit(kind, target, choice);
    ASSERT_EQ(r.outcome, EditOutcome::Applied) << "kind " << kind << " target " << target;
}

int64_t Decoded(const CSettingsRig& rig, int kind, int target)
{
    const SettingValue* v = rig.model->Records().Find(kind, target);
    return v ? v->value : -1;
}

void SetOnInstrument(CSettingsRig& rig, const char* name, int64_t value)
{
    rig.sim->WithState([&](SimState& s) { s.block.Set(name, value); });
    rig.WaitForFreshDecode();
}

}  // namespace

TEST(SettingsEdits, SegmentValuesNotListPositionsReachTheBlock)
{
    CSettingsRig rig("model=0");  // QX1022: trigger couplings DC, AC, HFREJ (3), LFREJ (4)
    ASSERT_TRUE(rig.Connect());
    Apply(rig, KIND_TRIGGER_COUPLING, kTargetNormal, {3, ""});
    EXPECT_EQ(rig.sim->Param("TRIG-COUP"), 4);
    EXPECT_EQ(Decoded(rig, KIND_TRIGGER_COUPLING, kTargetNormal), 3);
    EXPECT_EQ(rig.model->Records().trigger.normal.coupling.text, "LFREJ");

    Apply(rig, KIND_PERSISTENCE, 0, {4, ""});
    EXPECT_EQ(rig.sim->Param("DISPLAY-PERSIST"), 10);
    EXPECT_EQ(Decoded(rig, KIND_PERSISTENCE, 0), 4);

    Apply(rig, KIND_STORE_DEPTH, 0, {3, ""});
    EXPECT_EQ(rig.sim->Param("ACQURIE-STORE-DEPTH"), 3);
    EXPECT_EQ(rig.model->Records().acquire.storeDepth.text, "512K");
}

TEST(SettingsEdits, SwapTargetsWriteOnlyTheirOwnNamesWithSegmentValues)
{
    CSettingsRig rig("model=0");
    ASSERT_TRUE(rig.Connect());
    const int64_t normalSlope = rig.sim->Param("TRIG-EDGE-SLOPE");
    const EditResult r = rig.Edit(KIND_EDGE_SLOPE, kTargetSwapCH2, {1, ""});
    ASSERT_EQ(r.outcome, EditOutcome::Applied);
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"TRIG-SWAP-CH2-EDGE-SLOPE", 1}}));
    EXPECT_EQ(rig.sim->Param("TRIG-SWAP-CH2-EDGE-SLOPE"), 1);
    EXPECT_EQ(rig.sim->Param("TRIG-SWAP-CH1-EDGE-SLOPE"), 0);
    EXPECT_EQ(rig.sim->Param("TRIG-EDGE-SLOPE"), normalSlope);
    EXPECT_EQ(Decoded(rig, KIND_EDGE_SLOPE, kTargetSwapCH2), 1);
    EXPECT_EQ(Decoded(rig, KIND_EDGE_SLOPE, kTargetNormal), normalSlope);

    // A swap coupling carries the instrument value too: HFREJ is 3 at position 2.
    Apply(rig, KIND_TRIGGER_COUPLING, kTargetSwapCH1, {2, ""});
    EXPECT_EQ(rig.sim->Param("TRIG-SWAP-CH1-COUP"), 3);
    EXPECT_EQ(Decoded(rig, KIND_TRIGGER_COUPLING, kTargetSwapCH1), 2);
    EXPECT_EQ(rig.model->Records().trigger.swap[0].coupling.text, "HFREJ");
    EXPECT_EQ(rig.model->ApplyChoice(KIND_TRIGGER_COUPLING, kTargetSwapCH1, {3, ""}).writes,
              (std::vector<ParamWrite>{{"TRIG-SWAP-CH1-COUP", 4}}));

    // The swap type lists the types without SWAP and moves no menu.
    ASSERT_EQ(rig.model->RequestFor(KIND_TRIGGER_TYPE, kTargetSwapCH1).labels.size(), 5u);
    Apply(rig, KIND_TRIGGER_TYPE, kTargetSwapCH1, {2, ""});
    EXPECT_EQ(rig.sim->Param("TRIG-SWAP-CH1-TYPE"), 2);
    EXPECT_EQ(rig.model->Records().trigger.swap[0].type.text, "PULSE");
}

TEST(SettingsEdits, TimeBasesCarryTheirOffsetAndFollowTheChannels)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    // Main time base: position 0 (400 ns) is not allowed with two channels.
    EditResult r = rig.Edit(KIND_MAIN_TIME_BASE, 0, {0, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"HORIZ-TB", 8}, {"HORIZ-WIN-TB", 8}}));
    EXPECT_EQ(rig.sim->Param("HORIZ-TB"), 8);
    EXPECT_EQ(Decoded(rig, KIND_MAIN_TIME_BASE, 0), 1);
    EXPECT_EQ(rig.model->Records().horizontal.mainTimeBase.text, "800ns");
    Apply(rig, KIND_MAIN_TIME_BASE, 0, {5, ""});  // 20 us: code 11
    EXPECT_EQ(rig.sim->Param("HORIZ-TB"), 12);
    EXPECT_EQ(rig.sim->Param("HORIZ-WIN-TB"), 12);
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        EXPECT_EQ(g_wfmParam.nTimeBaseIndex, 11);
        EXPECT_FLOAT_EQ(g_wfmParam.fMeasureTimeBase, 20000.0f);
    }

    // Window time base: from position 7 (800 ns) up both follow; below, the
    // main one goes to its fastest entry for two channels.
    r = rig.Edit(KIND_WINDOW_TIME_BASE, 0, {10, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"HORIZ-WIN-TB", 11}, {"HORIZ-TB", 11}}));
    r = rig.Edit(KIND_WINDOW_TIME_BASE, 0, {3, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"HORIZ-WIN-TB", 4}, {"HORIZ-TB", 8}}));
    EXPECT_EQ(rig.sim->Param("HORIZ-WIN-TB"), 4);
    EXPECT_EQ(Decoded(rig, KIND_WINDOW_TIME_BASE, 0), 3);
    EXPECT_EQ(rig.model->Records().horizontal.windowTimeBase.text, "40.0ns");

    // A channel going off with a fast window time base frees the 400 ns entry.
    r = rig.Edit(KIND_CHANNEL_ON, 2, {0, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"HORIZ-TB", 7}, {"VERT-CH2-DISP", 0}}));
    EXPECT_EQ(rig.sim->Param("HORIZ-TB"), 7);
    EXPECT_EQ(Decoded(rig, KIND_MAIN_TIME_BASE, 0), 0);
    // ... and coming back on moves the main time base off it.
    r = rig.Edit(KIND_CHANNEL_ON, 2, {1, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"HORIZ-TB", 8}, {"VERT-CH2-DISP", 1}}));
    EXPECT_EQ(rig.sim->Param("VERT-CH2-DISP"), 1);
}

TEST(SettingsEdits, TimeBaseEditClearsRecordsUnlessStopped)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    auto fill = [] {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        MallocWaveDataBuf(4000, 0, 0.8f);
        std::memset(ADBufferCH1, 0x11, static_cast<size_t>(g_DepthSize));
        std::memset(ADBufferCH2, 0x22, static_cast<size_t>(g_DepthSize));
    };
    // First CH1 byte and last CH2 byte, as one number.
    auto ends = [] {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        return ADBufferCH1[0] * 256 + ADBufferCH2[g_DepthSize - 1];
    };
    fill();
    Apply(rig, KIND_MAIN_TIME_BASE, 0, {6, ""});
    EXPECT_EQ(ends(), 0);

    ASSERT_EQ(rig.Edit(KIND_STOP, 0, {}).outcome, EditOutcome::KeySent);
    ASSERT_TRUE(rig.WaitUntil([&] { return rig.model->Records().trigger.state.text == "STOP"; }));
    fill();
    Apply(rig, KIND_WINDOW_TIME_BASE, 0, {12, ""});
    EXPECT_EQ(ends(), 0x1122);
}

TEST(SettingsEdits, VoltsPerDivisionWithFineModeOffAndOn)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    EditResult r = rig.Edit(KIND_VOLTS_PER_DIV, 1, {-1, "300mV"});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"VERT-CH1-VB", 7}, {"VERT-CH1-CNT-FINE", 0}, {"VERT-CH1-FINE", 0}}));
    EXPECT_EQ(rig.sim->Param("VERT-CH1-VB"), 7);
    EXPECT_EQ(rig.model->Records().channel[0].voltsPerDiv.value, 500000);
    EXPECT_EQ(rig.model->Records().channel[0].voltsPerDiv.text, "500 mv");
    Apply(rig, KIND_VOLTS_PER_DIV, 1, {-1, "2mV"});  // the first entry exactly
    EXPECT_EQ(rig.sim->Param("VERT-CH1-VB"), 0);

    SetOnInstrument(rig, "VERT-CH1-FINE", 1);
    r = rig.Edit(KIND_VOLTS_PER_DIV, 1, {-1, "300mV"});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"VERT-CH1-VB", 6}, {"VERT-CH1-CNT-FINE", 25}, {"VERT-CH1-FINE", 1}}));
    EXPECT_EQ(rig.sim->Param("VERT-CH1-CNT-FINE"), 25);
    EXPECT_EQ(rig.model->Records().channel[0].voltsPerDiv.value, 300000);
    EXPECT_EQ(rig.model->Records().channel[0].voltsPerDiv.text, "300 mv");
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        EXPECT_EQ(g_wfmParam.llCH1VoltBase, 300000);
        EXPECT_NE(g_wfmParam.nCH1ScaleOverride, 0);
    }
    // With a 10x probe the labels scale with it: 3 V lies 25 steps above 2 V.
    Apply(rig, KIND_PROBE, 1, {1, ""});
    r = rig.Edit(KIND_VOLTS_PER_DIV, 1, {-1, "3V"});
    EXPECT_EQ(r.writes[1], (ParamWrite{"VERT-CH1-CNT-FINE", 25}));
    EXPECT_EQ(rig.model->Records().channel[0].voltsPerDiv.value, 3000000);
}

TEST(SettingsEdits, PositionAndInvertMoveTheTriggerLevel)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    // CH1 is the edge source at position 50 with the level at 50.
    EditResult r = rig.Edit(KIND_VERT_POSITION, 1, {-1, "1.00"});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"TRIG-VPOS", 25}, {"VERT-CH1-POS", 25}}));
    EXPECT_EQ(rig.sim->Param("TRIG-VPOS"), 25);
    EXPECT_EQ(r.text, "1.00");
    // CH2 is not the source: the level stays.
    r = rig.Edit(KIND_VERT_POSITION, 2, {-1, "-1.00"});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"VERT-CH2-POS", -25}}));

    Apply(rig, KIND_TRIGGER_LEVEL, 0, {-1, "0.5"});  // 0.48 V above CH1's ground at 1 V/div
    EXPECT_EQ(rig.sim->Param("TRIG-VPOS"), 37);
    EXPECT_EQ(rig.model->Records().trigger.level.text, "480 mv");
    r = rig.Edit(KIND_INVERT, 1, {1, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"TRIG-VPOS", 13}, {"VERT-CH1-RPHASE", 1}}));
    EXPECT_EQ(rig.sim->Param("VERT-CH1-RPHASE"), 1);
    // Inverting again to the same value mirrors nothing.
    r = rig.Edit(KIND_INVERT, 1, {1, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"VERT-CH1-RPHASE", 1}}));
}

TEST(SettingsEdits, TypedValuesRoundTrip)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    // The tree shows a typed value as the dialog's processor wrote it back.
    const EditResult typed = rig.Edit(KIND_TRIGGER_POSITION, 0, {-1, "100us"});
    EXPECT_EQ(rig.sim->Param("HORIZ-TRIGTIME"), 100000000);
    EXPECT_EQ(rig.model->Records().horizontal.triggerPosition.text, typed.text);
    Apply(rig, KIND_HOLDOFF, 0, {-1, "2us"});
    EXPECT_EQ(rig.sim->Param("TRIG-HOLDTIME"), 2000000);
    Apply(rig, KIND_TRIGGER_TYPE, kTargetNormal, {4, ""});
    EXPECT_EQ(rig.sim->Param("CONTROL-MENUID"), 1);  // CH1 menu on screen: not a trigger menu
    Apply(rig, KIND_OVERTIME_TIME, kTargetNormal, {-1, "3ms"});
    EXPECT_EQ(rig.sim->Param("TRIG-OVERTIME-TIME"), 3000000000);
    EXPECT_EQ(rig.model->Records().trigger.overtimeTime.text, "3.000 ms");
    Apply(rig, KIND_TRIGGER_TYPE, kTargetNormal, {3, ""});
    Apply(rig, KIND_SLOPE_V1, kTargetNormal, {-1, "-0.2"});  // CH1 source, 1 V/div, position 50
    EXPECT_EQ(rig.sim->Param("TRIG-SLOPE-V1"), 45);
    EXPECT_EQ(rig.model->Records().trigger.normal.slopeV1.text, "-200 mv");
    Apply(rig, KIND_SLOPE_TIME, kTargetNormal, {-1, "5ns"});  // held at 20 ns
    EXPECT_EQ(rig.sim->Param("TRIG-SLOPE-TIME"), 20000);

    // In a trigger menu the instrument's menu follows the chosen type.
    SetOnInstrument(rig, "CONTROL-MENUID", 22);
    const EditResult r = rig.Edit(KIND_TRIGGER_TYPE, kTargetNormal, {1, ""});
    EXPECT_EQ(r.writes, (std::vector<ParamWrite>{{"TRIG-TYPE", 1}, {"CONTROL-MENUID", 8}}));
    EXPECT_EQ(rig.sim->Param("CONTROL-MENUID"), 8);
}
