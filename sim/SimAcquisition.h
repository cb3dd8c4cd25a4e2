#pragma once
// The acquisition system of the simulated instrument: turns the parameter
// block into the channel front ends and the timing of the signal renderer,
// decides the trigger state that the instrument reports, and renders the
// records it sends and draws.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SignalRenderer.h"
#include "sim/SimState.h"

// Trigger-state codes that "TRIG-STATE" reports.
namespace SimTrigState {
constexpr int kStop = 0, kAuto = 1, kReady = 2, kTrigd = 3, kScan = 4, kAstop = 5, kArmed = 6;
}

struct SimRecords {
    std::vector<std::uint8_t> ch1;
    std::vector<std::uint8_t> ch2;
    bool triggered = false;
};

class CSimAcquisition {
public:
    // Store depth in samples of a "ACQURIE-STORE-DEPTH" code (0 when unknown).
    static int DepthOfCode(int depthCode);
    // Samples per record: the share of the depth that the grid shows, as the
    // program computes it (16 divisions of 19.2 with the menu shown, plus one
    // sample with it hidden).
    static int RecordLength(const CSimParamBlock& block);
    static double GridDivisions(const CSimParamBlock& block);
    static double SecondsPerDiv(const CSimParamBlock& block);
    static double VoltsPerDiv(const CSimParamBlock& block, int channel);  // at the probe tip
    static int ProbeFactor(const CSimParamBlock& block, int channel);
    static bool ScanRange(const CSimParamBlock& block);
    // Where the trigger point lies, in divisions right of the screen centre:
    // "HORIZ-TRIGTIME" is the time from the trigger to the centre, so a
    // positive time (a delay) puts the trigger left of the centre.
    static double TriggerOffsetDivisions(const CSimParamBlock& block);

    static ChannelFrontEnd FrontEnd(const SimState& state, int channel);
    static AcquisitionTiming Timing(const SimState& state, int recordLength);
    // The trigger level in volts at the source probe tip; source channel in *channel
    // (0 when the source is no channel: EXT, EXT/5, line).
    static double TriggerLevelVolts(const SimState& state, int* channel);

    static TriggerResult FindTrigger(const SimState& state, const AcquisitionTiming& timing);
    static SimRecords Render(const SimState& state, int recordLength);

    // The "TRIG-STATE" code for the current settings and run state.
    static int TrigStateCode(const SimState& state);
    static std::string TrigStateText(int code);
    // Refreshes what the instrument reports in the block: trigger state and frequency.
    static void UpdateReportedValues(SimState& state);

    // The screen position (1/25 division) of the middle of the signal on a channel.
    static int MidLevelCounts(const SimState& state, int channel);
};
