#include "analysis/Arithmetic.h"

#include "analysis/SampleReading.h"
#include "corvane/MessageTables.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOperationCount = 5;
constexpr double kQuotientSentinel = 101.0;

template <int Operation>
double Combine(double x, double y) {
    if constexpr (Operation == kArithAdd) return x + y;
    if constexpr (Operation == kArithSubtract) return x - y;
    if constexpr (Operation == kArithMultiply) return x * y;
    if constexpr (Operation == kArithDivide) return x / y;
    if constexpr (Operation == kArithRmsSum) return std::sqrt((x * x + y * y) / 2);
}

// One operation over whole records, the operation fixed at compile time so
// that the loop has no branch but the zero divisor's. An operand's sample is
// its count times its factor (k for the scaled channel, else 1). The peak is
// kept in four lanes so that neighbouring samples do not wait on each other.
template <int Operation>
void CombineRecords(const std::uint8_t* first, double firstFactor, const std::uint8_t* second,
                    double secondFactor, std::size_t length, double sentinel, ArithmeticResult& result) {
    double* value = result.value.data();
    std::uint8_t* isSentinel = result.isQuotientSentinel.data();
    double peak[4] = {0, 0, 0, 0};
    const auto one = [&](std::size_t i) {
        const int y = SampleCount(second[i]);
        const double v = Combine<Operation>(SampleCount(first[i]) * firstFactor, y * secondFactor);
        // k is never 0, so only a zero sample makes a zero divisor.
        const bool zeroDivisor = Operation == kArithDivide && y == 0;
        value[i] = zeroDivisor ? sentinel : v;
        isSentinel[i] = zeroDivisor;
        return zeroDivisor ? 0.0 : std::abs(v);
    };
    std::size_t i = 0;
    for (; i + 4 <= length; i += 4)
        for (std::size_t lane = 0; lane < 4; ++lane) peak[lane] = std::max(peak[lane], one(i + lane));
    for (; i < length; ++i) peak[0] = std::max(peak[0], one(i));
    result.peak = std::max({peak[0], peak[1], peak[2], peak[3]});
}

using Combiner = void (*)(const std::uint8_t*, double, const std::uint8_t*, double, std::size_t, double,
                          ArithmeticResult&);
constexpr Combiner kCombiners[kOperationCount] = {CombineRecords<kArithAdd>, CombineRecords<kArithSubtract>,
                                                  CombineRecords<kArithMultiply>, CombineRecords<kArithDivide>,
                                                  CombineRecords<kArithRmsSum>};

bool IsInput(int input) {
    return input == kInputCH1 || input == kInputCH2;
}

} // namespace

ArithmeticScale CommonScale(double ch1VoltsPerDivision, double ch2VoltsPerDivision) {
    ArithmeticScale scale;
    scale.scaleCH1 = ch2VoltsPerDivision > ch1VoltsPerDivision;
    scale.outputVoltsPerDivision = std::max(ch1VoltsPerDivision, ch2VoltsPerDivision);
    const double smaller = scale.scaleCH1 ? ch1VoltsPerDivision : ch2VoltsPerDivision;
    const double larger = scale.outputVoltsPerDivision;
    scale.k = smaller > 0 && larger > 0 ? smaller / larger : 1.0;
    return scale;
}

void ComputeArithmetic(const ArithmeticSources& sources, int firstInput, int secondInput, int operation,
                       ArithmeticResult& result) {
    result.scale = CommonScale(sources.ch1VoltsPerDivision, sources.ch2VoltsPerDivision);
    result.peak = 0;
    if (!IsInput(firstInput) || !IsInput(secondInput) || operation < 0 || operation >= kOperationCount) {
        result.value.clear();
        result.isQuotientSentinel.clear();
        return;
    }
    const std::size_t length = std::min(sources.ch1.size(), sources.ch2.size());
    // Every element is written below: a buffer of the same length is reused as it is.
    result.value.resize(length);
    result.isQuotientSentinel.resize(length);
    const auto record = [&](int input) { return (input == kInputCH1 ? sources.ch1 : sources.ch2).data(); };
    const auto factor = [&](int input) { return (input == kInputCH1) == result.scale.scaleCH1 ? result.scale.k : 1.0; };
    kCombiners[operation](record(firstInput), factor(firstInput), record(secondInput), factor(secondInput), length,
                          kQuotientSentinel * result.scale.k, result);
}

ArithmeticResult ComputeArithmetic(const ArithmeticSources& sources, int firstInput, int secondInput,
                                   int operation) {
    ArithmeticResult result;
    ComputeArithmetic(sources, firstInput, secondInput, operation, result);
    return result;
}

int ArithmeticOperationFromName(std::string_view name, int current) {
    for (const auto& language : szMthOperation)
        for (int code = 0; code < kOperationCount; ++code)
            if (name == language[code]) return code;
    return current;
}

int ArithmeticInputFromName(std::string_view name, int current) {
    if (name == "CH1") return kInputCH1;
    if (name == "CH2") return kInputCH2;
    return current;
}

std::vector<int> ArithmeticTraceRows(const ArithmeticResult& result, int height) {
    std::vector<int> rows(result.value.size(), height / 2);
    const double peak = result.peak;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (result.isQuotientSentinel[i])
            rows[i] = kArithmeticSentinelRow;
        else if (peak > 0)
            rows[i] = static_cast<int>(std::trunc((peak - result.value[i]) * height / (2 * peak)));
    }
    return rows;
}
