#pragma once
// Sample-by-sample combination of the two channel records for the arithmetic
// window: add, subtract, multiply, divide or RMS sum, in divisions of the
// larger of the two volts-per-division values.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

enum ArithmeticOperation : int {
    kArithAdd = 0,
    kArithSubtract = 1,
    kArithMultiply = 2,
    kArithDivide = 3,
    kArithRmsSum = 4,
};

enum ArithmeticInput : int { kInputCH1 = 0, kInputCH2 = 1 };

// The two channels' records and scales.
struct ArithmeticSources {
    std::span<const std::uint8_t> ch1; // record bytes, signed counts
    std::span<const std::uint8_t> ch2;
    double ch1VoltsPerDivision = 0;
    double ch2VoltsPerDivision = 0;
};

// Common unit of the two channels: the channel with the smaller volts per
// division is multiplied by k = smaller / larger so that both are in
// divisions of the larger one, which becomes the output scale. A zero scale
// on either side gives k = 1 (nothing to convert).
struct ArithmeticScale {
    double k = 1;
    bool scaleCH1 = false; // true: CH1 samples are multiplied by k, else CH2 samples
    double outputVoltsPerDivision = 0;
};

ArithmeticScale CommonScale(double ch1VoltsPerDivision, double ch2VoltsPerDivision);

// The chosen operation over the two records. The result keeps its operands,
// not a value per sample (a deep record would cost megabytes per update):
// values are read on demand and are valid while the records it was computed
// from are. Samples are combined over the shorter of the two records.
struct ArithmeticResult {
    std::size_t Size() const { return length; }
    // The result at sample i: the operation over the two operands in output
    // units, or the sentinel 101 * k where a division had a zero divisor.
    double Value(std::size_t i) const;
    bool IsQuotientSentinel(std::size_t i) const;

    double peak = 0; // largest |value|, sentinels excluded
    ArithmeticScale scale;

    int operation = -1; // -1: no result (an unknown operation or input)
    const std::uint8_t* first = nullptr;
    const std::uint8_t* second = nullptr;
    std::size_t length = 0;
    double firstFactor = 1; // k for the scaled channel, else 1
    double secondFactor = 1;
};

// Combines the two operands sample by sample. x and y are the first and
// second operand (either may name either channel). Division by a zero sample
// gives the sentinel 101 * k instead of a quotient and leaves the peak alone.
// An unknown operation or input code, or an empty record, yields an empty
// result.
ArithmeticResult ComputeArithmetic(const ArithmeticSources& sources, int firstInput, int secondInput,
                                   int operation);

// Operation code of an operation name in either language, or current when
// the name matches none of the five.
int ArithmeticOperationFromName(std::string_view name, int current);
// Input code of "CH1" / "CH2", or current for any other name.
int ArithmeticInputFromName(std::string_view name, int current);

// Row of the drawn trace where a division had a zero divisor: just above the
// drawing area.
inline constexpr int kArithmeticSentinelRow = -10;

// Row of sample i of the result trace in a drawing area height rows high: the peak P on
// row 0 and -P on the bottom edge, y = trunc((P - r) * height / (2P)); a
// division sentinel at kArithmeticSentinelRow. With a peak of 0 (nothing but
// zeros and sentinels) every other sample lies on the middle row.
int ArithmeticTraceRow(const ArithmeticResult& result, std::size_t i, int height);

// Rows of samples [begin, end) of the trace: the first's, the smallest, the
// largest and the last's (a non-empty range).
struct ArithmeticColumn {
    int first = 0, low = 0, high = 0, last = 0;
};
ArithmeticColumn ArithmeticTraceColumn(const ArithmeticResult& result, std::size_t begin, std::size_t end,
                                       int height);
