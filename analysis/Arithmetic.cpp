#include "analysis/Arithmetic.h"

#include "analysis/SampleReading.h"
#include "corvane/MessageTables.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOperationCount = 5;
constexpr double kQuotientSentinel = 101.0;

// One operand's sample at i in output units, and its raw count.
struct Operand {
    double value;
    int raw;
};

Operand ReadOperand(const ArithmeticSources& sources, const ArithmeticScale& scale, int input,
                    std::size_t i) {
    const bool isCH1 = input == kInputCH1;
    const int raw = SampleCount((isCH1 ? sources.ch1 : sources.ch2)[i]);
    const bool scaled = isCH1 == scale.scaleCH1;
    return {scaled ? raw * scale.k : static_cast<double>(raw), raw};
}

double Combine(int operation, double x, double y) {
    switch (operation) {
    case kArithAdd:
        return x + y;
    case kArithSubtract:
        return x - y;
    case kArithMultiply:
        return x * y;
    case kArithDivide:
        return x / y;
    default:
        return std::sqrt((x * x + y * y) / 2);
    }
}

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

ArithmeticResult ComputeArithmetic(const ArithmeticSources& sources, int firstInput, int secondInput,
                                   int operation) {
    ArithmeticResult result;
    result.scale = CommonScale(sources.ch1VoltsPerDivision, sources.ch2VoltsPerDivision);
    if (!IsInput(firstInput) || !IsInput(secondInput) || operation < 0 || operation >= kOperationCount)
        return result;
    const std::size_t length = std::min(sources.ch1.size(), sources.ch2.size());
    result.value.resize(length);
    result.isQuotientSentinel.assign(length, 0);
    for (std::size_t i = 0; i < length; ++i) {
        const Operand x = ReadOperand(sources, result.scale, firstInput, i);
        const Operand y = ReadOperand(sources, result.scale, secondInput, i);
        // k is never 0, so only a zero sample makes a zero divisor.
        if (operation == kArithDivide && y.raw == 0) {
            result.value[i] = kQuotientSentinel * result.scale.k;
            result.isQuotientSentinel[i] = 1;
            continue;
        }
        result.value[i] = Combine(operation, x.value, y.value);
        result.peak = std::max(result.peak, std::abs(result.value[i]));
    }
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
