// Refusals of the settings panel against the simulated instrument: each rule
// shows its message and nothing reaches the instrument.
#include <gtest/gtest.h>

#include "SettingsRig.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "settings/SettingKinds.h"
#include "tessary/UI_Sys_table.h"

namespace {

// Applies an edit that must be refused with message; the instrument's
// parameter keeps its value.
void ExpectRefused(CSettingsRig& rig, int kind, int target, SettingChoice choice, RefusalMessage message,
                   const char* param)
{
    const int64_t before = rig.sim->Param(param);
    CSettingsRig::TakeMessages();
    const EditResult r = rig.Edit(kind, target, choice);
    EXPECT_EQ(r.outcome, EditOutcome::Refused) << "kind " << kind;
    EXPECT_EQ(r.refusal, message) << "kind " << kind;
    EXPECT_TRUE(r.writes.empty());
    const std::vector<std::string> shown = CSettingsRig::TakeMessages();
    ASSERT_EQ(shown.size(), 1u) << "kind " << kind;
    EXPECT_EQ(shown[0], message[0]);
    EXPECT_EQ(rig.sim->Param(param), before) << param;
}

void Apply(CSettingsRig& rig, int kind, int target, SettingChoice choice)
{
    const EditResult r = rig.Edit(kind, target, choice);
    ASSERT_EQ(r.outcome, EditOutcome::Applied) << "kind " << kind;
}

}  // namespace

TEST(SettingsRefusals, NotConnectedShowsConnectFirstAndAsksNothing)
{
    CSettingsRig rig;
    CFixedChoice chooser({1, ""});
    const EditResult r = rig.model->ApplyEdit(KIND_COUPLING, 1, chooser);
    EXPECT_EQ(r.outcome, EditOutcome::NotConnected);
    EXPECT_EQ(chooser.LastRequest().kind, -1);  // the chooser was never asked
    EXPECT_EQ(CSettingsRig::TakeMessages(), std::vector<std::string>{szConnectFirst[0]});
    EXPECT_EQ(rig.model->PendingCount(), 0u);
}

TEST(SettingsRefusals, DisplayFormatMathAndScanRules)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    // FFT settings need the FFT operation.
    ExpectRefused(rig, KIND_FFT_WINDOW, 0, {1, ""}, szMathMode, "MATH-FFT-WIN");
    // XY format refuses math, time bases, trigger position and level, pulse width, level 50 %.
    Apply(rig, KIND_DISPLAY_FORMAT, 0, {1, ""});
    ExpectRefused(rig, KIND_FFT_WINDOW, 0, {1, ""}, szXYMode, "MATH-FFT-WIN");
    ExpectRefused(rig, KIND_MAIN_TIME_BASE, 0, {5, ""}, szXYMode, "HORIZ-TB");
    ExpectRefused(rig, KIND_TRIGGER_LEVEL, 0, {-1, "0.5"}, szXYMode, "TRIG-VPOS");
    const size_t queued = rig.model->PendingCount();
    ExpectRefused(rig, KIND_LEVEL_50, 0, {}, szXYMode, "TRIG-VPOS");  // a key kind, refused all the same
    EXPECT_EQ(rig.model->PendingCount(), queued);
    // ... while a hidden channel's position stays editable in XY.
    Apply(rig, KIND_CHANNEL_ON, 2, {0, ""});
    EXPECT_EQ(rig.Edit(KIND_VERT_POSITION, 2, {-1, "1.00"}).outcome, EditOutcome::Applied);
    Apply(rig, KIND_DISPLAY_FORMAT, 0, {0, ""});
    ExpectRefused(rig, KIND_VOLTS_PER_DIV, 2, {-1, "1V"}, szState, "VERT-CH2-VB");
    ExpectRefused(rig, KIND_VERT_POSITION, 2, {-1, "0.5"}, szState, "VERT-CH2-POS");

    // Math FFT shown: trigger position and store depth.
    Apply(rig, KIND_MATH_ON, 0, {1, ""});
    Apply(rig, KIND_MATH_OPERATION, 0, {3, ""});
    EXPECT_EQ(rig.sim->Param("DISPLAY-FORMAT"), 2);  // FFT brings its own display format
    ExpectRefused(rig, KIND_TRIGGER_POSITION, 0, {-1, "10us"}, szFFTMode, "HORIZ-TRIGTIME");
    ExpectRefused(rig, KIND_STORE_DEPTH, 0, {1, ""}, szFFTMode, "ACQURIE-STORE-DEPTH");
    Apply(rig, KIND_MATH_OPERATION, 0, {0, ""});
    EXPECT_EQ(rig.sim->Param("DISPLAY-FORMAT"), 0);

    // Scan range: trigger position and level; persistence lists its first entry only.
    EXPECT_GT(rig.model->RequestFor(KIND_PERSISTENCE, 0).labels.size(), 1u);
    Apply(rig, KIND_MAIN_TIME_BASE, 0, {18, ""});
    ASSERT_EQ(rig.model->Records().horizontal.mainTimeBase.text, "Scan");
    const std::vector<std::string> persist = rig.model->RequestFor(KIND_PERSISTENCE, 0).labels;
    ASSERT_EQ(persist.size(), 1u);
    EXPECT_EQ(persist[0], g_UISysTable.GetUISysData("PERSIST")->items[0]);
    ExpectRefused(rig, KIND_TRIGGER_POSITION, 0, {-1, "10us"}, szScanMode, "HORIZ-TRIGTIME");
    ExpectRefused(rig, KIND_TRIGGER_LEVEL, 0, {-1, "0.5"}, szScanMode, "TRIG-VPOS");
}

TEST(SettingsRefusals, TriggerTypeSourceAndVideoSyncRules)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    ExpectRefused(rig, KIND_PULSE_WHEN, kTargetNormal, {1, ""}, szTGType, "TRIG-PULSE-WHEN");
    ExpectRefused(rig, KIND_VIDEO_LINE, kTargetNormal, {-1, "20"}, szTGType, "TRIG-VIDEO-LINE");
    // A swap target checks its own channel's type: swap CH1 is an edge trigger.
    ExpectRefused(rig, KIND_SLOPE_SET, kTargetSwapCH1, {1, ""}, szTGType, "TRIG-SWAP-CH1-SLOPE-SET");
    EXPECT_EQ(rig.Edit(KIND_EDGE_SLOPE, kTargetSwapCH1, {1, ""}).outcome, EditOutcome::Applied);

    // Coupling: the line source first, then the video type.
    Apply(rig, KIND_EDGE_SOURCE, kTargetNormal, {4, ""});
    Apply(rig, KIND_TRIGGER_TYPE, kTargetNormal, {1, ""});
    ExpectRefused(rig, KIND_TRIGGER_COUPLING, kTargetNormal, {1, ""}, szTGCoup, "TRIG-COUP");
    // The video line needs the sync LINE.
    ExpectRefused(rig, KIND_VIDEO_LINE, kTargetNormal, {-1, "20"}, szTgVideoSync, "TRIG-VIDEO-LINE");
    Apply(rig, KIND_VIDEO_SYNC, kTargetNormal, {1, ""});
    EXPECT_EQ(rig.Edit(KIND_VIDEO_LINE, kTargetNormal, {-1, "20"}).outcome, EditOutcome::Applied);
    EXPECT_EQ(rig.sim->Param("TRIG-VIDEO-LINE"), 20);

    Apply(rig, KIND_TRIGGER_TYPE, kTargetNormal, {0, ""});
    Apply(rig, KIND_EDGE_SOURCE, kTargetNormal, {4, ""});
    ExpectRefused(rig, KIND_TRIGGER_COUPLING, kTargetNormal, {1, ""}, szTGSrc, "TRIG-COUP");
}

TEST(SettingsRefusals, AcquisitionRulesAndTheirOrder)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    ExpectRefused(rig, KIND_AVERAGE_COUNT, 0, {2, ""}, szACAvg, "ACQURIE-AVG-CNT");
    Apply(rig, KIND_ACQUIRE_MODE, 0, {2, ""});
    EXPECT_EQ(rig.Edit(KIND_AVERAGE_COUNT, 0, {2, ""}).outcome, EditOutcome::Applied);
    ExpectRefused(rig, KIND_STORE_DEPTH, 0, {1, ""}, szACAvg, "ACQURIE-STORE-DEPTH");
    Apply(rig, KIND_ACQUIRE_TYPE, 0, {1, ""});
    ExpectRefused(rig, KIND_ACQUIRE_MODE, 0, {0, ""}, szACType, "ACQURIE-MODE");
    ExpectRefused(rig, KIND_AVERAGE_COUNT, 0, {1, ""}, szACType, "ACQURIE-AVG-CNT");
    ExpectRefused(rig, KIND_STORE_DEPTH, 0, {1, ""}, szACType, "ACQURIE-STORE-DEPTH");
    // FFT comes before the acquisition type for the store depth.
    Apply(rig, KIND_MATH_ON, 0, {1, ""});
    Apply(rig, KIND_MATH_OPERATION, 0, {3, ""});
    ExpectRefused(rig, KIND_STORE_DEPTH, 0, {1, ""}, szFFTMode, "ACQURIE-STORE-DEPTH");
}

TEST(SettingsRefusals, ChosenValueRules)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    // The 1M depth (instrument value 7, list position 4) needs a single channel.
    ExpectRefused(rig, KIND_STORE_DEPTH, 0, {4, ""}, szState, "ACQURIE-STORE-DEPTH");
    Apply(rig, KIND_CHANNEL_ON, 2, {0, ""});
    Apply(rig, KIND_MAIN_TIME_BASE, 0, {4, ""});  // 8 us/div
    EXPECT_EQ(rig.Edit(KIND_STORE_DEPTH, 0, {4, ""}).outcome, EditOutcome::Applied);
    EXPECT_EQ(rig.sim->Param("ACQURIE-STORE-DEPTH"), 7);
    // FFT needs the first store depth.
    ExpectRefused(rig, KIND_MATH_OPERATION, 0, {3, ""}, szACStoreDepth, "MATH-MODE");
    // The dialog's Apply checks the chosen value as well.
    const EditResult r = rig.model->ApplyChoice(KIND_MATH_OPERATION, 0, {3, ""});
    EXPECT_EQ(r.refusal, szACStoreDepth);
}

TEST(SettingsRefusals, CancelAndBadInputWriteNothing)
{
    CSettingsRig rig;
    ASSERT_TRUE(rig.Connect());
    CFixedChoice cancel({2, ""}, false);
    EXPECT_EQ(rig.model->ApplyEdit(KIND_COUPLING, 1, cancel).outcome, EditOutcome::Cancelled);
    EXPECT_EQ(cancel.LastRequest().labels, (std::vector<std::string>{"DC", "AC", "GND"}));
    EXPECT_TRUE(cancel.LastRequest().listMode);

    EditResult r = rig.Edit(KIND_VOLTS_PER_DIV, 1, {-1, "fast"});
    EXPECT_EQ(r.outcome, EditOutcome::Invalid);
    EXPECT_EQ(r.status, WriteStatus::Rejected);
    r = rig.Edit(KIND_COUPLING, 1, {7, ""});
    EXPECT_EQ(r.status, WriteStatus::OutOfList);
    r = rig.Edit(KIND_TRIGGER_STATE, kTargetNormal, {0, ""});
    EXPECT_EQ(r.outcome, EditOutcome::Unchanged);  // shown only
    EXPECT_EQ(rig.sim->Param("VERT-CH1-COUP"), 0);
    EXPECT_TRUE(CSettingsRig::TakeMessages().empty());
}

TEST(SettingsChoices, VideoStandardListsTheSameNamesInBothLanguages)
{
    CSettingsModel model;
    for (uint32_t language : {0u, 1u}) {
        g_nLanguage = language;
        const ChoiceRequest q = model.RequestFor(KIND_VIDEO_STANDARD, kTargetNormal, "Standard");
        EXPECT_TRUE(q.listMode);
        EXPECT_EQ(q.labels, (std::vector<std::string>{"NTSC", "PAL"})) << "language " << language;
    }
    g_nLanguage = 0;
}
