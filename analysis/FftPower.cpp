#include "analysis/FftPower.h"

#include "analysis/SampleReading.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

// The vector helpers below pass 32-byte vectors by value; all of them are
// inlined into this file's functions, so no call crosses an ABI boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

const FftWindowTable* WindowTable(int window) {
    switch (window) {
    case kWindowFlatTop:
        return &kFlatTopWindow;
    case kWindowHanning:
        return &kHanningWindow;
    case kWindowTriangular:
        return &kTriangularWindow;
    default:
        return nullptr;
    }
}

bool IsWindowCode(int window) {
    return window >= kWindowFlatTop && window <= kWindowTriangular;
}

// Eight 32-bit lanes. Arithmetic on them becomes one vector instruction where
// the target has 256-bit registers (the AVX2 clones below) and pairs of
// 128-bit ones otherwise; every lane computes exactly what the scalar
// butterfly computes.
using Lanes = std::int32_t __attribute__((vector_size(32)));
constexpr int kLanes = 8;
constexpr int kRows = kFftSize / kLanes;

using SampleLanes = std::int16_t __attribute__((vector_size(16)));
using HalfLanes = std::int32_t __attribute__((vector_size(16)));
using Doubles = double __attribute__((vector_size(32)));
using Words = std::int64_t __attribute__((vector_size(32)));

#define QV_CLONES [[gnu::target_clones("avx2", "default")]]
#define QV_FFT_INLINE [[gnu::always_inline]] inline

// Largest input magnitude for which every product of every pass fits 32
// bits: moduli grow at most 2.0014 times per pass plus 2.5 of rounding, so
// the last pass multiplies values below 2^10 * 1.007 * 512 + 2560 < 2^19.1,
// and 1448 sqrt(2) times that stays below 2^30.1. Records of 8-bit samples
// stay far below it.
constexpr std::int32_t kFftShortProductInput = 512;

// Real and imaginary parts of the transform, worked on in place: element i
// is lane i % 8 of row i / 8.
struct FftState {
    Lanes re[kRows];
    Lanes im[kRows];
};

QV_FFT_INLINE Lanes Broadcast(std::int32_t v) {
    return Lanes{} + v;
}

template <class V = Lanes, class T> QV_FFT_INLINE V LoadLanes(const T* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class V, class T> QV_FFT_INLINE void StoreLanes(T* p, V v) {
    std::memcpy(p, &v, sizeof v);
}

// RoundShift(x, 10) lane by lane, for x of 32 bits.
QV_FFT_INLINE Lanes RoundShift10(Lanes x) {
    return (x + 512 + (x >> 31)) >> 10;
}

// RoundShift64(c * x, 10) in 32-bit lanes. With short products c * x fits
// 32 bits and the rounding bias is 512, less one for a negative product.
// Otherwise (|c| <= 2048, |x| < 2^29) x = 1024 hi + lo (0 <= lo < 1024)
// splits the product into 1024 c hi, which the shift passes through whole,
// and c lo below 2^21; the bias is 512, less one when c and x differ in
// sign (a product of zero rounds to 0 with either bias).
template <bool kShortProducts> QV_FFT_INLINE Lanes RoundQ10(Lanes c, Lanes x) {
    if constexpr (kShortProducts) {
        return RoundShift10(c * x);
    } else {
        const Lanes hi = x >> 10, lo = x & 1023;
        return c * hi + ((c * lo + 512 + ((c ^ x) >> 31)) >> 10);
    }
}

// One butterfly per lane: (x + iy) times (C + iS) of the upper element from
// three rounded products, then the sum and difference with the lower one.
// Every accepted input keeps |x|, |y| below 2^27 (2048 inputs of at most
// 2^15, plus the rounding of each pass).
template <bool kShortProducts>
QV_FFT_INLINE void Butterfly(Lanes& ar, Lanes& ai, Lanes& br, Lanes& bi, Lanes c, Lanes s, Lanes cms) {
    const Lanes p1 = RoundQ10<kShortProducts>(c, br);
    const Lanes p2 = RoundQ10<kShortProducts>(s, bi);
    const Lanes ti = RoundQ10<kShortProducts>(cms, br + bi) - p1 - p2;
    const Lanes tr = p1 - p2;
    br = ar - tr;
    bi = ai - ti;
    ar += tr;
    ai += ti;
}

// Row r of the result is column r of m.
QV_FFT_INLINE void Transpose(Lanes (&m)[kLanes]) {
    Lanes t[kLanes], u[kLanes];
    for (int i = 0; i < kLanes; i += 2) {
        t[i] = __builtin_shufflevector(m[i], m[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
        t[i + 1] = __builtin_shufflevector(m[i], m[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
    }
    for (int i = 0; i < kLanes; i += 4)
        for (int j = 0; j < 2; ++j) {
            u[i + j] = __builtin_shufflevector(t[i + j], t[i + j + 2], 0, 1, 8, 9, 4, 5, 12, 13);
            u[i + j + 2] = __builtin_shufflevector(t[i + j], t[i + j + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        }
    // u[0], u[2], u[1], u[3] hold columns 0, 1, 2, 3 of rows 0..3 in their
    // low half and columns 4, 5, 6, 7 in their high half; u[4..7] the same
    // of rows 4..7.
    const int order[4] = {0, 2, 1, 3};
    for (int i = 0; i < 4; ++i) {
        m[i] = __builtin_shufflevector(u[order[i]], u[order[i] + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        m[i + 4] = __builtin_shufflevector(u[order[i]], u[order[i] + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

constexpr int kReverse3[kLanes] = {0, 4, 2, 6, 1, 5, 3, 7};

// The passes that pair elements 1, 2 and 4 apart stay within one row. They
// run on eight rows at a time turned on their side, lane l of column c being
// element c of row block + 32 r(l) with r the 3-bit reversal. Element
// (block + 32 r(l)) * 8 + c comes from windowed[256 r(c) + 8 r5(block) + l]
// (its 11 bits reversed), so each column is eight adjacent inputs.
template <bool kShortProducts> QV_FFT_INLINE void NarrowPasses(FftState& s, const std::int32_t* windowed) {
    constexpr int kBlocks = kRows / kLanes;
    for (int block = 0; block < kBlocks; ++block) {
        const int source = kFftBitReverse[block * kLanes]; // 8 r5(block)
        Lanes re[kLanes], im[kLanes];
        for (int c = 0; c < kLanes; ++c)
            re[c] = LoadLanes(windowed + kRows * kReverse3[c] + source);
        // Span 1: the twiddle is 1, and the imaginary parts are still all 0.
        for (int c = 0; c < kLanes; c += 2) {
            const Lanes a = re[c], b = re[c + 1];
            re[c] = a + b;
            re[c + 1] = a - b;
            im[c] = im[c + 1] = Lanes{};
        }
        for (int half = 2; half < kLanes; half *= 2) {
            const int stride = kSpectrumBins / half;
            for (int group = 0; group < kLanes; group += 2 * half)
                for (int j = 0; j < half; ++j) {
                    const int k = stride * j;
                    Butterfly<kShortProducts>(re[group + j], im[group + j], re[group + j + half],
                                              im[group + j + half], Broadcast(kFftCos[k]), Broadcast(kFftSin[k]),
                                              Broadcast(kFftCosMinusSin[k]));
                }
        }
        Transpose(re);
        Transpose(im);
        for (int l = 0; l < kLanes; ++l) {
            s.re[block + kBlocks * kReverse3[l]] = re[l];
            s.im[block + kBlocks * kReverse3[l]] = im[l];
        }
    }
}

// The passes that pair elements 8 .. 1024 apart: whole rows against whole
// rows, eight twiddles at a time in the order kFftPassTwiddles holds them.
template <bool kShortProducts> QV_FFT_INLINE void WidePasses(FftState& s) {
    for (int half = kFftFirstWidePass; half <= kFftSize / 2; half *= 2) {
        const int rows = half / kLanes, offset = half - kFftFirstWidePass;
        for (int group = 0; group < kRows; group += 2 * rows)
            for (int j = 0; j < rows; ++j) {
                const int t = offset + kLanes * j;
                Butterfly<kShortProducts>(s.re[group + j], s.im[group + j], s.re[group + j + rows],
                                          s.im[group + j + rows], LoadLanes(&kFftPassTwiddles.cos[t]),
                                          LoadLanes(&kFftPassTwiddles.sin[t]),
                                          LoadLanes(&kFftPassTwiddles.cosMinusSin[t]));
            }
    }
}

// The whole transform, compiled for AVX2 and for the baseline; the loader
// picks the clone for the CPU it runs on.
QV_CLONES void TransformShortProducts(FftState& s, const std::int32_t* windowed) {
    NarrowPasses<true>(s, windowed);
    WidePasses<true>(s);
}

QV_CLONES void TransformLongProducts(FftState& s, const std::int32_t* windowed) {
    NarrowPasses<false>(s, windowed);
    WidePasses<false>(s);
}

// Largest magnitude of the 2048 inputs (INT32_MIN counts as INT32_MAX).
QV_CLONES std::int32_t LargestMagnitude(const std::int32_t* windowed) {
    Lanes lowest{}, highest{};
    for (int n = 0; n < kFftSize; n += kLanes) {
        const Lanes v = LoadLanes(windowed + n);
        const Lanes below = v < lowest, above = v > highest;
        lowest = (v & below) | (lowest & ~below);
        highest = (v & above) | (highest & ~above);
    }
    std::int32_t low = 0, high = 0;
    for (int l = 0; l < kLanes; ++l) {
        low = std::min(low, lowest[l]);
        high = std::max(high, highest[l]);
    }
    return low == INT32_MIN ? INT32_MAX : std::max(high, -low);
}

QV_CLONES void WindowSamples(std::int32_t* dest, const std::int16_t* samples, const std::int32_t* table) {
    // |sample * W| < 2^26: the product and its rounding fit 32 bits.
    for (int n = 0; n < kFftSize; n += kLanes) {
        const Lanes v = __builtin_convertvector(LoadLanes<SampleLanes>(samples + n), Lanes);
        StoreLanes(dest + n, RoundShift10(v * LoadLanes(table + n)));
    }
}

// trunc(n / 100000) for 0 <= n < 2^25 is floor(n m / 2^41) with
// m = ceil(2^41 / 100000): m 100000 - 2^41 = 44448, so the quotient is exact
// below 2^41 / 44448 > 4.9e7, and n m < 2^53 is exact in a double.
constexpr double kTenthMicroMagic = 21990233.0;
constexpr double kTwoToMinus41 = 1.0 / 2199023255552.0;

// The first step of PowerToDb for the eight bins of a row: the table
// indexes into index, the halvings times log10(2) in millionths as the
// return value. The power, below 2^53, is exact in a double; the high word
// of the double holds its exponent e = floor(log2 P), which gives the e - 9
// halvings of a power of 1024 or more, and the leading nine bits of the
// mantissa, which with the implicit 1 are what is left after them; a power
// below 1024 indexes the table as it is.
QV_FFT_INLINE Lanes HalvingsOfRow(Lanes re, Lanes im, std::int32_t* index) {
    const Doubles r0 = __builtin_convertvector(__builtin_shufflevector(re, re, 0, 1, 2, 3), Doubles);
    const Doubles r1 = __builtin_convertvector(__builtin_shufflevector(re, re, 4, 5, 6, 7), Doubles);
    const Doubles i0 = __builtin_convertvector(__builtin_shufflevector(im, im, 0, 1, 2, 3), Doubles);
    const Doubles i1 = __builtin_convertvector(__builtin_shufflevector(im, im, 4, 5, 6, 7), Doubles);
    const Doubles p0 = r0 * r0 + i0 * i0, p1 = r1 * r1 + i1 * i1;
    Lanes w0, w1;
    std::memcpy(&w0, &p0, sizeof w0);
    std::memcpy(&w1, &p1, sizeof w1);
    const Lanes high = __builtin_shufflevector(w0, w1, 1, 3, 5, 7, 9, 11, 13, 15);
    const Lanes exponent = (high >> 20) - 1023;
    const Lanes large = exponent > 9;
    const Lanes small = __builtin_shufflevector(__builtin_convertvector(p0, HalfLanes),
                                                __builtin_convertvector(p1, HalfLanes), 0, 1, 2, 3, 4, 5, 6, 7);
    StoreLanes(index, ((512 | ((high >> 11) & 511)) & large) | (small & ~large));
    return ((exponent - 9) & large) * kLog10TwoMicro;
}

// PowerToDb of every bin, in three sweeps: halvings and table indexes, the
// table, the division. result holds the millionths in between.
QV_CLONES void WriteDecibels(std::int32_t* result, const FftState& s) {
    std::int32_t index[kSpectrumBins];
    for (int row = 0; row < kSpectrumBins / kLanes; ++row) {
        const int k = row * kLanes;
        StoreLanes(result + k, HalvingsOfRow(s.re[row], s.im[row], index + k));
    }
    for (int k = 0; k < kSpectrumBins; ++k)
        result[k] += kLog10Micro[index[k]];
    for (int k = 0; k < kSpectrumBins; k += 4) {
        const Doubles micro = __builtin_convertvector(LoadLanes<HalfLanes>(result + k), Doubles);
        StoreLanes(result + k, __builtin_convertvector(micro * kTenthMicroMagic * kTwoToMinus41, HalfLanes) +
                                   kSpectrumDbOffset);
    }
}

} // namespace

int WindowCodeFromInstrument(int instrumentWindow) {
    switch (instrumentWindow) {
    case 0:
        return kWindowHanning;
    case 1:
        return kWindowFlatTop;
    case 2:
        return kWindowRectangular;
    default:
        return -1;
    }
}

SpectrumInput SpectrumInputFromRecord(const std::uint8_t* record, std::size_t length) {
    SpectrumInput input{};
    const std::size_t used = record ? std::min<std::size_t>(length, kSpectrumColumns) : 0;
    for (std::size_t i = 0; i < used; ++i)
        input[i] = static_cast<std::int16_t>(SampleCount(record[i]));
    return input;
}

int ApplyFftWindow(std::span<std::int32_t> dest, std::span<const std::int16_t> samples, int window) {
    if (!IsWindowCode(window) || dest.size() < kFftSize || samples.size() < kFftSize) return -1;
    const FftWindowTable* table = WindowTable(window);
    if (!table) {
        std::copy_n(samples.begin(), kFftSize, dest.begin());
        return 0;
    }
    WindowSamples(dest.data(), samples.data(), table->data());
    return 0;
}

std::int32_t PowerToDb(std::uint64_t power) {
    // Halving until below 1024 is a shift by the bits above the tenth.
    const int halvings = std::max(0, static_cast<int>(std::bit_width(power)) - 10);
    // trunc(10 * L) with L in millionths is a division by 100000 (L >= 0).
    const std::int64_t micro = kLog10Micro[power >> halvings] + std::int64_t{halvings} * kLog10TwoMicro;
    return static_cast<std::int32_t>(micro / 100000) + kSpectrumDbOffset;
}

int RunFft2048(std::span<std::int32_t> result, std::span<const std::int32_t> windowed) {
    if (result.size() < kSpectrumBins || windowed.size() < kFftSize) return -1;
    const std::int32_t largest = LargestMagnitude(windowed.data());
    if (largest > kFftMaxInput) return -1;
    FftState s;
    if (largest <= kFftShortProductInput)
        TransformShortProducts(s, windowed.data());
    else
        TransformLongProducts(s, windowed.data());
    WriteDecibels(result.data(), s);
    return 0;
}

int ComputeSpectrumDb(std::span<std::int32_t> result, std::span<const std::int16_t> samples, int window) {
    if (result.size() < kSpectrumBins) return -1;
    std::array<std::int32_t, kFftSize> windowed;
    if (ApplyFftWindow(windowed, samples, window) != 0) return -1;
    return RunFft2048(result, windowed);
}
