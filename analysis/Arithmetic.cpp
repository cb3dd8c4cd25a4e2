#include "analysis/Arithmetic.h"

#include "analysis/SampleReading.h"
#include "corvane/MessageTables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

double CombineAny(int operation, double x, double y) {
    switch (operation) {
    case kArithAdd: return Combine<kArithAdd>(x, y);
    case kArithSubtract: return Combine<kArithSubtract>(x, y);
    case kArithMultiply: return Combine<kArithMultiply>(x, y);
    case kArithDivide: return Combine<kArithDivide>(x, y);
    default: return Combine<kArithRmsSum>(x, y);
    }
}

// The peak is found block by block. Each block's operands span a box of
// counts; the operations are monotone in each operand (or in its magnitude)
// and rounding keeps that order, so the value at the right corner of the box
// bounds every |result| in the block. A block whose bound does not exceed the
// peak found so far cannot raise it and is not evaluated: a smooth record is
// read once for the boxes and evaluated only around its extremes, and the
// peak is exactly that of evaluating every sample.
constexpr std::size_t kBlock = 256;

struct CountRange {
    int lo = 127;
    int hi = -128;
};

#if defined(__SSE2__)
// The smallest (with _mm_min_epu8) or largest (_mm_max_epu8) byte of a
// 16-byte vector, halving the vector each step.
template <__m128i (*Pick)(__m128i, __m128i)>
int PickByte(__m128i v) {
    v = Pick(v, _mm_srli_si128(v, 8));
    v = Pick(v, _mm_srli_si128(v, 4));
    v = Pick(v, _mm_srli_si128(v, 2));
    v = Pick(v, _mm_srli_si128(v, 1));
    return _mm_cvtsi128_si32(v) & 0xFF;
}

// The range of a whole block, sixteen samples at a time. Flipping the top
// bit turns the signed order of the counts into the unsigned order of bytes.
CountRange FullBlockRange(const std::uint8_t* samples) {
    const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
    __m128i lo = _mm_set1_epi8(static_cast<char>(0xFF)), hi = _mm_setzero_si128();
    for (std::size_t i = 0; i < kBlock; i += 16) {
        const __m128i v =
            _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + i)), bias);
        lo = _mm_min_epu8(lo, v);
        hi = _mm_max_epu8(hi, v);
    }
    return {PickByte<_mm_min_epu8>(lo) - 128, PickByte<_mm_max_epu8>(hi) - 128};
}
#endif

CountRange BlockRange(const std::uint8_t* samples, std::size_t count) {
#if defined(__SSE2__)
    if (count == kBlock) return FullBlockRange(samples);
#endif
    CountRange range;
    for (std::size_t i = 0; i < count; ++i) {
        range.lo = std::min(range.lo, SampleCount(samples[i]));
        range.hi = std::max(range.hi, SampleCount(samples[i]));
    }
    return range;
}

int Magnitude(const CountRange& r) {
    return std::max(std::abs(r.lo), std::abs(r.hi));
}

// The smallest magnitude of a non-zero count in the range (1 when the range
// holds 0 and others), 0 when it holds nothing but 0.
int SmallestDivisor(const CountRange& r) {
    if (r.lo == 0 && r.hi == 0) return 0;
    if (r.lo <= 0 && r.hi >= 0) return 1;
    return std::min(std::abs(r.lo), std::abs(r.hi));
}

struct Operands {
    const std::uint8_t* first;
    double firstFactor;
    const std::uint8_t* second;
    double secondFactor;
};

// No |result| of a sample whose operands lie in the two ranges exceeds this.
template <int Operation>
double BoxBound(const Operands& o, const CountRange& x, const CountRange& y) {
    const auto at = [&](int a, int b) { return std::abs(Combine<Operation>(a * o.firstFactor, b * o.secondFactor)); };
    if constexpr (Operation == kArithAdd) return std::max(at(x.hi, y.hi), at(x.lo, y.lo));
    if constexpr (Operation == kArithSubtract) return std::max(at(x.hi, y.lo), at(x.lo, y.hi));
    if constexpr (Operation == kArithDivide) {
        const int divisor = SmallestDivisor(y);
        return divisor == 0 ? 0.0 : at(Magnitude(x), divisor);
    }
    return at(Magnitude(x), Magnitude(y)); // multiply, RMS sum
}

// Four samples at a time as doubles. Arithmetic on these types becomes one
// instruction each in the AVX2 clones and pairs of 128-bit instructions in
// the baseline ones; every lane computes exactly what the scalar code does.
using Doubles = double __attribute__((vector_size(32)));
using Words = std::int64_t __attribute__((vector_size(32)));
using FourInts = std::int32_t __attribute__((vector_size(16)));
constexpr std::size_t kLanes = 4;

#define QV_ARITH_CLONES [[gnu::target_clones("avx2", "default")]]
#define QV_ARITH_INLINE [[gnu::always_inline]] inline

// The largest |result| over samples [begin, end), sentinels excluded (k is
// never 0, so only a zero sample makes a zero divisor). For the RMS sum the
// largest mean square is taken and its root at the end: the root keeps the
// order, so the largest root is the root of the largest. Vectors are not
// passed by value: the baseline clone must not depend on the AVX calling
// convention.
template <int Operation>
QV_ARITH_INLINE double LanesPeak(const Operands& o, std::size_t begin, std::size_t end) {
    constexpr bool kMeanSquare = Operation == kArithRmsSum;
    constexpr std::int64_t kNoSign = std::numeric_limits<std::int64_t>::max();
    Doubles peak = {0, 0, 0, 0};
    std::size_t i = begin;
    for (; i + kLanes <= end; i += kLanes) {
        // Four counts in one word, each moved to the top of its lane and
        // shifted back down with its sign.
        std::int32_t a, b;
        std::memcpy(&a, o.first + i, sizeof a);
        std::memcpy(&b, o.second + i, sizeof b);
        const FourInts up = {24, 16, 8, 0};
        const Doubles x = __builtin_convertvector(((FourInts{} + a) << up) >> 24, Doubles) * o.firstFactor;
        const Doubles y = __builtin_convertvector(((FourInts{} + b) << up) >> 24, Doubles) * o.secondFactor;
        Doubles v;
        if constexpr (kMeanSquare)
            v = (x * x + y * y) / 2;
        else if constexpr (Operation == kArithAdd)
            v = x + y;
        else if constexpr (Operation == kArithSubtract)
            v = x - y;
        else if constexpr (Operation == kArithMultiply)
            v = x * y;
        else
            v = x / y;
        v = reinterpret_cast<Doubles>(reinterpret_cast<Words>(v) & kNoSign); // |v|, never -0
        if constexpr (Operation == kArithDivide) v = y == 0 ? Doubles{} : v;
        peak = peak > v ? peak : v;
    }
    double most = std::max(std::max(peak[0], peak[1]), std::max(peak[2], peak[3]));
    for (; i < end; ++i) {
        const int y = SampleCount(o.second[i]);
        if (Operation == kArithDivide && y == 0) continue;
        const double x = SampleCount(o.first[i]) * o.firstFactor, scaledY = y * o.secondFactor;
        most = std::max(most, kMeanSquare ? (x * x + scaledY * scaledY) / 2 : std::abs(Combine<Operation>(x, scaledY)));
    }
    return kMeanSquare ? std::sqrt(most) : most;
}

QV_ARITH_CLONES double AddPeak(const Operands& o, std::size_t begin, std::size_t end) {
    return LanesPeak<kArithAdd>(o, begin, end);
}
QV_ARITH_CLONES double SubtractPeak(const Operands& o, std::size_t begin, std::size_t end) {
    return LanesPeak<kArithSubtract>(o, begin, end);
}
QV_ARITH_CLONES double MultiplyPeak(const Operands& o, std::size_t begin, std::size_t end) {
    return LanesPeak<kArithMultiply>(o, begin, end);
}
QV_ARITH_CLONES double DividePeak(const Operands& o, std::size_t begin, std::size_t end) {
    return LanesPeak<kArithDivide>(o, begin, end);
}
QV_ARITH_CLONES double RmsSumPeak(const Operands& o, std::size_t begin, std::size_t end) {
    return LanesPeak<kArithRmsSum>(o, begin, end);
}

using BlockPeak = double (*)(const Operands&, std::size_t, std::size_t);
const BlockPeak kBlockPeaks[kOperationCount] = {AddPeak, SubtractPeak, MultiplyPeak, DividePeak, RmsSumPeak};

std::vector<CountRange> BlockRanges(const std::uint8_t* samples, std::size_t length) {
    std::vector<CountRange> ranges((length + kBlock - 1) / kBlock);
    for (std::size_t j = 0; j < ranges.size(); ++j)
        ranges[j] = BlockRange(samples + j * kBlock, std::min(kBlock, length - j * kBlock));
    return ranges;
}

// The block with the largest bound is evaluated first: it most likely holds
// the peak, so that few other blocks remain above it.
template <int Operation>
double Peak(const Operands& o, std::size_t length) {
    if (length == 0) return 0;
    const std::vector<CountRange> firstRanges = BlockRanges(o.first, length);
    const std::vector<CountRange> secondRanges =
        o.second == o.first ? firstRanges : BlockRanges(o.second, length);
    std::vector<double> bounds(firstRanges.size());
    for (std::size_t j = 0; j < bounds.size(); ++j)
        bounds[j] = BoxBound<Operation>(o, firstRanges[j], secondRanges[j]);
    const auto blockPeak = [&](std::size_t j) {
        return kBlockPeaks[Operation](o, j * kBlock, std::min(length, (j + 1) * kBlock));
    };
    const std::size_t best = static_cast<std::size_t>(std::max_element(bounds.begin(), bounds.end()) - bounds.begin());
    double peak = blockPeak(best);
    for (std::size_t j = 0; j < bounds.size(); ++j)
        if (j != best && bounds[j] > peak) peak = std::max(peak, blockPeak(j));
    return peak;
}

using PeakFinder = double (*)(const Operands&, std::size_t);
constexpr PeakFinder kPeakFinders[kOperationCount] = {Peak<kArithAdd>, Peak<kArithSubtract>, Peak<kArithMultiply>,
                                                      Peak<kArithDivide>, Peak<kArithRmsSum>};

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

double ArithmeticResult::Value(std::size_t i) const {
    const int y = SampleCount(second[i]);
    if (operation == kArithDivide && y == 0) return kQuotientSentinel * scale.k;
    return CombineAny(operation, SampleCount(first[i]) * firstFactor, y * secondFactor);
}

bool ArithmeticResult::IsQuotientSentinel(std::size_t i) const {
    return operation == kArithDivide && second[i] == 0;
}

ArithmeticResult ComputeArithmetic(const ArithmeticSources& sources, int firstInput, int secondInput,
                                   int operation) {
    ArithmeticResult result;
    result.scale = CommonScale(sources.ch1VoltsPerDivision, sources.ch2VoltsPerDivision);
    const std::size_t length = std::min(sources.ch1.size(), sources.ch2.size());
    if (!IsInput(firstInput) || !IsInput(secondInput) || operation < 0 || operation >= kOperationCount ||
        length == 0)
        return result;
    const auto record = [&](int input) { return (input == kInputCH1 ? sources.ch1 : sources.ch2).data(); };
    const auto factor = [&](int input) { return (input == kInputCH1) == result.scale.scaleCH1 ? result.scale.k : 1.0; };
    result.operation = operation;
    result.first = record(firstInput);
    result.second = record(secondInput);
    result.length = length;
    result.firstFactor = factor(firstInput);
    result.secondFactor = factor(secondInput);
    const Operands operands{result.first, result.firstFactor, result.second, result.secondFactor};
    result.peak = kPeakFinders[operation](operands, length);
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

namespace {

int RowOfValue(double value, double peak, int height) {
    if (!(peak > 0)) return height / 2;
    return static_cast<int>(std::trunc((peak - value) * height / (2 * peak)));
}

// The smallest and largest value over samples [begin, end), sentinels
// excluded, and whether a sentinel lies among them.
struct ValueRange {
    double least = 0, most = 0;
    bool any = false, sentinel = false;
};

template <int Operation>
ValueRange RangeOfValues(const ArithmeticResult& r, std::size_t begin, std::size_t end) {
    ValueRange range;
    range.least = std::numeric_limits<double>::infinity();
    range.most = -range.least;
    for (std::size_t i = begin; i < end; ++i) {
        const int y = SampleCount(r.second[i]);
        if (Operation == kArithDivide && y == 0) {
            range.sentinel = true;
            continue;
        }
        const double v = Combine<Operation>(SampleCount(r.first[i]) * r.firstFactor, y * r.secondFactor);
        range.least = std::min(range.least, v);
        range.most = std::max(range.most, v);
        range.any = true;
    }
    return range;
}

using RangeFinder = ValueRange (*)(const ArithmeticResult&, std::size_t, std::size_t);
constexpr RangeFinder kRangeFinders[kOperationCount] = {RangeOfValues<kArithAdd>, RangeOfValues<kArithSubtract>,
                                                        RangeOfValues<kArithMultiply>, RangeOfValues<kArithDivide>,
                                                        RangeOfValues<kArithRmsSum>};

} // namespace

int ArithmeticTraceRow(const ArithmeticResult& result, std::size_t i, int height) {
    if (result.IsQuotientSentinel(i)) return kArithmeticSentinelRow;
    return RowOfValue(result.Value(i), result.peak, height);
}

// Rows fall as values rise, so the extremes' rows come from the extreme
// values; a sentinel is above every other row.
ArithmeticColumn ArithmeticTraceColumn(const ArithmeticResult& result, std::size_t begin, std::size_t end,
                                       int height) {
    ArithmeticColumn c;
    if (result.operation < 0 || begin >= end || end > result.Size()) return c;
    c.first = ArithmeticTraceRow(result, begin, height);
    c.last = ArithmeticTraceRow(result, end - 1, height);
    const ValueRange range = kRangeFinders[result.operation](result, begin, end);
    c.low = range.sentinel ? kArithmeticSentinelRow : RowOfValue(range.most, result.peak, height);
    c.high = range.any ? RowOfValue(range.least, result.peak, height) : kArithmeticSentinelRow;
    return c;
}
