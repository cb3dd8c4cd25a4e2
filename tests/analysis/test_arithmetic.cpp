#include "analysis/Arithmetic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

std::uint8_t Byte(int count) {
    return static_cast<std::uint8_t>(static_cast<std::int8_t>(count));
}

// A trace column's rows equal the first, smallest, largest and last of the
// rows of its samples one by one.
void ExpectColumnsOfEveryRow(const ArithmeticResult& r, std::size_t begin, std::size_t end) {
    constexpr int kHeight = 150;
    const int first = ArithmeticTraceRow(r, begin, kHeight);
    ArithmeticColumn rows{first, first, first, ArithmeticTraceRow(r, end - 1, kHeight)};
    for (std::size_t i = begin; i < end; ++i) {
        rows.low = std::min(rows.low, ArithmeticTraceRow(r, i, kHeight));
        rows.high = std::max(rows.high, ArithmeticTraceRow(r, i, kHeight));
    }
    const ArithmeticColumn column = ArithmeticTraceColumn(r, begin, end, kHeight);
    EXPECT_EQ(column.first, rows.first);
    EXPECT_EQ(column.low, rows.low);
    EXPECT_EQ(column.high, rows.high);
    EXPECT_EQ(column.last, rows.last);
}

} // namespace

TEST(Arithmetic, CombinesInUnitsOfTheLargerScale) {
    const std::vector<std::uint8_t> ch1 = {Byte(40), Byte(-40), Byte(3), Byte(0)};
    const std::vector<std::uint8_t> ch2 = {Byte(10), Byte(10), Byte(4), Byte(0)};
    const ArithmeticSources sources{ch1, ch2, 0.5, 1.0};

    const ArithmeticResult sum = ComputeArithmetic(sources, kInputCH1, kInputCH2, kArithAdd);
    ASSERT_EQ(sum.Size(), 4u);
    EXPECT_DOUBLE_EQ(sum.Value(0), 30.0);  // 40 * 0.5 + 10
    EXPECT_DOUBLE_EQ(sum.Value(1), -10.0); // below the centre line stays negative
    EXPECT_DOUBLE_EQ(sum.peak, 30.0);
    EXPECT_DOUBLE_EQ(sum.scale.k, 0.5);
    EXPECT_DOUBLE_EQ(sum.scale.outputVoltsPerDivision, 1.0);

    const ArithmeticResult same = ComputeArithmetic(sources, kInputCH1, kInputCH1, kArithSubtract);
    for (std::size_t i = 0; i < same.Size(); ++i)
        EXPECT_EQ(same.Value(i), 0.0);
    const ArithmeticResult twice = ComputeArithmetic(sources, kInputCH1, kInputCH1, kArithMultiply);
    EXPECT_DOUBLE_EQ(twice.Value(0), 400.0); // both operands scaled: 20 * 20

    const ArithmeticResult reversed = ComputeArithmetic(sources, kInputCH2, kInputCH1, kArithSubtract);
    EXPECT_DOUBLE_EQ(reversed.Value(0), -10.0);

    // CH2 at the smaller scale: now CH2 is the one converted.
    const ArithmeticResult swapped = ComputeArithmetic({ch1, ch2, 2.0, 1.0}, kInputCH1, kInputCH2, kArithAdd);
    EXPECT_FALSE(swapped.scale.scaleCH1);
    EXPECT_DOUBLE_EQ(swapped.Value(0), 45.0);

    const ArithmeticResult rms = ComputeArithmetic({ch1, ch2, 1.0, 1.0}, kInputCH1, kInputCH2, kArithRmsSum);
    EXPECT_DOUBLE_EQ(rms.Value(2), std::sqrt(12.5));
}

TEST(Arithmetic, DivisionByZeroSampleGivesSentinel) {
    const std::vector<std::uint8_t> ch1 = {Byte(50), Byte(-100), Byte(8)};
    const std::vector<std::uint8_t> ch2 = {Byte(0), Byte(10), Byte(4)};
    const ArithmeticResult q = ComputeArithmetic({ch1, ch2, 0.5, 1.0}, kInputCH1, kInputCH2, kArithDivide);
    ASSERT_EQ(q.Size(), 3u);
    EXPECT_DOUBLE_EQ(q.Value(0), 101 * 0.5);
    EXPECT_EQ(q.IsQuotientSentinel(0), true);
    EXPECT_DOUBLE_EQ(q.Value(1), -5.0);
    EXPECT_DOUBLE_EQ(q.Value(2), 1.0);
    EXPECT_EQ(q.IsQuotientSentinel(1), false);
    EXPECT_DOUBLE_EQ(q.peak, 5.0); // the sentinel does not count

    // Unknown scales: no conversion rather than a 0 / 0 factor.
    const ArithmeticResult unscaled =
        ComputeArithmetic({ch1, ch2, 0.0, 0.0}, kInputCH2, kInputCH1, kArithDivide);
    EXPECT_DOUBLE_EQ(unscaled.scale.k, 1.0);
    EXPECT_DOUBLE_EQ(unscaled.Value(2), 0.5);
    EXPECT_FALSE(std::isnan(unscaled.peak));
    // One scale unknown: no conversion either, rather than a factor of 0.
    const ArithmeticResult oneKnown =
        ComputeArithmetic({ch1, ch2, 0.0, 1.0}, kInputCH2, kInputCH1, kArithDivide);
    EXPECT_DOUBLE_EQ(oneKnown.scale.k, 1.0);
    EXPECT_DOUBLE_EQ(oneKnown.Value(2), 0.5);
}

TEST(Arithmetic, BadCodesAndRecordLengths) {
    const std::vector<std::uint8_t> ch1(10, Byte(5)), ch2(6, Byte(7));
    EXPECT_EQ(ComputeArithmetic({ch1, ch2, 1, 1}, kInputCH1, kInputCH2, kArithAdd).Size(), 6u);
    EXPECT_EQ(ComputeArithmetic({ch1, ch2, 1, 1}, kInputCH1, kInputCH2, 5).Size(), 0u);
    EXPECT_EQ(ComputeArithmetic({ch1, ch2, 1, 1}, 2, kInputCH2, kArithAdd).Size(), 0u);
    EXPECT_EQ(ComputeArithmetic({{}, ch2, 1, 1}, kInputCH1, kInputCH2, kArithAdd).Size(), 0u);

    EXPECT_EQ(ArithmeticOperationFromName("Divide", 0), kArithDivide);
    EXPECT_EQ(ArithmeticOperationFromName("RMS-Sum", 0), kArithRmsSum);
    EXPECT_EQ(ArithmeticOperationFromName("\xe9\x99\xa4\xe6\xb3\x95", 0), kArithDivide); // Chinese "Divide"
    EXPECT_EQ(ArithmeticOperationFromName("Modulo", kArithMultiply), kArithMultiply);
    EXPECT_EQ(ArithmeticOperationFromName("", kArithSubtract), kArithSubtract);
    EXPECT_EQ(ArithmeticInputFromName("CH2", kInputCH1), kInputCH2);
    EXPECT_EQ(ArithmeticInputFromName("CH3", kInputCH2), kInputCH2);
}

// The peak skips blocks that cannot hold it; it must be exactly the largest
// |value| of all samples, sentinels excluded (and a column of the trace the
// rows of its samples one by one), for every operation, operand
// pair and kind of record: smooth, noisy over the full byte range, flat,
// with zero divisors, and lengths that end inside a block.
TEST(Arithmetic, PeakIsTheLargestOfEverySample) {
    std::mt19937 random(7);
    const auto record = [&](int kind, std::size_t n) {
        std::vector<std::uint8_t> r(n);
        std::uniform_int_distribution<int> noise(-128, 127), small(-2, 2);
        for (std::size_t i = 0; i < n; ++i) {
            const double phase = static_cast<double>(i) * 2 * M_PI / 700;
            const int count = kind == 0   ? static_cast<int>(std::lround(90 * std::sin(phase))) + small(random)
                              : kind == 1 ? noise(random)
                              : kind == 2 ? 3
                                          : (i % 300 < 150 ? 60 : 0) + small(random);
            r[i] = Byte(std::clamp(count, -128, 127));
        }
        return r;
    };
    for (const std::size_t n : {std::size_t{1}, std::size_t{255}, std::size_t{20001}})
        for (int kind1 = 0; kind1 < 4; ++kind1)
            for (int kind2 = 0; kind2 < 4; ++kind2) {
                const std::vector<std::uint8_t> ch1 = record(kind1, n), ch2 = record(kind2, n);
                for (const double vdiv1 : {0.2, 5.0})
                    for (int op = kArithAdd; op <= kArithRmsSum; ++op)
                        for (int first = kInputCH1; first <= kInputCH2; ++first)
                            for (int second = kInputCH1; second <= kInputCH2; ++second) {
                                const ArithmeticResult r =
                                    ComputeArithmetic({ch1, ch2, vdiv1, 1.0}, first, second, op);
                                double peak = 0;
                                for (std::size_t i = 0; i < r.Size(); ++i)
                                    if (!r.IsQuotientSentinel(i)) peak = std::max(peak, std::abs(r.Value(i)));
                                ASSERT_EQ(r.peak, peak) << n << " " << kind1 << kind2 << " " << vdiv1 << " op "
                                                        << op << " " << first << second;
                                ExpectColumnsOfEveryRow(r, n / 3, n);
                            }
            }
}
