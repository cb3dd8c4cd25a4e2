#pragma once
// The power spectrum window's CSV export: a header line, then one line per
// bin with its frequency in hertz and its level in decibels, "." as the
// decimal point whatever the locale.
#include <cstdint>
#include <span>
#include <string>

// Bin k lies at k * 10 * Fdiv / 1024 (Fdiv in millihertz, printed in Hz).
std::string SpectrumCsv(std::span<const std::int32_t> db, float freqPerDivisionMilliHz);
