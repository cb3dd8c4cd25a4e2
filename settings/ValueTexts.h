#pragma once
// Texts and unit changes of the continuous settings, shared by the decode
// (what the tree shows) and the edits (what the dialog starts from).
//
// Trigger levels live in the block as 1/25 division on the instrument's
// screen, in the same frame as the trace positions (0 = centre line). For a
// channel source a level of L µV above the channel's ground sits at
// position + L × 25 / V counts; the external inputs have fixed steps
// (EXT 8 mV, EXT/5 40 mV per count).
#include <cstdint>
#include <string>

// Trigger sources as list positions of "TGSRC".
inline constexpr int kSourceCH1 = 0;
inline constexpr int kSourceCH2 = 1;
inline constexpr int kSourceExt = 2;
inline constexpr int kSourceExt5 = 3;

// "12.5 mv" style text of a voltage in µV (three significant digits).
std::string VoltText(int64_t microvolts);
// "1.500 ms" style text of a time in ps (four significant digits).
std::string TimeText(int64_t picoseconds);
// "0.40" style text of a position in 1/25 division, in divisions.
std::string DivisionText(int64_t counts);
// "1000 Hz" style text of a frequency in Hz.
std::string FrequencyText(int64_t hertz);

// Screen counts of a level in µV for a source (list position of "TGSRC");
// voltsPerDivUv and positionCounts describe the source channel. A channel
// source with no known scale gives the position itself.
int64_t LevelToCounts(int64_t levelUv, int source, int64_t voltsPerDivUv, int64_t positionCounts);
// The level in µV above the source's ground of screen counts.
int64_t CountsToLevelUv(int64_t counts, int source, int64_t voltsPerDivUv, int64_t positionCounts);
