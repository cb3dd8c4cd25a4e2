#include "docs/InputTrace.h"

#include "analysis/FftPlot.h"
#include "analysis/SampleReading.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kTimePrefixes[] = {"n", "u", "m", " "};
const char* const kVoltPrefixes[] = {"m", " ", "k"};

// Unit step of the time labels: 0 ns, 1 us, 2 ms, 3 s.
int TimeStep(int timeBaseIndex) {
    if (timeBaseIndex <= 6) return 0;
    if (timeBaseIndex <= 15) return 1;
    if (timeBaseIndex <= 24) return 2;
    return 3;
}

// Unit step of the voltage labels: 0 mV, 1 V, 2 kV. The thresholds keep the
// volts per division (probe included) below 1000 in its unit.
int VoltStep(int probe, int voltScaleIndex) {
    switch (probe) {
    case 0:
        return voltScaleIndex <= 7 ? 0 : 1;
    case 1:
        return voltScaleIndex <= 4 ? 0 : 1;
    case 2:
        return voltScaleIndex <= 1 ? 0 : 1;
    default:
        return voltScaleIndex <= 8 ? 1 : 2;
    }
}

double Thousands(int step) {
    return std::pow(1000.0, step);
}

// Labels value(i) x unit, the unit stepping up (divided by 1000) once the
// truncated magnitude of a label reaches 1000.
template <std::size_t N, std::size_t P, class Multiple>
std::array<std::string, N> ScaleLabels(double unit, int step, const char* const (&prefixes)[P],
                                       Multiple multiple) {
    std::array<std::string, N> labels;
    for (std::size_t i = 0; i < N; ++i) {
        if (std::trunc(std::abs(multiple(i) * unit)) >= 1000 && step + 1 < static_cast<int>(P)) {
            unit /= 1000;
            ++step;
        }
        labels[i] = InputLabelText(multiple(i) * unit, prefixes[step]);
    }
    return labels;
}

} // namespace

std::string InputLabelText(double value, const std::string& prefix) {
    char text[64];
    std::snprintf(text, sizeof text, "%3.3f", value);
    return ShortenScaleLabel(text, prefix);
}

std::array<std::string, kInputTimeLines> InputTimeLabels(const InputTraceScale& scale) {
    const int step = TimeStep(scale.timeBaseIndex);
    const double unit = scale.timePerDivision / Thousands(step);
    return ScaleLabels<kInputTimeLines>(unit, step, kTimePrefixes,
                                        [](std::size_t i) { return static_cast<double>(i); });
}

std::array<std::string, kInputVoltLines> InputVoltLabels(const InputTraceScale& scale) {
    const int probe = std::clamp(scale.probe, 0, 3);
    const int step = VoltStep(probe, scale.voltScaleIndex);
    const double unit = scale.voltsPerDivision * std::pow(10.0, probe) / Thousands(step);
    return ScaleLabels<kInputVoltLines>(unit, step, kVoltPrefixes,
                                        [](std::size_t i) { return 2.0 * static_cast<double>(i) - 4.0; });
}

std::vector<std::vector<TracePoint>> InputTraceRuns(std::span<const std::uint8_t> record) {
    std::vector<std::vector<TracePoint>> runs;
    const auto n = static_cast<std::int64_t>(record.size());
    bool broken = true;
    for (std::int64_t i = 0; i < n; ++i) {
        const int s = SampleCount(record[i]);
        if (std::abs(s) > kInputTraceLimit) {
            broken = true;
            continue;
        }
        if (broken) runs.emplace_back();
        broken = false;
        runs.back().push_back({static_cast<int>(i * kInputTraceWidth / n), kInputTraceCentre - s});
    }
    return runs;
}
