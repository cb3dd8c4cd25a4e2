#include "analysis/FftPower.h"
#include "analysis/SampleReading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using Bins = std::array<std::int32_t, kSpectrumBins>;

std::int32_t TruncTowardZero(long double v) {
    return static_cast<std::int32_t>(v);
}

// Power |X[k]|^2 of a double-precision DFT of the windowed samples.
std::vector<double> ReferencePower(const std::array<std::int32_t, kFftSize>& windowed) {
    std::vector<std::complex<double>> twiddle(kFftSize);
    for (int n = 0; n < kFftSize; ++n)
        twiddle[n] = std::polar(1.0, -2.0 * std::numbers::pi * n / kFftSize);
    std::vector<double> power(kSpectrumBins);
    for (int k = 0; k < kSpectrumBins; ++k) {
        std::complex<double> sum = 0;
        for (int n = 0; n < kFftSize; ++n)
            sum += static_cast<double>(windowed[n]) * twiddle[(k * n) % kFftSize];
        power[k] = std::norm(sum);
    }
    return power;
}

// The transform written plainly, one butterfly at a time in 64-bit
// arithmetic as the rules state it: bit-reversed load, radix-2 passes with
// three rounded products per butterfly, power per bin.
Bins PlainSpectrumDb(std::span<const std::int16_t> samples, int window) {
    const FftWindowTable* table = window == kWindowFlatTop  ? &kFlatTopWindow
                                  : window == kWindowHanning ? &kHanningWindow
                                  : window == kWindowTriangular ? &kTriangularWindow
                                                                : nullptr;
    std::vector<std::int64_t> re(kFftSize), im(kFftSize, 0);
    for (int i = 0; i < kFftSize; ++i) {
        const int n = kFftBitReverse[i];
        re[i] = table ? RoundShift64(std::int64_t{samples[n]} * (*table)[n], 10) : samples[n];
    }
    for (int half = 1; half < kFftSize; half *= 2)
        for (int group = 0; group < kFftSize; group += 2 * half)
            for (int j = 0; j < half; ++j) {
                const int a = group + j, b = a + half, k = kSpectrumBins / half * j;
                const std::int64_t p1 = RoundShift64(kFftCos[k] * re[b], 10);
                const std::int64_t p2 = RoundShift64(kFftSin[k] * im[b], 10);
                const std::int64_t ti = RoundShift64(kFftCosMinusSin[k] * (re[b] + im[b]), 10) - p1 - p2;
                const std::int64_t tr = p1 - p2;
                re[b] = re[a] - tr;
                im[b] = im[a] - ti;
                re[a] += tr;
                im[a] += ti;
            }
    Bins db{};
    for (int k = 0; k < kSpectrumBins; ++k)
        db[k] = PowerToDb(static_cast<std::uint64_t>(re[k] * re[k] + im[k] * im[k]));
    return db;
}

// Runs the routine and the floating-point reference on the same samples.
struct SpectrumPair {
    Bins db{};
    std::vector<double> referencePower;
};

SpectrumPair Compute(std::span<const std::int16_t> samples, int window) {
    SpectrumPair pair;
    std::array<std::int32_t, kFftSize> windowed{};
    EXPECT_EQ(ApplyFftWindow(windowed, samples, window), 0);
    pair.referencePower = ReferencePower(windowed);
    EXPECT_EQ(ComputeSpectrumDb(pair.db, samples, window), 0);
    return pair;
}

// True when bin holds the largest value (a flat-top lobe may tie its
// neighbours once truncated to whole decibels).
bool IsPeak(const Bins& db, int bin) {
    return db[bin] == *std::max_element(db.begin(), db.end());
}

// The routine truncates to whole decibels, so its value v stands for
// [v, v + 1): compare the middle of that step with the reference.
void ExpectWithinOneDb(std::int32_t db, double power, const char* what, int bin) {
    EXPECT_NEAR(db + 0.5, 10.0 * std::log10(power) + kSpectrumDbOffset, 1.0) << what << " bin " << bin;
}

// Record bytes of a sine of the given amplitude (counts) around the centre
// line, `cycles` periods per 2048 samples.
std::vector<std::uint8_t> SineRecord(double amplitude, double cycles, double phase, std::size_t length) {
    std::vector<std::uint8_t> record(length);
    for (std::size_t n = 0; n < length; ++n) {
        const double v = amplitude * std::sin(2.0 * std::numbers::pi * cycles * n / kFftSize + phase);
        record[n] = static_cast<std::uint8_t>(static_cast<std::int8_t>(std::lround(v)));
    }
    return record;
}

} // namespace

TEST(SpectrumTables, FollowTheirDefiningFormulas) {
    for (int i = 0; i < kFftSize; ++i) {
        ASSERT_EQ(kFftBitReverse[kFftBitReverse[i]], i);
        ASSERT_EQ(kFftBitReverse[i] & 1, (i >> (kFftBits - 1)) & 1);
    }
    EXPECT_EQ(kFftBitReverse[1], 1024);
    EXPECT_EQ(kFftBitReverse[2], 512);

    int sumDiffersFromParts = 0;
    for (int k = 0; k < kSpectrumBins; ++k) {
        const long double angle = 2.0L * std::numbers::pi_v<long double> * k / kFftSize;
        ASSERT_EQ(kFftCos[k], TruncTowardZero(1024.0L * std::cos(angle))) << k;
        ASSERT_EQ(kFftSin[k], TruncTowardZero(-1024.0L * std::sin(angle))) << k;
        ASSERT_EQ(kFftCosMinusSin[k], TruncTowardZero(1024.0L * (std::cos(angle) - std::sin(angle)))) << k;
        sumDiffersFromParts += kFftCosMinusSin[k] != kFftCos[k] + kFftSin[k];
    }
    EXPECT_GT(sumDiffersFromParts, 100); // truncating the exact sum keeps a count the parts lose
    EXPECT_EQ(kFftCos[0], 1024);
    EXPECT_EQ(kFftCos[512], 0);
    EXPECT_EQ(kFftSin[512], -1024);
    EXPECT_EQ(kFftCosMinusSin[512], -1024);
    EXPECT_EQ(kFftCosMinusSin[256], 0);

    EXPECT_EQ(kLog10Micro[0], 0);
    EXPECT_EQ(kLog10Micro[1], 301030);
    EXPECT_EQ(kLog10Micro[9], 1000000);
    EXPECT_EQ(kLog10Micro[625], 2796574);
    EXPECT_EQ(kLog10Micro[1023], 3010300);
    for (int i = 0; i < kSpectrumBins; ++i)
        ASSERT_EQ(kLog10Micro[i], std::llround(std::log10(static_cast<long double>(i + 1)) * 1e6L)) << i;
}

TEST(SpectrumTables, WindowShapes) {
    const auto [flatMin, flatMax] = std::minmax_element(kFlatTopWindow.begin(), kFlatTopWindow.end());
    EXPECT_EQ(*flatMin, -72);
    EXPECT_EQ(*flatMax, 1024);
    EXPECT_EQ(kFlatTopWindow[1024], 1024);
    EXPECT_EQ(kFlatTopWindow[0], 0); // -0.43 truncates toward zero
    EXPECT_EQ(kFlatTopWindow[512], -56);
    for (int n = 1; n < kFftSize; ++n)
        ASSERT_EQ(kFlatTopWindow[n], kFlatTopWindow[kFftSize - n]) << n; // periodic

    EXPECT_EQ(kHanningWindow[0], 0);
    EXPECT_EQ(kHanningWindow[2047], 0);
    EXPECT_EQ(kHanningWindow[1023], 1023);
    EXPECT_EQ(kHanningWindow[1024], 1023);
    for (int n = 0; n < kFftSize; ++n) {
        ASSERT_EQ(kHanningWindow[n], kHanningWindow[kFftSize - 1 - n]) << n; // symmetric
        const long double exact = 512.0L * (1 - std::cos(2.0L * std::numbers::pi_v<long double> * n / 2047));
        ASSERT_EQ(kHanningWindow[n], TruncTowardZero(exact)) << n;
    }

    EXPECT_EQ(kTriangularWindow[0], 0);
    EXPECT_EQ(kTriangularWindow[1023], 1023);
    EXPECT_EQ(kTriangularWindow[1024], 1023);
    EXPECT_EQ(kTriangularWindow[2047], 0);
}

TEST(RoundShift, RoundsHalfAwayFromZero) {
    EXPECT_EQ(RoundShift(512, 10), 1);
    EXPECT_EQ(RoundShift(511, 10), 0);
    EXPECT_EQ(RoundShift(1536, 10), 2);
    EXPECT_EQ(RoundShift(-512, 10), -1);
    EXPECT_EQ(RoundShift(-511, 10), 0);
    EXPECT_EQ(RoundShift(-1536, 10), -2);
    EXPECT_EQ(RoundShift(-1537, 10), -2);
    EXPECT_EQ(RoundShift(INT32_MIN, 10), -2097152);
    EXPECT_EQ(RoundShift(INT32_MAX, 10), 2097152);
    EXPECT_EQ(RoundShift(7, 0), 7);
}

TEST(SpectrumDecibels, PowerStepUsesHalvingsAndLogTable) {
    EXPECT_EQ(PowerToDb(0), -70);
    EXPECT_EQ(PowerToDb(1), -67);    // trunc(3.0103)
    EXPECT_EQ(PowerToDb(8), -61);    // log10 9 = 0.954243
    EXPECT_EQ(PowerToDb(9), -60);    // exactly 1.0: no loss to rounding
    EXPECT_EQ(PowerToDb(99), -50);   // exactly 2.0
    EXPECT_EQ(PowerToDb(1023), -40); // L[1023], no halving
    EXPECT_EQ(PowerToDb(1024), -40); // one halving: L[512] + 0.30103 = 3.011147
    EXPECT_EQ(PowerToDb(2047), -37); // L[1023] + 0.30103
    EXPECT_EQ(PowerToDb(41943040000ULL), 36);
    EXPECT_EQ(PowerToDb(UINT64_MAX), 122); // 54 halvings down to 1023: 3.0103 + 54 * 0.30103
}

TEST(SpectrumDb, WorkedValues) {
    std::array<std::int16_t, kFftSize> zero{};
    Bins db{};
    for (int window = 0; window <= 3; ++window) {
        ASSERT_EQ(ComputeSpectrumDb(db, zero, window), 0);
        EXPECT_TRUE(std::all_of(db.begin(), db.end(), [](std::int32_t v) { return v == -70; })) << window;
    }

    std::array<std::int16_t, kFftSize> full;
    full.fill(100);
    ASSERT_EQ(ComputeSpectrumDb(db, full, kWindowRectangular), 0);
    EXPECT_EQ(db[0], 36);
    EXPECT_TRUE(std::all_of(db.begin() + 1, db.end(), [](std::int32_t v) { return v == -70; }));

    // The same through record bytes read as signed counts: a byte of 0 is the
    // centre line, a byte of 100 four divisions above it.
    const std::vector<std::uint8_t> centre(2500, 0), top(2500, 100);
    auto input = SpectrumInputFromRecord(centre.data(), centre.size());
    ASSERT_EQ(ComputeSpectrumDb(db, input, kWindowRectangular), 0);
    EXPECT_EQ(db[0], -70);
    input = SpectrumInputFromRecord(top.data(), top.size());
    ASSERT_EQ(ComputeSpectrumDb(db, input, kWindowRectangular), 0);
    EXPECT_EQ(db[0], 36);
}

TEST(SpectrumDb, WindowingRejectsUnknownCodesAndShortArrays) {
    std::array<std::int16_t, kFftSize> samples;
    samples.fill(-1);
    samples[1023] = 1000;
    std::array<std::int32_t, kFftSize> dest;
    dest.fill(77);
    EXPECT_EQ(ApplyFftWindow(dest, samples, 4), -1);
    EXPECT_EQ(ApplyFftWindow(dest, samples, -1), -1);
    EXPECT_EQ(ApplyFftWindow(std::span(dest).first(100), samples, 2), -1);
    EXPECT_TRUE(std::all_of(dest.begin(), dest.end(), [](std::int32_t v) { return v == 77; }));

    ASSERT_EQ(ApplyFftWindow(dest, samples, kWindowHanning), 0);
    EXPECT_EQ(dest[1023], 999); // 1000 * 1023 / 1024 rounded
    EXPECT_EQ(dest[0], 0);
    EXPECT_EQ(dest[1024], -1); // -1023 / 1024 rounds away from zero
    ASSERT_EQ(ApplyFftWindow(dest, samples, kWindowRectangular), 0);
    EXPECT_EQ(dest[1023], 1000);
    EXPECT_EQ(dest[0], -1);

    Bins db;
    db.fill(5);
    EXPECT_EQ(ComputeSpectrumDb(db, samples, 7), -1);
    EXPECT_EQ(ComputeSpectrumDb(db, std::span(samples).first(2047), kWindowHanning), -1);
    EXPECT_EQ(ComputeSpectrumDb(std::span(db).first(1000), samples, kWindowHanning), -1);
    dest.fill(0);
    dest[5] = kFftMaxInput + 1;
    EXPECT_EQ(RunFft2048(db, dest), -1);
    EXPECT_TRUE(std::all_of(db.begin(), db.end(), [](std::int32_t v) { return v == 5; }));
}

TEST(SpectrumDb, FullScaleInputStaysExact) {
    // Full-scale 16-bit noise drives every pass to its largest values; any
    // overflow in the products or sums would show against the reference.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> full(INT16_MIN, INT16_MAX);
    std::array<std::int16_t, kFftSize> samples;
    for (auto& s : samples)
        s = static_cast<std::int16_t>(full(rng));
    for (int window = 0; window <= 3; ++window) {
        const SpectrumPair pair = Compute(samples, window);
        // Twiddle truncation leaves errors about 40 dB under the signal:
        // deep random nulls below that are not comparable.
        const double floor = *std::max_element(pair.referencePower.begin(), pair.referencePower.end()) * 1e-4;
        for (int k = 0; k < kSpectrumBins; ++k)
            if (pair.referencePower[k] >= floor)
                ExpectWithinOneDb(pair.db[k], pair.referencePower[k], "noise", k);
    }
    samples.fill(INT16_MIN);
    Bins db{};
    ASSERT_EQ(ComputeSpectrumDb(db, samples, kWindowRectangular), 0);
    EXPECT_EQ(db[0], PowerToDb(static_cast<std::uint64_t>(2048LL * 32768) * (2048LL * 32768)));
}

TEST(SpectrumDb, SameBinsAsThePlainTransform) {
    // Amplitudes around the largest windowed input whose products all fit
    // 32 bits (512) and up to full scale, noise and a tone, every window.
    std::mt19937 rng(19);
    const int amplitudes[] = {1, 127, 512, 513, 600, 4096, 32767};
    for (int amplitude : amplitudes)
        for (int window = 0; window <= 3; ++window)
            for (bool tone : {false, true}) {
                std::uniform_int_distribution<int> pick(-amplitude, amplitude);
                std::array<std::int16_t, kFftSize> samples;
                for (int n = 0; n < kFftSize; ++n)
                    samples[n] = static_cast<std::int16_t>(
                        tone ? std::lround(amplitude * std::sin(2 * std::numbers::pi * 37.3 * n / kFftSize))
                             : pick(rng));
                Bins db{};
                ASSERT_EQ(ComputeSpectrumDb(db, samples, window), 0);
                ASSERT_EQ(db, PlainSpectrumDb(samples, window))
                    << "amplitude " << amplitude << " window " << window << " tone " << tone;
            }
    // Lone impulses reach every element through the bit-reversed load.
    for (int position = 0; position < kFftSize; position += 97) {
        std::array<std::int16_t, kFftSize> samples{};
        samples[position] = -32768;
        samples[kFftSize - 1 - position] = 300;
        Bins db{};
        ASSERT_EQ(ComputeSpectrumDb(db, samples, kWindowRectangular), 0);
        ASSERT_EQ(db, PlainSpectrumDb(samples, kWindowRectangular)) << position;
    }
}

TEST(SpectrumDb, PureTonesMatchFloatingPointReference) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> binPick(20, 1000);
    std::uniform_real_distribution<double> phasePick(0, 2 * std::numbers::pi);
    std::uniform_real_distribution<double> amplitudePick(20, 120);
    for (int trial = 0; trial < 12; ++trial) {
        const int bin = binPick(rng);
        const int window = trial % 4;
        std::array<std::int16_t, kFftSize> samples;
        const double amplitude = amplitudePick(rng), phase = phasePick(rng);
        for (int n = 0; n < kFftSize; ++n)
            samples[n] = static_cast<std::int16_t>(
                std::lround(amplitude * std::cos(2 * std::numbers::pi * bin * n / kFftSize + phase)));
        const SpectrumPair pair = Compute(samples, window);
        const std::string what = "trial " + std::to_string(trial) + " window " + std::to_string(window);
        EXPECT_TRUE(IsPeak(pair.db, bin)) << what;
        for (int k = 0; k < kSpectrumBins; ++k) {
            if (pair.referencePower[k] < 1e5) continue; // bins near the fixed-point noise floor
            ExpectWithinOneDb(pair.db[k], pair.referencePower[k], what.c_str(), k);
        }
    }
}

TEST(SpectrumDb, SineAroundCentreLineGivesOneCleanPeak) {
    // +-60 counts, 2.4 divisions each way: half of the samples lie below the
    // centre line and must stay negative.
    constexpr int kBin = 100;
    const auto record = SineRecord(60, kBin, 0.3, kSpectrumColumns);
    const SpectrumInput input = SpectrumInputFromRecord(record.data(), record.size());
    EXPECT_LT(*std::min_element(input.begin(), input.end()), -55);
    for (int window : {kWindowHanning, kWindowFlatTop, kWindowRectangular}) {
        const SpectrumPair pair = Compute(input, window);
        ASSERT_TRUE(IsPeak(pair.db, kBin)) << window;
        ExpectWithinOneDb(pair.db[kBin], pair.referencePower[kBin], "sine", kBin);
        // Outside the window's main lobe everything is far below the peak:
        // no folded harmonics, no DC from a folded lower half.
        std::int32_t strongestElsewhere = INT32_MIN;
        for (int k = 0; k < kSpectrumBins; ++k)
            if (std::abs(k - kBin) > 5) strongestElsewhere = std::max(strongestElsewhere, pair.db[k]);
        EXPECT_LT(strongestElsewhere, pair.db[kBin] - 35) << window;
    }
}

TEST(SampleReading, BytesAreSignedCounts) {
    EXPECT_EQ(SampleCount(0x00), 0);
    EXPECT_EQ(SampleCount(0x64), 100);
    EXPECT_EQ(SampleCount(0x9C), -100);
    EXPECT_EQ(SampleCount(0xFF), -1);
    EXPECT_EQ(SampleCount(0x80), -128);

    const std::uint8_t shortRecord[3] = {0x19, 0xE7, 0x7F};
    const SpectrumInput input = SpectrumInputFromRecord(shortRecord, 3);
    EXPECT_EQ(input[0], 25);
    EXPECT_EQ(input[1], -25);
    EXPECT_EQ(input[2], 127);
    EXPECT_TRUE(std::all_of(input.begin() + 3, input.end(), [](std::int16_t v) { return v == 0; }));
    const SpectrumInput none = SpectrumInputFromRecord(nullptr, 2500);
    EXPECT_TRUE(std::all_of(none.begin(), none.end(), [](std::int16_t v) { return v == 0; }));

    std::vector<std::uint8_t> longRecord(3200, 0x05);
    longRecord[2500] = 0x80; // beyond the 2500 columns the spectrum reads
    const SpectrumInput clipped = SpectrumInputFromRecord(longRecord.data(), longRecord.size());
    EXPECT_TRUE(std::all_of(clipped.begin(), clipped.end(), [](std::int16_t v) { return v == 5; }));

    EXPECT_EQ(WindowCodeFromInstrument(0), kWindowHanning);
    EXPECT_EQ(WindowCodeFromInstrument(1), kWindowFlatTop);
    EXPECT_EQ(WindowCodeFromInstrument(2), kWindowRectangular);
    EXPECT_EQ(WindowCodeFromInstrument(3), -1);
}
