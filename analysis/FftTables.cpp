#include "analysis/FftTables.h"

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kLn2 = 0.693147180559945309417232121458176568L;
constexpr long double kLn10 = 2.302585092994045684017991454684364208L;

// Flat-top coefficients a0 .. a4.
constexpr long double kFlatTop[5] = {0.21557895L, 0.41663158L, 0.277263158L, 0.083578947L, 0.006947368L};

constexpr long double Abs(long double x) {
    return x < 0 ? -x : x;
}

// The angle 2 pi num / den reduced exactly (in integers) into [-pi, pi], so
// that whole turns cost no precision and 0 or pi come out exact.
constexpr long double TurnAngle(long long num, long long den) {
    num %= den;
    if (num < 0) num += den;
    if (2 * num > den) num -= den;
    return 2 * kPi * static_cast<long double>(num) / static_cast<long double>(den);
}

// Taylor series on |x| <= pi in extended precision: absolute error ~1e-18.
constexpr long double CosTurn(long long num, long long den) {
    const long double x = TurnAngle(num, den);
    long double term = 1, sum = 1;
    for (int k = 1; k < 40; ++k) {
        term *= -x * x / static_cast<long double>((2 * k - 1) * (2 * k));
        sum += term;
    }
    return sum;
}

constexpr long double SinTurn(long long num, long long den) {
    const long double x = TurnAngle(num, den);
    long double term = x, sum = x;
    for (int k = 1; k < 40; ++k) {
        term *= -x * x / static_cast<long double>((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

// Natural logarithm of a positive integer: power-of-two reduction, then the
// atanh series on a mantissa in [1, 2).
constexpr long double LnInteger(long long value) {
    int exponent = 0;
    while ((value >> (exponent + 1)) != 0)
        ++exponent;
    const long double mantissa = static_cast<long double>(value) / static_cast<long double>(1LL << exponent);
    const long double z = (mantissa - 1) / (mantissa + 1);
    long double power = z, sum = 0;
    for (int k = 0; k < 40; ++k) {
        sum += power / static_cast<long double>(2 * k + 1);
        power *= z * z;
    }
    return exponent * kLn2 + 2 * sum;
}

constexpr long long RoundNearest(long double x) {
    return static_cast<long long>(x < 0 ? x - 0.5L : x + 0.5L);
}

// Truncation toward zero of an exact value known to ~1e-15. A value that is
// an integer in exact arithmetic (cos 0, cos pi, ...) may come out a hair
// below it; those are recognised, since no non-integer entry of these tables
// lies within 1e-9 of an integer.
constexpr std::int32_t TruncExact(long double value) {
    const long long nearest = RoundNearest(value);
    if (Abs(value - static_cast<long double>(nearest)) < 1e-9L) return static_cast<std::int32_t>(nearest);
    return static_cast<std::int32_t>(value);
}

constexpr FftIndexTable MakeBitReverse() {
    FftIndexTable table{};
    for (int i = 0; i < kFftSize; ++i) {
        int reversed = 0;
        for (int bit = 0; bit < kFftBits; ++bit)
            if (i & (1 << bit)) reversed |= 1 << (kFftBits - 1 - bit);
        table[i] = reversed;
    }
    return table;
}

template <class Formula> constexpr FftTwiddleTable MakeTwiddle(Formula formula) {
    FftTwiddleTable table{};
    for (int k = 0; k < kSpectrumBins; ++k)
        table[k] = TruncExact(kQ10One * formula(k));
    return table;
}

constexpr FftWindowTable MakeFlatTop() {
    FftWindowTable table{};
    for (int n = 0; n < kFftSize; ++n) {
        const long double w =
            kFlatTop[0] - kFlatTop[1] * CosTurn(n, kFftSize) + kFlatTop[2] * CosTurn(2LL * n, kFftSize) -
            kFlatTop[3] * CosTurn(3LL * n, kFftSize) + kFlatTop[4] * CosTurn(4LL * n, kFftSize);
        table[n] = TruncExact(kQ10One * w);
    }
    return table;
}

constexpr FftWindowTable MakeHanning() {
    FftWindowTable table{};
    for (int n = 0; n < kFftSize; ++n)
        table[n] = TruncExact(512 * (1 - CosTurn(n, kFftSize - 1)));
    return table;
}

constexpr FftWindowTable MakeTriangular() {
    FftWindowTable table{};
    for (int n = 0; n < kFftSize; ++n)
        table[n] = n < kSpectrumBins ? n : kFftSize - 1 - n;
    return table;
}

constexpr std::array<std::int32_t, kSpectrumBins> MakeLog10Micro() {
    std::array<std::int32_t, kSpectrumBins> table{};
    for (int i = 0; i < kSpectrumBins; ++i)
        table[i] = static_cast<std::int32_t>(RoundNearest(LnInteger(i + 1) / kLn10 * 1000000.0L));
    return table;
}

constexpr FftPassTwiddles MakePassTwiddles(const FftTwiddleTable& cos, const FftTwiddleTable& sin,
                                           const FftTwiddleTable& cosMinusSin) {
    FftPassTwiddles table{};
    for (int half = kFftFirstWidePass; half <= kSpectrumBins; half *= 2) {
        const int stride = kSpectrumBins / half;
        for (int j = 0; j < half; ++j) {
            table.cos[half - kFftFirstWidePass + j] = cos[stride * j];
            table.sin[half - kFftFirstWidePass + j] = sin[stride * j];
            table.cosMinusSin[half - kFftFirstWidePass + j] = cosMinusSin[stride * j];
        }
    }
    return table;
}

} // namespace

constexpr FftIndexTable kFftBitReverse = MakeBitReverse();
constexpr FftTwiddleTable kFftCos = MakeTwiddle([](int k) { return CosTurn(k, kFftSize); });
constexpr FftTwiddleTable kFftSin = MakeTwiddle([](int k) { return -SinTurn(k, kFftSize); });
constexpr FftTwiddleTable kFftCosMinusSin =
    MakeTwiddle([](int k) { return CosTurn(k, kFftSize) - SinTurn(k, kFftSize); });
constexpr FftWindowTable kFlatTopWindow = MakeFlatTop();
constexpr FftWindowTable kHanningWindow = MakeHanning();
constexpr FftWindowTable kTriangularWindow = MakeTriangular();
constexpr std::array<std::int32_t, kSpectrumBins> kLog10Micro = MakeLog10Micro();
constexpr FftPassTwiddles kFftPassTwiddles = MakePassTwiddles(kFftCos, kFftSin, kFftCosMinusSin);
