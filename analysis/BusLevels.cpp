#include "analysis/BusLevels.h"

#include "analysis/SampleReading.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <tuple>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

// The readers below take a record's bytes as signed 8-bit counts directly.
static_assert(SampleCount(0xFF) == -1 && SampleCount(0x7F) == 127);

namespace {

// The smallest and largest count of a record of at least one sample. The
// counts are compared as unsigned bytes with the sign bit flipped, which
// keeps their order and lets the compiler use the unsigned byte minimum and
// maximum of the vector instructions (there is no signed one before SSE4.1).
[[gnu::target_clones("avx2", "default")]] std::pair<int, int> CountRange(const std::int8_t* counts, int length) {
    std::uint8_t low = 0xFF, high = 0;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t biased = static_cast<std::uint8_t>(counts[i]) ^ 0x80u;
        low = std::min(low, biased);
        high = std::max(high, biased);
    }
    return {low - 128, high - 128};
}

static_assert(kCrossingBlock == 64, "a block of samples is one 64-bit mask");

// Bit i of above (below) set where sample i of a block lies strictly above
// (below) mid.
struct BlockSides {
    std::uint64_t above = 0;
    std::uint64_t below = 0;
};

// The sides of the count <= 64 samples from counts, one at a time.
BlockSides SidesOfSamples(const std::int8_t* counts, int count, int mid) {
    BlockSides sides;
    for (int i = 0; i < count; ++i) {
        sides.above |= std::uint64_t{counts[i] > mid} << i;
        sides.below |= std::uint64_t{counts[i] < mid} << i;
    }
    return sides;
}

// The sides of `blocks` whole blocks from counts into sides; mid is a count
// (-128 .. 127). Sixteen samples a compare, or 32 where the processor has
// AVX2.
using FillSidesFunction = void (*)(const std::int8_t* counts, int blocks, std::int8_t mid, BlockSides* sides);

#if defined(__SSE2__)
std::uint64_t MaskBits(int movemask, int shift) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(movemask)) << shift;
}

void FillSidesSse2(const std::int8_t* counts, int blocks, std::int8_t mid, BlockSides* sides) {
    const __m128i level = _mm_set1_epi8(mid);
    for (int b = 0; b < blocks; ++b, counts += kCrossingBlock) {
        BlockSides s;
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(counts + 16 * k));
            s.above |= MaskBits(_mm_movemask_epi8(_mm_cmpgt_epi8(v, level)), 16 * k);
            s.below |= MaskBits(_mm_movemask_epi8(_mm_cmplt_epi8(v, level)), 16 * k);
        }
        sides[b] = s;
    }
}

[[gnu::target("avx2")]] void FillSidesAvx2(const std::int8_t* counts, int blocks, std::int8_t mid,
                                           BlockSides* sides) {
    const __m256i level = _mm256_set1_epi8(mid);
    for (int b = 0; b < blocks; ++b, counts += kCrossingBlock) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(counts));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(counts + 32));
        sides[b].above = MaskBits(_mm256_movemask_epi8(_mm256_cmpgt_epi8(low, level)), 0) |
                         MaskBits(_mm256_movemask_epi8(_mm256_cmpgt_epi8(high, level)), 32);
        sides[b].below = MaskBits(_mm256_movemask_epi8(_mm256_cmpgt_epi8(level, low)), 0) |
                         MaskBits(_mm256_movemask_epi8(_mm256_cmpgt_epi8(level, high)), 32);
    }
}

FillSidesFunction ChooseFillSides() {
    return __builtin_cpu_supports("avx2") ? FillSidesAvx2 : FillSidesSse2;
}
#else
void FillSidesBySample(const std::int8_t* counts, int blocks, std::int8_t mid, BlockSides* sides) {
    for (int b = 0; b < blocks; ++b)
        sides[b] = SidesOfSamples(counts + b * kCrossingBlock, kCrossingBlock, mid);
}

FillSidesFunction ChooseFillSides() {
    return FillSidesBySample;
}
#endif

// The bits above bit, which leave a 64-bit mask empty for bit 63.
std::uint64_t BitsAbove(int bit) {
    return ~((std::uint64_t{2} << bit) - 1);
}

// Writes base + the index of every set bit, lowest first, and returns their
// number; out has room for 64. The first two are written whether there or
// not, so that a block's usual one or two crossings cost no branch (the
// empty asm hides each remainder from the compiler, which would otherwise
// branch out once one is 0).
int WriteBitIndices(std::uint64_t bits, int base, int* out) {
    int count = 0;
    for (int k = 0; k < 2; ++k) {
        out[k] = base + std::countr_zero(bits);
        count += bits != 0;
        bits &= bits - 1;
        asm("" : "+r"(bits));
    }
    for (; bits; bits &= bits - 1)
        out[count++] = base + std::countr_zero(bits);
    return count;
}

// The crossings of one block of samples from base into out (room for 64),
// and their number. side is the side of the last sample off mid before the
// block (+1 above, -1 below, 0 when there was none), and becomes that of
// the last one in the block. The sides of a block shorter than 64 samples
// have no bit past its end.
int BlockCrossings(const BlockSides& sides, int base, int& side, int* out) {
    // No sample on mid: a crossing wherever a sample lies on the other side
    // than the one before it.
    if ((sides.above | sides.below) == ~std::uint64_t{0} && side != 0) {
        const std::uint64_t changes = sides.above ^ ((sides.above << 1) | (side > 0 ? 1u : 0u));
        side = sides.above >> 63 ? 1 : -1;
        return WriteBitIndices(changes, base, out);
    }
    // Otherwise sample by sample: samples on mid keep the side.
    std::uint64_t allowed = ~std::uint64_t{0};
    if (side == 0) {
        const std::uint64_t off = sides.above | sides.below;
        if (!off) return 0;
        const int first = std::countr_zero(off);
        side = (sides.above >> first) & 1 ? 1 : -1;
        allowed = BitsAbove(first);
    }
    int n = 0;
    for (std::uint64_t other = (side > 0 ? sides.below : sides.above) & allowed; other;
         other = (side > 0 ? sides.below : sides.above) & allowed) {
        const int bit = std::countr_zero(other);
        out[n++] = base + bit;
        side = -side;
        allowed = BitsAbove(bit);
    }
    return n;
}

// The crossings of a record (see Crossings) into crossings, a block of 64
// samples at a time, and the index of the first crossing of every block
// into blocks. The sides of the samples are found for a run of blocks (all
// but a last partial one with the vector instructions, when mid is a
// count), then the crossings from them.
void ScanCrossings(const std::int8_t* counts, int length, int mid, std::vector<int>& crossings,
                   std::vector<int>& blocks) {
    static const FillSidesFunction fillSides = ChooseFillSides();
    constexpr int kRun = 64;
    constexpr int kRunSamples = kRun * kCrossingBlock;
    BlockSides sides[kRun];
    int runCrossings[kRunSamples + kCrossingBlock];  // room for a block's writes past the last crossing
    crossings.clear();
    blocks.resize((static_cast<std::size_t>(length) + kCrossingBlock - 1) / kCrossingBlock);
    const bool midIsCount = mid >= -128 && mid <= 127;
    int n = 0;
    int side = 0;
    for (int base = 0; base < length; base += std::min(kRunSamples, length - base)) {
        const int remaining = length - base;
        const int whole = midIsCount ? std::min(kRun, remaining / kCrossingBlock) : 0;
        const int run = std::min(kRun, remaining / kCrossingBlock + (remaining % kCrossingBlock != 0 ? 1 : 0));
        fillSides(counts + base, whole, static_cast<std::int8_t>(midIsCount ? mid : 0), sides);
        for (int b = whole; b < run; ++b)
            sides[b] = SidesOfSamples(counts + base + b * kCrossingBlock,
                                      std::min(kCrossingBlock, remaining - b * kCrossingBlock), mid);
        int found = 0;
        int* blockFirst = blocks.data() + base / kCrossingBlock;
        for (int b = 0; b < run; ++b) {
            blockFirst[b] = n + found;
            found += BlockCrossings(sides[b], base + b * kCrossingBlock, side, runCrossings + found);
        }
        crossings.insert(crossings.end(), runCrossings, runCrossings + found);
        n += found;
    }
}

}  // namespace

void ReadBusSignal(BusSignal& signal, const std::uint8_t* record, int length) {
    const BusSignal fresh;
    signal.low = fresh.low;
    signal.high = fresh.high;
    if (!record || length <= 0) {
        signal.s = {};
        signal.lowest = signal.highest = signal.mid = 0;
        signal.crossings.clear();
        signal.blockFirstCrossing.clear();
        return;
    }
    const auto* counts = reinterpret_cast<const std::int8_t*>(record);  // SampleCount of every byte
    signal.s = {counts, static_cast<std::size_t>(length)};
    std::tie(signal.lowest, signal.highest) = CountRange(counts, length);
    signal.mid = (signal.highest + signal.lowest) / 2;
    ScanCrossings(counts, length, signal.mid, signal.crossings, signal.blockFirstCrossing);
}

BusSignal ReadBusSignal(const std::uint8_t* record, int length) {
    BusSignal signal;
    ReadBusSignal(signal, record, length);
    return signal;
}

int MidLevel(const std::uint8_t* record, int length) {
    if (!record || length <= 0) return 0;
    const auto [low, high] = CountRange(reinterpret_cast<const std::int8_t*>(record), length);
    return (high + low) / 2;
}

// A crossing is the first sample on the other side of mid than the last
// sample off mid. A sample exactly on mid is never a crossing by itself: a
// line that touches mid and turns back does not cross, while an edge that
// passes through a sample on mid crosses at the first sample beyond it (with
// no sample on mid this is the sign test (s[i-1] - mid)(s[i] - mid) < 0).
// Samples on mid or on the current side never change the side, so the scan
// only has to find, from each crossing on, the next sample on the other side.
std::vector<int> Crossings(const std::uint8_t* record, int length, int mid) {
    std::vector<int> crossings, blocks;
    if (!record || length <= 0) return crossings;
    ScanCrossings(reinterpret_cast<const std::int8_t*>(record), length, mid, crossings, blocks);
    return crossings;
}

void SetTransitionLevels(BusSignal& signal, std::optional<int> bandOffset) {
    if (bandOffset) {
        signal.low = 60 - *bandOffset;
        signal.high = 140 - *bandOffset;
        return;
    }
    if (signal.s.empty()) return;
    const int swing = signal.highest - signal.lowest;
    signal.low = signal.lowest + swing * 10 / 100;
    signal.high = signal.lowest + swing * 90 / 100;
}

std::int64_t ParseTimeText(std::string_view text) {
    if (text.empty() || (text.back() != 's' && text.back() != 'S')) return 0;
    text.remove_suffix(1);
    double scale = 1e9;
    if (!text.empty()) {
        switch (text.back()) {
        case 'n':
            scale = 1;
            break;
        case 'u':
            scale = 1e3;
            break;
        case 'm':
            scale = 1e6;
            break;
        default:
            break;
        }
        if (scale != 1e9) text.remove_suffix(1);
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) return 0;
    const double ns = std::round(number * scale);
    if (std::abs(ns) > 9e18) return 0;
    return static_cast<std::int64_t>(ns);
}

namespace {

// value * percent / 100, truncated toward zero, without overflowing for any
// time ParseTimeText gives.
std::int64_t PercentOf(std::int64_t value, int percent) {
    return value / 100 * percent + value % 100 * percent / 100;
}

// value + delta as the nearest double; the sum is exact before rounding,
// whatever the two are.
double SumAsDouble(std::int64_t value, std::int64_t delta) {
    return static_cast<double>(static_cast<long double>(value) + static_cast<long double>(delta));
}

}  // namespace

std::pair<double, double> ToleranceBounds(std::int64_t valueNs) {
    const std::int64_t margin = PercentOf(valueNs, 40);
    return {SumAsDouble(valueNs, -margin), SumAsDouble(valueNs, margin)};
}

bool PulseWithinTolerance(double measuredNs, std::int64_t valueNs) {
    const auto [least, most] = ToleranceBounds(valueNs);
    return measuredNs >= least && measuredNs <= most;
}

double NearlyBound(std::int64_t valueNs) {
    return SumAsDouble(valueNs, -PercentOf(valueNs, 5));
}

bool PulseAtLeastNearly(double measuredNs, std::int64_t valueNs) {
    return measuredNs >= NearlyBound(valueNs);
}

std::string FormatFieldValue(std::span<const int> bits, int base) {
    const std::size_t count = std::min<std::size_t>(bits.size(), 64);
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = (value << 1) | (bits[i] ? 1u : 0u);
    char text[80];
    switch (base) {
    case kBaseBinary:
        for (std::size_t i = 0; i < count; ++i)
            text[i] = bits[i] ? '1' : '0';
        text[count] = '\0';
        break;
    case kBaseOctal:
        std::snprintf(text, sizeof text, "%llo", static_cast<unsigned long long>(value));
        break;
    case kBaseDecimal:
        std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
        break;
    default:
        std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
        break;
    }
    return text;
}

int ClassifyAddress(std::span<const int> bits) {
    const std::size_t n = bits.size();
    if (n < 5) return kAddrSimple;
    if (bits[0] && bits[1] && bits[2] && bits[3] && !bits[4]) return kAddrTenBit;
    if (std::any_of(bits.begin(), bits.begin() + (n - 4), [](int b) { return b != 0; })) return kAddrSimple;
    if (bits[n - 4]) return kAddrHighSpeed;
    if (bits[n - 2]) return kAddrCbus;
    return bits[n - 1] ? kAddrStartByte : kAddrBroadcast;
}
