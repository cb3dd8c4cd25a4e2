#include "analysis/Arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

std::uint8_t Byte(int count) {
    return static_cast<std::uint8_t>(static_cast<std::int8_t>(count));
}

} // namespace

TEST(Arithmetic, CombinesInUnitsOfTheLargerScale) {
    const std::vector<std::uint8_t> ch1 = {Byte(40), Byte(-40), Byte(3), Byte(0)};
    const std::vector<std::uint8_t> ch2 = {Byte(10), Byte(10), Byte(4), Byte(0)};
    const ArithmeticSources sources{ch1, ch2, 0.5, 1.0};

    const ArithmeticResult sum = ComputeArithmetic(sources, kInputCH1, kInputCH2, kArithAdd);
    ASSERT_EQ(sum.value.size(), 4u);
    EXPECT_DOUBLE_EQ(sum.value[0], 30.0);  // 40 * 0.5 + 10
    EXPECT_DOUBLE_EQ(sum.value[1], -10.0); // below the centre line stays negative
    EXPECT_DOUBLE_EQ(sum.peak, 30.0);
    EXPECT_DOUBLE_EQ(sum.scale.k, 0.5);
    EXPECT_DOUBLE_EQ(sum.scale.outputVoltsPerDivision, 1.0);

    const ArithmeticResult same = ComputeArithmetic(sources, kInputCH1, kInputCH1, kArithSubtract);
    for (double v : same.value)
        EXPECT_EQ(v, 0.0);
    const ArithmeticResult twice = ComputeArithmetic(sources, kInputCH1, kInputCH1, kArithMultiply);
    EXPECT_DOUBLE_EQ(twice.value[0], 400.0); // both operands scaled: 20 * 20

    const ArithmeticResult reversed = ComputeArithmetic(sources, kInputCH2, kInputCH1, kArithSubtract);
    EXPECT_DOUBLE_EQ(reversed.value[0], -10.0);

    // CH2 at the smaller scale: now CH2 is the one converted.
    const ArithmeticResult swapped = ComputeArithmetic({ch1, ch2, 2.0, 1.0}, kInputCH1, kInputCH2, kArithAdd);
    EXPECT_FALSE(swapped.scale.scaleCH1);
    EXPECT_DOUBLE_EQ(swapped.value[0], 45.0);

    const ArithmeticResult rms = ComputeArithmetic({ch1, ch2, 1.0, 1.0}, kInputCH1, kInputCH2, kArithRmsSum);
    EXPECT_DOUBLE_EQ(rms.value[2], std::sqrt(12.5));
}

TEST(Arithmetic, DivisionByZeroSampleGivesSentinel) {
    const std::vector<std::uint8_t> ch1 = {Byte(50), Byte(-100), Byte(8)};
    const std::vector<std::uint8_t> ch2 = {Byte(0), Byte(10), Byte(4)};
    const ArithmeticResult q = ComputeArithmetic({ch1, ch2, 0.5, 1.0}, kInputCH1, kInputCH2, kArithDivide);
    ASSERT_EQ(q.value.size(), 3u);
    EXPECT_DOUBLE_EQ(q.value[0], 101 * 0.5);
    EXPECT_EQ(q.isQuotientSentinel[0], 1);
    EXPECT_DOUBLE_EQ(q.value[1], -5.0);
    EXPECT_DOUBLE_EQ(q.value[2], 1.0);
    EXPECT_EQ(q.isQuotientSentinel[1], 0);
    EXPECT_DOUBLE_EQ(q.peak, 5.0); // the sentinel does not count

    // Unknown scales: no conversion rather than a 0 / 0 factor.
    const ArithmeticResult unscaled =
        ComputeArithmetic({ch1, ch2, 0.0, 0.0}, kInputCH2, kInputCH1, kArithDivide);
    EXPECT_DOUBLE_EQ(unscaled.scale.k, 1.0);
    EXPECT_DOUBLE_EQ(unscaled.value[2], 0.5);
    EXPECT_FALSE(std::isnan(unscaled.peak));
    // One scale unknown: no conversion either, rather than a factor of 0.
    const ArithmeticResult oneKnown =
        ComputeArithmetic({ch1, ch2, 0.0, 1.0}, kInputCH2, kInputCH1, kArithDivide);
    EXPECT_DOUBLE_EQ(oneKnown.scale.k, 1.0);
    EXPECT_DOUBLE_EQ(oneKnown.value[2], 0.5);
}

TEST(Arithmetic, BadCodesAndRecordLengths) {
    const std::vector<std::uint8_t> ch1(10, Byte(5)), ch2(6, Byte(7));
    EXPECT_EQ(ComputeArithmetic({ch1, ch2, 1, 1}, kInputCH1, kInputCH2, kArithAdd).value.size(), 6u);
    EXPECT_TRUE(ComputeArithmetic({ch1, ch2, 1, 1}, kInputCH1, kInputCH2, 5).value.empty());
    EXPECT_TRUE(ComputeArithmetic({ch1, ch2, 1, 1}, 2, kInputCH2, kArithAdd).value.empty());
    EXPECT_TRUE(ComputeArithmetic({{}, ch2, 1, 1}, kInputCH1, kInputCH2, kArithAdd).value.empty());

    EXPECT_EQ(ArithmeticOperationFromName("Divide", 0), kArithDivide);
    EXPECT_EQ(ArithmeticOperationFromName("RMS-Sum", 0), kArithRmsSum);
    EXPECT_EQ(ArithmeticOperationFromName("\xe9\x99\xa4\xe6\xb3\x95", 0), kArithDivide); // Chinese "Divide"
    EXPECT_EQ(ArithmeticOperationFromName("Modulo", kArithMultiply), kArithMultiply);
    EXPECT_EQ(ArithmeticOperationFromName("", kArithSubtract), kArithSubtract);
    EXPECT_EQ(ArithmeticInputFromName("CH2", kInputCH1), kInputCH2);
    EXPECT_EQ(ArithmeticInputFromName("CH3", kInputCH2), kInputCH2);
}
