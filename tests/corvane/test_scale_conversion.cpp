#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "corvane/ScaleConversion.h"

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

struct Formatted {
    float value;
    std::string text;
};

Formatted Format(float value, int s, int r = 0, int u = -1)
{
    Formatted f{value, "untouched"};
    DataAnalyse(f.value, s, f.text, r, u);
    return f;
}

}  // namespace

TEST(ScaleSequences, FollowTheOneTwoFivePattern)
{
    const int64_t times[] = {4, 8, 20, 40, 80, 200, 400, 800, 2000};
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(CalcTimeBase(n), times[n - 1]) << n;
    }
    // Every third step multiplies by 2.5: a factor of ten per three indices.
    EXPECT_EQ(CalcTimeBase(30), 20000000000LL);
    EXPECT_EQ(CalcTimeBase(31), 40000000000LL);
    const int64_t volts[] = {2, 5, 10, 20, 50, 100, 200, 500, 1000};
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(CalcVoltBase(n, 1), volts[n - 1]) << n;
    }
    EXPECT_EQ(CalcVoltBase(2, 10), 50);
    EXPECT_EQ(CalcVoltBase(1, 1000), 2000);
    EXPECT_EQ(CalcFqBase(3), 1250);
    EXPECT_EQ(CalcFqBase(6), 12500);
    EXPECT_EQ(CalcDbBase(3), 5);
    EXPECT_EQ(CalcDbBase(6), 50);
}

TEST(ScaleSequences, IndicesOutsideTheTablesStayDefined)
{
    EXPECT_EQ(CalcTimeBase(0), 4);
    EXPECT_EQ(CalcTimeBase(-5), 4);
    EXPECT_EQ(CalcTimeBase(500), kMax);
    EXPECT_EQ(CalcVoltBase(500, 1000), kMax);
    EXPECT_EQ(CalcDbBase(500), std::numeric_limits<int32_t>::max());
}

TEST(ScaleSequences, VoltBaseExMovesToLargerUnitsAtOneThousand)
{
    int unit = -9;
    std::string text;
    EXPECT_FLOAT_EQ(CalcVoltBaseEx(1, unit, text, 1), 2.0f);
    EXPECT_EQ(unit, 2);
    EXPECT_EQ(text, "mv");
    EXPECT_FLOAT_EQ(CalcVoltBaseEx(9, unit, text, 1), 1.0f);
    EXPECT_EQ(text, "v");
    EXPECT_FLOAT_EQ(CalcVoltBaseEx(1, unit, text, 1000), 2.0f);
    EXPECT_EQ(text, "v");
    EXPECT_FLOAT_EQ(CalcVoltBaseEx(4, unit, text, 100), 2.0f);  // 2000 mV
    EXPECT_EQ(text, "v");
    // The largest unit is the last step down: the value keeps growing there.
    EXPECT_GT(CalcVoltBaseEx(40, unit, text, 1000), 1000.0f);
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(text, "kv");
}

TEST(ScaleSequences, FFTCentreLevelNeedsAnExactScale)
{
    EXPECT_EQ(CalcFFTdBcenter(2000), -75);
    EXPECT_EQ(CalcFFTdBcenter(1000000), -21);
    EXPECT_EQ(CalcFFTdBcenter(5000000000LL), 53);
    EXPECT_EQ(CalcFFTdBcenter(3000), 0);
    EXPECT_EQ(CalcFFTdBcenter(-2000), 0);
}

TEST(DataAnalyse, WritesSignificantDigitsWithTheUnitPrefix)
{
    Formatted f = Format(0.0002f, 4);
    EXPECT_EQ(f.text, "200.0 us");
    EXPECT_FLOAT_EQ(f.value, 200.0f);

    f = Format(0.0f, 3);
    EXPECT_EQ(f.text, "0.00 v");

    f = Format(0.0125f, 3);
    EXPECT_EQ(f.text, "12.5 v");

    f = Format(-0.0015f, 4);
    EXPECT_EQ(f.text, "-1.500 ms");

    f = Format(0.0000015f, 5);  // GHz row
    EXPECT_EQ(f.text, "1.5000 kHz");

    f = Format(0.0123456f, 3);
    EXPECT_EQ(f.text, "12.3 v");
    EXPECT_FLOAT_EQ(f.value, 12.3f);
}

TEST(DataAnalyse, RoundsHalfAwayFromZero)
{
    // s = 1 and r = 2 take the voltage row with one digit.
    EXPECT_EQ(Format(2.5f, 1, 2).text, "3 kv");
    EXPECT_EQ(Format(-2.5f, 1, 2).text, "-3 kv");
    EXPECT_EQ(Format(2.25f, 2, 1).text, "2.3 kv");
}

TEST(DataAnalyse, LeavesWhatItCannotShowUntouched)
{
    Formatted f = Format(1000.0f, 3);
    EXPECT_EQ(f.text, "untouched");
    EXPECT_FLOAT_EQ(f.value, 1000.0f);
    EXPECT_EQ(Format(-2500.0f, 4).text, "untouched");
    EXPECT_EQ(Format(std::nanf(""), 4).text, "untouched");
    EXPECT_EQ(Format(1.0f, 0).text, "untouched");
    EXPECT_EQ(Format(1.0f, 9).text, "untouched");
    EXPECT_EQ(Format(1.0f, 3, 6).text, "untouched");
    // Far below the smallest unit: shown in that unit, no endless scaling.
    EXPECT_EQ(Format(1e-20f, 4).text, "0.000 ps");
}

TEST(LabelParsers, AssstringReadsTimeAndVoltageLabels)
{
    EXPECT_EQ(Assstring("5.00ns", 1, 1), 5);
    EXPECT_EQ(Assstring("2.50us", 1, 1), 2000);
    EXPECT_EQ(Assstring("100ms", 1, 1), 100000000);
    EXPECT_EQ(Assstring("20.0s", 1, 1), 20000000000LL);
    EXPECT_EQ(Assstring(" 2.50 us ", 1, 1), 2000);
    EXPECT_EQ(Assstring("200mV", 0, 1), 200000);
    EXPECT_EQ(Assstring("200mV", 0, 10), 2000000);
    EXPECT_EQ(Assstring("5.00V", 0, 1), 5000000);
    EXPECT_EQ(Assstring("200mV", 2, 1), 0);
    EXPECT_EQ(Assstring("", 1, 1), 0);
    EXPECT_EQ(Assstring("s", 1, 1), 0);
    EXPECT_EQ(Assstring("99999999999999999999s", 1, 1), kMax);
    EXPECT_EQ(Assstring("5000V", 0, 1000000000000LL), kMax);
}

TEST(LabelParsers, DepthLabelsMapToStoreDepths)
{
    EXPECT_EQ(Ass_Depthstring("4K"), 4000);
    EXPECT_EQ(Ass_Depthstring("20K"), 20000);
    EXPECT_EQ(Ass_Depthstring("40 K"), 40000);
    EXPECT_EQ(Ass_Depthstring("512K"), 400000);
    EXPECT_EQ(Ass_Depthstring("1M"), 800000);
    EXPECT_EQ(Ass_Depthstring("4k"), 0);
    EXPECT_EQ(Ass_Depthstring("8K"), 0);
    EXPECT_EQ(Ass_Depthstring("2M"), 0);
    EXPECT_EQ(Ass_Depthstring("K"), 0);
    EXPECT_EQ(Ass_Depthstring(""), 0);
}

TEST(LabelParsers, CombineReadsLittleEndian)
{
    const unsigned char bytes[10] = {0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x55, 0x66};
    EXPECT_EQ(Combine(bytes, 2), 0x1234);
    EXPECT_EQ(Combine(bytes, 1), 0x34);
    EXPECT_EQ(Combine(bytes + 2, 1), 255);  // unsigned, not -1
    EXPECT_EQ(Combine(bytes + 2, 4), 0xFFFFFFFFLL);
    EXPECT_EQ(Combine(bytes, 10), Combine(bytes, 8));
    EXPECT_EQ(Combine(bytes, 0), 0);
    EXPECT_EQ(Combine(nullptr, 4), 0);
}

TEST(LabelParsers, RoundGoesHalfAwayFromZeroAndSaturates)
{
    EXPECT_EQ(corvane::round(2.5), 3);
    EXPECT_EQ(corvane::round(-2.5), -3);
    EXPECT_EQ(corvane::round(2.4999), 2);
    EXPECT_EQ(corvane::round(-0.4), 0);
    EXPECT_EQ(corvane::round(1e300), kMax);
    EXPECT_EQ(corvane::round(-1e300), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(corvane::round(std::nan("")), 0);
}
