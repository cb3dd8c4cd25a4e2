#include "sim/SignalRenderer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxTriggerSteps = 200000;  // bound on the crossing search
constexpr int kBisections = 60;
constexpr uint8_t kScanGapByte = 0xFF;

int AutoLine(const SignalSpec& wave, int channel)
{
    if (wave.line == BusLine::Data)
        return 0;
    if (wave.line == BusLine::Clock)
        return 1;
    return channel == 1 ? 0 : 1;
}

uint64_t ChannelSeed(uint64_t seed, int channel)
{
    return seed * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(channel) * 0xD1B54A32D192ED03ull;
}

bool Usable(const AcquisitionTiming& timing)
{
    return timing.recordLength > 0 && timing.recordLength <= kMaxRecordLength &&
           SampleInterval(timing) > 0.0 && std::isfinite(timing.triggerOffsetDiv) &&
           std::isfinite(timing.startTime);
}

// The coupled clean signal the trigger comparator sees.
class CTriggerInput {
public:
    CTriggerInput(const SignalSpec& wave, int line, bool acCoupled)
        : m_source(wave), m_line(line), m_mean(acCoupled ? m_source.MeanLevel(line) : 0.0)
    {
    }
    double operator()(double t) const { return m_source.EvaluateClean(t, m_line) - m_mean; }
    const CSignalSource& Source() const { return m_source; }

private:
    CSignalSource m_source;
    int m_line;
    double m_mean;
};

bool Crosses(double before, double after, double level, bool rising)
{
    return rising ? (before < level && after >= level) : (before > level && after <= level);
}

// Narrows [lo, hi] around the crossing; returns the first time on the far side.
double RefineCrossing(const CTriggerInput& input, double lo, double hi, double level, bool rising)
{
    for (int i = 0; i < kBisections; ++i) {
        const double mid = 0.5 * (lo + hi);
        const bool past = rising ? input(mid) >= level : input(mid) <= level;
        (past ? hi : lo) = mid;
    }
    return hi;
}

int CountsOf(double volts, const ChannelFrontEnd& frontEnd)
{
    const double scaled = std::clamp(volts / frontEnd.voltsPerDiv * kCountsPerDiv, -1e6, 1e6);
    long counts = std::lround(scaled);
    if (frontEnd.inverted)
        counts = -counts;
    counts += std::clamp(frontEnd.positionCounts, -1000000, 1000000);
    return static_cast<int>(std::clamp<long>(counts, -kClipCounts, kClipCounts));
}

} // namespace

double SampleInterval(const AcquisitionTiming& timing)
{
    if (timing.recordLength <= 0 || !(timing.secondsPerDiv > 0.0) ||
        !(timing.gridDivisions > 0.0) || !std::isfinite(timing.secondsPerDiv) ||
        !std::isfinite(timing.gridDivisions))
        return 0.0;
    return timing.secondsPerDiv * timing.gridDivisions / timing.recordLength;
}

double TriggerSampleIndex(const AcquisitionTiming& timing)
{
    if (!(timing.gridDivisions > 0.0))
        return 0.0;
    return timing.recordLength / 2.0 +
           timing.triggerOffsetDiv * timing.recordLength / timing.gridDivisions;
}

const SignalSpec& ResolveChannelSignal(const SignalSpec& ch1, const SignalSpec& ch2, int channel,
                                       int* line)
{
    const SignalSpec& own = channel == 1 ? ch1 : ch2;
    const SignalSpec& other = channel == 1 ? ch2 : ch1;
    int resolved = 0;
    const SignalSpec* shown = &own;
    if (own.IsBus()) {
        resolved = AutoLine(own, channel);
    } else if (own.kind == SignalKind::None && other.IsBus()) {
        resolved = 1 - AutoLine(other, channel == 1 ? 2 : 1);
        shown = &other;
    }
    if (line)
        *line = resolved;
    return *shown;
}

TriggerResult FindTrigger(const SignalSpec& ch1, const SignalSpec& ch2,
                          const ChannelFrontEnd& sourceFrontEnd, const AcquisitionTiming& timing)
{
    TriggerResult result;
    if (!Usable(timing))
        return result;
    const double dt = SampleInterval(timing);
    result.time = timing.startTime + TriggerSampleIndex(timing) * dt;
    const int source = timing.trigger.sourceChannel;
    if ((source != 1 && source != 2) || sourceFrontEnd.coupling == Coupling::Gnd ||
        !std::isfinite(timing.trigger.levelVolts))
        return result;

    int line = 0;
    const SignalSpec& wave = ResolveChannelSignal(ch1, ch2, source, &line);
    const CTriggerInput input(wave, line, sourceFrontEnd.coupling == Coupling::Ac);
    const double feature = input.Source().ShortestFeature();
    if (!(feature > 0.0))
        return result;  // a constant never crosses

    const double step = std::min(dt, feature / 4);
    const double span = std::max(dt * timing.recordLength, 2 * input.Source().Period());
    const int steps = static_cast<int>(std::min(span / step, double{kMaxTriggerSteps}));
    const double level = timing.trigger.levelVolts;
    const bool rising = timing.trigger.risingSlope;
    double before = input(timing.startTime);
    for (int k = 1; k <= steps; ++k) {
        const double t = timing.startTime + k * step;
        const double after = input(t);
        if (Crosses(before, after, level, rising)) {
            result.triggered = true;
            result.time = RefineCrossing(input, t - step, t, level, rising);
            return result;
        }
        before = after;
    }
    return result;
}

std::vector<uint8_t> RenderChannel(const SignalSpec& ch1, const SignalSpec& ch2, int channel,
                                   const ChannelFrontEnd& frontEnd,
                                   const AcquisitionTiming& timing, const TriggerResult& trigger)
{
    if ((channel != 1 && channel != 2) || !Usable(timing) || !(frontEnd.voltsPerDiv > 0.0) ||
        !std::isfinite(frontEnd.voltsPerDiv) || !std::isfinite(trigger.time))
        return {};
    int line = 0;
    const SignalSpec& wave = ResolveChannelSignal(ch1, ch2, channel, &line);
    const CSignalSource source(wave, ChannelSeed(timing.seed, channel));
    const double mean = frontEnd.coupling == Coupling::Ac ? source.MeanLevel(line) : 0.0;
    const double dt = SampleInterval(timing);
    const double triggerIndex = TriggerSampleIndex(timing);
    const int n = timing.recordLength;
    const double filled = std::clamp(timing.scanFilled, 0.0, 1.0) * n;

    std::vector<uint8_t> record(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (timing.scanMode && i >= filled) {
            record[i] = kScanGapByte;
            continue;
        }
        const double t = trigger.time + (i - triggerIndex) * dt;
        const double volts =
            frontEnd.coupling == Coupling::Gnd ? 0.0 : source.Evaluate(t, line) - mean;
        int counts = CountsOf(volts, frontEnd);
        if (timing.scanMode && counts == -1)
            counts = 0;  // -1 marks an unfilled sample in scan mode
        record[i] = static_cast<uint8_t>(static_cast<int8_t>(counts));
    }
    return record;
}

std::vector<uint8_t> RenderChannel(const SignalSpec& ch1, const SignalSpec& ch2, int channel,
                                   const ChannelFrontEnd& frontEnd,
                                   const AcquisitionTiming& timing)
{
    const ChannelFrontEnd sourceFrontEnd =
        timing.trigger.sourceChannel == channel ? frontEnd : ChannelFrontEnd{};
    return RenderChannel(ch1, ch2, channel, frontEnd, timing,
                         FindTrigger(ch1, ch2, sourceFrontEnd, timing));
}
