#pragma once
// The fixed-point spectrum routine shared by the power spectrum window, the
// waveform sheet's math trace and the data table's spectrum page.
//
// 2048 signed samples are windowed with a Q10 table, run through an in-place
// radix-2 decimation-in-time transform on 32-bit integers (no scaling between
// passes, three multiplications per butterfly) and turned into 1024 whole
// decibel values with a fixed offset of -70: an all-zero input gives -70 in
// every bin. Bin k lies at k * 10 * Fdiv / 1024 for Fdiv the frequency per
// division, so the 1024 bins span the ten horizontal divisions.
//
// Integer-only at run time (tables in FftTables.h). Scratch storage is
// local to each call, so the routine is re-entrant.
#include "analysis/FftTables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Window codes, in the order of the power spectrum window's Window list.
enum SpectrumWindow : int {
    kWindowFlatTop = 0,
    kWindowRectangular = 1,
    kWindowHanning = 2,
    kWindowTriangular = 3, // not offered in any list
};

// Display columns a spectrum input record covers; the first 2048 samples of
// them enter the transform.
inline constexpr int kSpectrumColumns = 2500;
// Decibel value of a bin with no power.
inline constexpr int kSpectrumDbOffset = -70;
// Largest sample magnitude the transform accepts (a 16-bit sample).
inline constexpr std::int32_t kFftMaxInput = 32768;

using SpectrumInput = std::array<std::int16_t, kSpectrumColumns>;

// x / 2^n rounded half away from zero (n = 0 returns x).
constexpr std::int64_t RoundShift64(std::int64_t x, int n) {
    if (n <= 0) return x;
    if (n > 62) return 0;
    const std::int64_t half = std::int64_t{1} << (n - 1);
    return x >= 0 ? (x + half) >> n : -((half - x) >> n);
}

constexpr std::int32_t RoundShift(std::int32_t x, int n) {
    return static_cast<std::int32_t>(RoundShift64(x, n));
}

// The instrument's own FFT window setting (0 Hanning, 1 flat-top,
// 2 rectangular) as a window code; -1 for an unknown setting.
int WindowCodeFromInstrument(int instrumentWindow);

// The spectrum input of a channel record: the first 2500 bytes, each read as
// its signed sample count (SampleReading.h); columns past the end of a shorter
// record are 0. record may be null when length is 0.
SpectrumInput SpectrumInputFromRecord(const std::uint8_t* record, std::size_t length);

// dest[n] = RoundShift(samples[n] * W[n], 10) with W the window of the code,
// dest[n] = samples[n] for the rectangular code. Returns 0, or -1 (dest
// untouched) for a code outside 0..3 or arrays shorter than 2048.
int ApplyFftWindow(std::span<std::int32_t> dest, std::span<const std::int16_t> samples, int window);

// Transforms 2048 windowed samples and writes the 1024 decibel values.
// Returns 0, or -1 (result untouched) when an array is too short or an input
// magnitude exceeds kFftMaxInput, which the 32-bit passes could not hold.
int RunFft2048(std::span<std::int32_t> result, std::span<const std::int32_t> windowed);

// Decibel value of one bin's power re^2 + im^2: the power is halved m times
// until below 1024, then trunc(10 (log10(P + 1) + m log10 2)) - 70 with the
// logarithms rounded as in kLog10Micro / kLog10TwoMicro.
std::int32_t PowerToDb(std::uint64_t power);

// Windows, transforms and converts: result gets 1024 decibel values from the
// first 2048 samples. Returns 0, or -1 (result untouched) for a window code
// outside 0..3 or arrays that are too short.
int ComputeSpectrumDb(std::span<std::int32_t> result, std::span<const std::int16_t> samples, int window);
