#pragma once
// Layout of the input-signal trace: the time-domain record of one channel on
// a fixed 2500 x 200 logical plot (centre line at row 100, 25 counts per
// division, so the plot spans +-100 counts), with its time and voltage labels.
// Pure computation; CYTView draws it.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr int kInputTraceWidth = 2500;  // logical columns
inline constexpr int kInputTraceHeight = 200;  // logical rows, 0 at the top
inline constexpr int kInputTraceCentre = 100;  // row of a zero sample
inline constexpr int kInputTraceLimit = 100;   // largest sample magnitude drawn
inline constexpr int kInputTimeLines = 6;      // vertical grid lines (5 parts)
inline constexpr int kInputVoltLines = 5;      // horizontal grid lines (4 parts)

// Scale settings of the trace, stored in this order in files.
struct InputTraceScale {
    std::int32_t timeBaseIndex = 17;            // 0-based; selects the time prefix
    float timePerDivision = 250000000.0f;       // nanoseconds
    std::int32_t probe = 2;                     // 0..3: x1, x10, x100, x1000
    std::int32_t voltScaleIndex = 0;            // 0..10; selects the voltage prefix
    std::int32_t voltsPerDivision = 200;        // millivolts before the probe

    bool operator==(const InputTraceScale&) const = default;
};

// Six labels under the vertical lines: i x t with t the time per division in
// the unit the time-base index selects (0-6 ns, 7-15 us, 16-24 ms, 25-30 s);
// once a label reaches 1000 the unit steps up for it and the labels after it.
std::array<std::string, kInputTimeLines> InputTimeLabels(const InputTraceScale& scale);

// Five labels beside the horizontal lines from the bottom: 2i x v - 4v with v
// the volts per division times the probe, in the unit probe and volt scale
// index select (mV, V or kV); a label whose truncated magnitude reaches 1000
// steps the unit up for it and the labels after it.
std::array<std::string, kInputVoltLines> InputVoltLabels(const InputTraceScale& scale);

// A value printed "%3.3f" and shortened at its first zero decimal, where the
// prefix takes the place of the zero (or of the point, for a zero first
// decimal): 0.250 -> "0.25" + prefix, 1.000 -> "1" + prefix; three non-zero
// decimals keep no prefix.
std::string InputLabelText(double value, const std::string& prefix);

struct TracePoint {
    int x;
    int y;
    bool operator==(const TracePoint&) const = default;
};

// The trace as runs of connected points: sample i of an N-sample record lies
// at (i * 2500 / N, 100 - s[i]). A sample beyond +-100 counts is not drawn
// and breaks the line; the next sample within range starts a new run.
std::vector<std::vector<TracePoint>> InputTraceRuns(std::span<const std::uint8_t> record);
