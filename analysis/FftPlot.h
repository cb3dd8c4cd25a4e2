#pragma once
// Layout of a spectrum on the fixed 2500 x 200 plot of the spectrum trace:
// which display column carries which bin, the row of a decibel value, and the
// axis label texts. Pure computation, shared by the spectrum trace view and
// the waveform sheet's math trace.
#include "analysis/FftPower.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

inline constexpr int kSpectrumRows = 200;      // rows of the plot, 0 at the top
inline constexpr int kSpectrumCentreRow = 100; // row of the decibel centre
inline constexpr int kSpectrumRowsPerDivision = 25;
inline constexpr int kSpectrumFloorDb = -40;       // lowest level drawn, relative to the centre
inline constexpr std::uint8_t kSpectrumGap = 254;  // plot entry of a column without a point
inline constexpr int kSpectrumFrequencyLines = 11; // vertical grid lines, 10 divisions
inline constexpr int kSpectrumDbLines = 9;         // horizontal grid lines, 8 divisions

// Row per display column, kSpectrumGap where no bin is drawn.
using SpectrumPlot = std::array<std::uint8_t, kSpectrumColumns>;

// True when display column k (0..2499) carries a bin. In every hundred
// columns the ones whose tens digit is not 9 take units 0, 3, 6 and 9, those
// whose tens digit is 9 take the even units; column 2498 is left out so that
// exactly 1024 columns carry a bin.
bool SpectrumColumnHasBin(int column);

// Bin drawn at each display column (bins taken in order), -1 for a gap.
std::array<std::int16_t, kSpectrumColumns> SpectrumColumnBins();

// Plot row of a decibel value: 25 rows per division, the centre on row 100,
// values more than 40 dB below the centre held at -40, clamped to 0..200.
// A decibels-per-division of 0 or less counts as 1.
int SpectrumRow(std::int32_t db, int dbCentre, int dbPerDivision);

// The plot of 1024 decibel values (shorter input leaves the missing bins as
// gaps).
SpectrumPlot SpectrumPlotRows(std::span<const std::int32_t> db, int dbCentre, int dbPerDivision);

// Shortens a value printed with four decimals and appends the unit letter at
// the first '0' among the decimals: "0.0000" -> "0M", "1.2500" -> "1.25M",
// "12.5000" -> "12.5M". A text with four non-zero decimals (or no decimal
// point) is returned unchanged, without the letter.
std::string ShortenScaleLabel(const std::string& printed, const std::string& unit);

// The 11 frequency labels under the vertical grid lines for a time-base
// index and a frequency per division in millihertz. The unit (mHz, Hz, kHz,
// MHz, GHz) follows from the time-base index and steps up once a label
// reaches 1000, for that label and the ones after it.
std::array<std::string, kSpectrumFrequencyLines> SpectrumFrequencyLabels(int timeBaseIndex,
                                                                         float freqPerDivision);

// The 9 decibel labels beside the horizontal grid lines, from the bottom:
// centre + (i - 4) * decibels per division (0 or less counts as 1).
std::array<std::string, kSpectrumDbLines> SpectrumDbLabels(int dbCentre, int dbPerDivision);
