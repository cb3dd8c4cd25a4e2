#pragma once
// What the simulated instrument accepts as settings: the default setup, and
// the checks it makes when the program sends a whole parameter block (or a
// front-panel key changes one value). Like a real instrument it keeps what is
// valid, holds continuous values (positions, times, levels) inside its limits,
// refuses choices it does not have (the old value stays), and never lets the
// program overwrite what it only reports (model, trigger state, limits).
//
// Units in the block: positions and trigger levels in 1/25 division on the
// screen (0 = centre line, positive upward); times in picoseconds; time-base
// parameters hold the scale code plus 1; everything else holds its code.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimModel.h"
#include "sim/SimParamBlock.h"

class CSimSettingsRules {
public:
    // Scale-code limits of the main time base ("HORIZ-TB" holds code + 1).
    static constexpr int kFastestMainCodeOneChannel = 6;   // 400 ns/div
    static constexpr int kFastestMainCodeTwoChannels = 7;  // 800 ns/div
    static constexpr int kSlowestTimeCode = 30;            // 40 s/div
    static constexpr int kFirstScanCode = 23;              // 200 ms/div: the trace rolls
    static constexpr int kDeepDepthCode = 7;               // 1M store depth
    static constexpr int kDeepDepthSlowestCode = 13;       // ... up to 80 us/div
    static constexpr int kMaxVoltCode = 10;                // 5 V/div at probe 1x
    static constexpr int kScreenLevelLimit = 200;          // trigger levels: +-8 divisions

    // Fills the block with the factory setup of the model.
    static void LoadDefaultSetup(CSimParamBlock& block, const SimModelInfo& model);

    // Takes a block the program sent: every parameter is checked against the
    // old one and the model, then the cross-checks of Normalize run. Returns
    // how many parameters were refused or held at a limit (0 = taken as sent).
    // A block of the wrong size is refused whole (returns -1, nothing changes).
    static int AcceptHostBlock(CSimParamBlock& block, const std::vector<std::uint8_t>& incoming,
                               const SimModelInfo& model);

    // Brings values that depend on each other back into line: the main time
    // base against the shown channels, the deep store depth, positions against
    // the volts per division, the trigger position against the time base, the
    // hold-off against its limits, trigger sources against the trigger type.
    // Returns how many values it changed.
    static int Normalize(CSimParamBlock& block);

    // Limits used by the front panel too.
    static int PositionLimitCounts(int voltCode);
    static std::int64_t TriggerTimeUpperPs(std::int64_t timePerDivNs);
    static std::int64_t TriggerTimeLowerPs(std::int64_t timePerDivNs);
    static int MaxTriggerSource(int triggerType);
    static int ShownChannelCount(const CSimParamBlock& block);
};
