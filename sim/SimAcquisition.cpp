#include "sim/SimAcquisition.h"

#include <algorithm>
#include <cmath>

#include "corvane/ScaleConversion.h"
#include "sim/SimSettingsRules.h"

namespace {

constexpr double kPsPerSecond = 1e12;
constexpr int kStateRecordLength = 3200;  // enough to decide the trigger state
// Successive acquisitions lie this many record spans apart, so that an
// untriggered trace rolls from one record to the next.
constexpr double kAcquisitionSpacing = 1.37;

std::string ChannelPrefix(int channel) { return channel == 2 ? "VERT-CH2-" : "VERT-CH1-"; }

Coupling CouplingOf(std::int64_t code) {
    return code == 1 ? Coupling::Ac : code == 2 ? Coupling::Gnd : Coupling::Dc;
}

// Middle between the highest and the lowest clean level over one period.
double MidOfSignal(const SignalSpec& wave, int line) {
    const CSignalSource source(wave);
    const double period = source.Period();
    if (period <= 0.0)
        return source.EvaluateClean(0.0, line);
    double low = source.EvaluateClean(0.0, line), high = low;
    constexpr int kSteps = 400;
    for (int i = 1; i < kSteps; ++i) {
        const double v = source.EvaluateClean(period * i / kSteps, line);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return (low + high) / 2.0;
}

}  // namespace

int CSimAcquisition::DepthOfCode(int depthCode) {
    switch (depthCode) {
    case 0: return 4000;
    case 1: return 20000;
    case 2: return 40000;
    case 3: return 400000;
    case CSimSettingsRules::kDeepDepthCode: return 800000;
    default: return 0;
    }
}

int CSimAcquisition::RecordLength(const CSimParamBlock& block) {
    const bool menuShown = block.Get("CONTROL-DISP-MENU") != 0;
    const float ratio = menuShown ? 0.8f : 0.96f;
    const int depth = DepthOfCode(static_cast<int>(block.Get("ACQURIE-STORE-DEPTH")));
    return static_cast<int>(depth * static_cast<double>(ratio)) + (menuShown ? 0 : 1);
}

double CSimAcquisition::GridDivisions(const CSimParamBlock& block) {
    return block.Get("CONTROL-DISP-MENU") != 0 ? 16.0 : 19.2;
}

double CSimAcquisition::SecondsPerDiv(const CSimParamBlock& block) {
    return static_cast<double>(CalcTimeBase(static_cast<int>(block.Get("HORIZ-TB")))) * 1e-9;
}

int CSimAcquisition::ProbeFactor(const CSimParamBlock& block, int channel) {
    const std::int64_t code = std::clamp<std::int64_t>(block.Get(ChannelPrefix(channel) + "PROBE"), 0, 3);
    int factor = 1;
    for (std::int64_t i = 0; i < code; ++i)
        factor *= 10;
    return factor;
}

double CSimAcquisition::VoltsPerDiv(const CSimParamBlock& block, int channel) {
    const std::string p = ChannelPrefix(channel);
    const int code = static_cast<int>(block.Get(p + "VB"));
    const std::int64_t baseUv = CalcVoltBase(code + 1, ProbeFactor(block, channel)) * 1000;
    const std::int64_t fine = block.Get(p + "FINE") ? block.Get(p + "CNT-FINE") : 0;
    return static_cast<double>(baseUv + fine * (baseUv / 50)) * 1e-6;
}

bool CSimAcquisition::ScanRange(const CSimParamBlock& block) {
    return block.Get("HORIZ-TB") - 1 >= CSimSettingsRules::kFirstScanCode;
}

ChannelFrontEnd CSimAcquisition::FrontEnd(const SimState& state, int channel) {
    const std::string p = ChannelPrefix(channel);
    ChannelFrontEnd fe;
    fe.enabled = state.block.Get(p + "DISP") != 0;
    fe.voltsPerDiv = VoltsPerDiv(state.block, channel);
    fe.coupling = CouplingOf(state.block.Get(p + "COUP"));
    fe.positionCounts = static_cast<int>(state.block.Get(p + "POS"));
    fe.inverted = state.block.Get(p + "RPHASE") != 0;
    return fe;
}

double CSimAcquisition::TriggerLevelVolts(const SimState& state, int* channel) {
    const std::int64_t source = state.block.Get("TRIG-SRC");
    *channel = source == 0 ? 1 : source == 1 ? 2 : 0;
    if (*channel == 0)
        return 0.0;
    const ChannelFrontEnd fe = FrontEnd(state, *channel);
    const double counts = static_cast<double>(state.block.Get("TRIG-VPOS") - fe.positionCounts);
    return counts / kCountsPerDiv * fe.voltsPerDiv * (fe.inverted ? -1.0 : 1.0);
}

double CSimAcquisition::TriggerOffsetDivisions(const CSimParamBlock& block) {
    return -static_cast<double>(block.Get("HORIZ-TRIGTIME")) / kPsPerSecond / SecondsPerDiv(block);
}

AcquisitionTiming CSimAcquisition::Timing(const SimState& state, int recordLength) {
    AcquisitionTiming t;
    t.secondsPerDiv = SecondsPerDiv(state.block);
    t.gridDivisions = GridDivisions(state.block);
    t.recordLength = recordLength;
    int source = 0;
    t.trigger.levelVolts = TriggerLevelVolts(state, &source);
    t.trigger.sourceChannel = source == 0 ? 1 : source;
    t.trigger.risingSlope = state.block.Get("TRIG-EDGE-SLOPE") == 0;
    t.triggerOffsetDiv = TriggerOffsetDivisions(state.block);
    const double span = t.secondsPerDiv * t.gridDivisions;
    t.startTime = static_cast<double>(state.acquisition) * span * kAcquisitionSpacing;
    t.seed = state.seed + state.acquisition;
    t.scanMode = ScanRange(state.block) && state.run == SimRunState::Running;
    if (t.scanMode) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - state.runSince).count();
        t.scanFilled = std::clamp(std::fmod(elapsed, span) / span, 0.0, 1.0);
    }
    return t;
}

TriggerResult CSimAcquisition::FindTrigger(const SimState& state, const AcquisitionTiming& timing) {
    int source = 0;
    TriggerLevelVolts(state, &source);
    if (source == 0)
        return {};  // nothing is connected to EXT, and the line has no signal here
    return ::FindTrigger(state.ch1, state.ch2, FrontEnd(state, source), timing);
}

SimRecords CSimAcquisition::Render(const SimState& state, int recordLength) {
    const AcquisitionTiming timing = Timing(state, recordLength);
    const TriggerResult trigger = FindTrigger(state, timing);
    SimRecords records;
    records.triggered = trigger.triggered;
    records.ch1 = RenderChannel(state.ch1, state.ch2, 1, FrontEnd(state, 1), timing, trigger);
    records.ch2 = RenderChannel(state.ch1, state.ch2, 2, FrontEnd(state, 2), timing, trigger);
    return records;
}

int CSimAcquisition::TrigStateCode(const SimState& state) {
    switch (state.run) {
    case SimRunState::Stopped: return SimTrigState::kStop;
    case SimRunState::SingleDone: return SimTrigState::kAstop;
    case SimRunState::SingleArmed: return SimTrigState::kReady;
    case SimRunState::Running: break;
    }
    if (ScanRange(state.block))
        return SimTrigState::kScan;
    if (FindTrigger(state, Timing(state, kStateRecordLength)).triggered)
        return SimTrigState::kTrigd;
    return state.block.Get("TRIG-MODE") == 0 ? SimTrigState::kAuto : SimTrigState::kReady;
}

std::string CSimAcquisition::TrigStateText(int code) {
    static const char* const texts[] = {"STOP", "Auto", "Ready", "Trigd", "Scan", "Astop", "Armed"};
    return code >= 0 && code <= 6 ? texts[code] : "";
}

void CSimAcquisition::UpdateReportedValues(SimState& state) {
    const int code = TrigStateCode(state);
    state.block.Set("TRIG-STATE", code);
    int source = 0;
    TriggerLevelVolts(state, &source);
    std::int64_t hz = 0;
    if (source != 0) {  // the frequency counter follows the source signal
        int line = 0;
        const CSignalSource signal(ResolveChannelSignal(state.ch1, state.ch2, source, &line));
        hz = signal.Period() > 0.0 ? std::llround(1.0 / signal.Period()) : 0;
    }
    state.block.Set("TRIG-FREQUENCY", hz);
}

int CSimAcquisition::MidLevelCounts(const SimState& state, int channel) {
    const ChannelFrontEnd fe = FrontEnd(state, channel);
    int line = 0;
    const SignalSpec& wave = ResolveChannelSignal(state.ch1, state.ch2, channel, &line);
    double mid = 0.0;
    if (fe.coupling == Coupling::Dc)
        mid = MidOfSignal(wave, line);
    else if (fe.coupling == Coupling::Ac)
        mid = MidOfSignal(wave, line) - CSignalSource(wave).MeanLevel(line);
    const double counts = std::round(mid / fe.voltsPerDiv * kCountsPerDiv);
    return fe.positionCounts + static_cast<int>(fe.inverted ? -counts : counts);
}
