// Conversions between the instrument's integers and engineering values.
//
// The instrument speaks in indices into 1-2-5 scale sequences, positions in
// 1/25 division and times in picoseconds; the user reads and types texts such
// as "20.0 mv" or "1.500 ms". Units: time in ns (time-base steps) or ps (typed
// times), voltage in µV (mV where noted), frequency in mHz, decibels in dB.
// None of these functions keeps state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Formats by digits before the point (row d - 1) and significant digits
// (column s - 1); an empty entry formats as an empty text.
extern const char* const strFormat[3][8];

// Unit texts, largest unit first: row 2 voltage, 3 time, 4 frequency, 5 dB;
// rows 0, 1, 6 and 7 hold empty texts.
inline constexpr int kMarkRows = 8;
inline constexpr int kMarkUnits = 5;
extern const char* const mark[kMarkRows][kMarkUnits];

// Vertical scales (µV per division) that have an FFT display centre level.
inline constexpr int kVoltScaleCount = 20;
extern const int64_t voltScaleParam[kVoltScaleCount];

// Time per division in ns for the 1-based index n: 4, 8, 20, 40, 80, 200 ...
// Indices below 1 give the first value; values saturate at INT64_MAX.
int64_t CalcTimeBase(int n);

// Frequency step in mHz for the index n: 250, 500, 1250, 2500 ...
int64_t CalcFqBase(int n);

// Volts per division in mV for the index n and probe factor P:
// 2P, 5P, 10P, 20P, 50P ...
int64_t CalcVoltBase(int n, int probe);

// Decibels per division for the index n: 1, 2, 5, 10, 20, 50 ...
int32_t CalcDbBase(int n);

// The volts per division of index n and probe factor P in the largest unit
// of mark row 2 that keeps it below 1000; unit receives the unit index and
// text its unit text ("mv", "v", "kv").
float CalcVoltBaseEx(int n, int& unit, std::string& text, int probe);

// Centre level in dB of the FFT display for a vertical scale in µV per
// division, 0 when the scale is not one of voltScaleParam.
int CalcFFTdBcenter(int64_t voltsPerDivUv);

// Writes value with s significant digits and the matching unit prefix into
// text, and rounds value in place to what the text shows. The caller passes
// the value in the largest unit of its row of mark (kV, s, GHz) with r = 0 and
// u = -1; the row used is s + r - 1. A magnitude of 1000 or more, a value that
// is not a number or an s outside 1..8 leaves value and text unchanged.
void DataAnalyse(float& value, int s, std::string& text, int r, int u);

// Reads a scale-table label: kind 1 a time label ("2.50us") in ns, kind 0 a
// voltage label ("200mV") in µV times factor; any other kind gives 0. Digits
// after a decimal point are dropped; products saturate.
int64_t Assstring(const std::string& text, int kind, int64_t factor);

// Store depth in samples of a depth label: "4K" 4000, "20K" 20000,
// "40K" 40000, "512K" 400000, "1M" 800000; anything else 0.
int Ass_Depthstring(const std::string& text);

// Little-endian unsigned reading of count bytes (only the low 8 bytes can
// contribute); null or a count below 1 gives 0.
int64_t Combine(const unsigned char* bytes, int count);

namespace corvane {
// x rounded half away from zero; saturates at the int64 limits, NaN gives 0.
// Lives in a namespace because the C library already owns ::round(double).
int64_t round(double x);
}  // namespace corvane
