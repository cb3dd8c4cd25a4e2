#include "analysis/FftPower.h"

#include "analysis/SampleReading.h"

#include <algorithm>
#include <bit>

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

// Real and imaginary parts of the transform, worked on in place.
struct FftState {
    std::array<std::int32_t, kFftSize> re;
    std::array<std::int32_t, kFftSize> im;
};

void LoadBitReversed(FftState& s, std::span<const std::int32_t> windowed) {
    for (int i = 0; i < kFftSize; ++i) {
        s.re[i] = windowed[kFftBitReverse[i]];
        s.im[i] = 0;
    }
}

// Span-1 pass: the twiddle is 1, and the imaginary parts are still all 0.
void FirstPass(FftState& s) {
    for (int i = 0; i < kFftSize; i += 2) {
        const std::int32_t a = s.re[i], b = s.re[i + 1];
        s.re[i] = a + b;
        s.re[i + 1] = a - b;
    }
}

// One butterfly with twiddle index k: (x + iy) times (C + iS) from three
// rounded products, then the sum and difference with the upper element.
// Products are formed in 64 bits; their rounded values fit 32 bits for every
// input the transform accepts.
void Butterfly(FftState& s, int a, int b, int k) {
    const std::int64_t x = s.re[b], y = s.im[b];
    const std::int64_t p1 = RoundShift64(kFftCos[k] * x, 10);
    const std::int64_t p2 = RoundShift64(kFftSin[k] * y, 10);
    const std::int64_t p3 = RoundShift64(kFftCosMinusSin[k] * (x + y), 10) - p1 - p2;
    const auto tr = static_cast<std::int32_t>(p1 - p2);
    const auto ti = static_cast<std::int32_t>(p3);
    s.re[b] = s.re[a] - tr;
    s.im[b] = s.im[a] - ti;
    s.re[a] = s.re[a] + tr;
    s.im[a] = s.im[a] + ti;
}

void LaterPasses(FftState& s) {
    for (int half = 2; half <= kFftSize / 2; half *= 2) {
        const int stride = kSpectrumBins / half;
        for (int group = 0; group < kFftSize; group += 2 * half)
            for (int j = 0; j < half; ++j)
                Butterfly(s, group + j, group + j + half, stride * j);
    }
}

bool InputFits(std::span<const std::int32_t> windowed) {
    return std::all_of(windowed.begin(), windowed.begin() + kFftSize,
                       [](std::int32_t v) { return v >= -kFftMaxInput && v <= kFftMaxInput; });
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
    for (int n = 0; n < kFftSize; ++n)
        dest[n] = table ? RoundShift(samples[n] * (*table)[n], 10) : samples[n];
    return 0;
}

std::int32_t PowerToDb(std::uint64_t power) {
    // Halving until below 1024 is a shift by the bits above the tenth.
    const int halvings = std::max(0, static_cast<int>(std::bit_width(power)) - 10);
    power >>= halvings;
    // trunc(10 * L) with L in millionths is a division by 100000 (L >= 0).
    const std::int64_t micro = kLog10Micro[power] + std::int64_t{halvings} * kLog10TwoMicro;
    return static_cast<std::int16_t>(micro / 100000) + kSpectrumDbOffset;
}

int RunFft2048(std::span<std::int32_t> result, std::span<const std::int32_t> windowed) {
    if (result.size() < kSpectrumBins || windowed.size() < kFftSize || !InputFits(windowed)) return -1;
    FftState s;
    LoadBitReversed(s, windowed);
    FirstPass(s);
    LaterPasses(s);
    for (int k = 0; k < kSpectrumBins; ++k) {
        const std::int64_t re = s.re[k], im = s.im[k];
        result[k] = PowerToDb(static_cast<std::uint64_t>(re * re + im * im));
    }
    return 0;
}

int ComputeSpectrumDb(std::span<std::int32_t> result, std::span<const std::int16_t> samples, int window) {
    if (result.size() < kSpectrumBins) return -1;
    std::array<std::int32_t, kFftSize> windowed;
    if (ApplyFftWindow(windowed, samples, window) != 0) return -1;
    return RunFft2048(result, windowed);
}
