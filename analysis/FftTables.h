#pragma once
// Fixed tables of the 2048-point fixed-point spectrum routine (FftPower.h).
//
// All tables are computed once, at compile time, from their defining
// formulas; nothing trigonometric or logarithmic is evaluated while the
// program runs. Twiddle and window tables are Q10 integers (1024 = 1.0) that
// hold trunc(exact real value), i.e. the exact value truncated toward zero.
#include <array>
#include <cstdint>

inline constexpr int kFftSize = 2048;      // samples per transform (N)
inline constexpr int kFftBits = 11;        // log2(N)
inline constexpr int kSpectrumBins = 1024; // bins produced, N / 2
inline constexpr int kQ10One = 1024;       // 1.0 in the Q10 tables

using FftIndexTable = std::array<std::int32_t, kFftSize>;
using FftTwiddleTable = std::array<std::int32_t, kSpectrumBins>;
using FftWindowTable = std::array<std::int32_t, kFftSize>;

// Entry i is i with its 11 bits reversed (entry 1 = 1024).
extern const FftIndexTable kFftBitReverse;
// trunc(1024 cos(2 pi k / N)).
extern const FftTwiddleTable kFftCos;
// trunc(-1024 sin(2 pi k / N)).
extern const FftTwiddleTable kFftSin;
// trunc(1024 (cos(2 pi k / N) - sin(2 pi k / N))), from the exact difference
// (not kFftCos + kFftSin, which loses up to one count to truncation).
extern const FftTwiddleTable kFftCosMinusSin;

// Periodic five-term flat-top window, -72 .. 1024.
extern const FftWindowTable kFlatTopWindow;
// Symmetric Hanning window trunc(512 (1 - cos(2 pi n / 2047))), 0 .. 1023.
extern const FftWindowTable kHanningWindow;
// Triangle n for n < 1024, 2047 - n above, 0 .. 1023.
extern const FftWindowTable kTriangularWindow;

// The twiddles of the passes that pair elements at least 8 apart, in the
// order each pass reads them: the pass pairing elements `half` apart (8, 16,
// .., 1024) finds twiddle j (table index 1024 / half * j) at entry half - 8 + j.
// Whole blocks of 8 entries start on 32-byte boundaries.
struct FftPassTwiddles {
    alignas(32) std::array<std::int32_t, kFftSize> cos;
    alignas(32) std::array<std::int32_t, kFftSize> sin;
    alignas(32) std::array<std::int32_t, kFftSize> cosMinusSin;
};
inline constexpr int kFftFirstWidePass = 8; // smallest half-size in kFftPassTwiddles
extern const FftPassTwiddles kFftPassTwiddles;

// log10(i + 1) rounded to six decimal places, held exactly as an integer
// number of millionths (entry 1 = 301030, entry 1023 = 3010300).
extern const std::array<std::int32_t, kSpectrumBins> kLog10Micro;
// log10(2) rounded to five places, in millionths: the step per halving.
inline constexpr std::int32_t kLog10TwoMicro = 301030;
