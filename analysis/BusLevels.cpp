#include "analysis/BusLevels.h"

#include "analysis/SampleReading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The readers below take a record's bytes as signed 8-bit counts directly.
static_assert(SampleCount(0xFF) == -1 && SampleCount(0x7F) == 127);

BusSignal ReadBusSignal(const std::uint8_t* record, int length) {
    BusSignal signal;
    if (!record || length <= 0) return signal;
    const auto* counts = reinterpret_cast<const std::int8_t*>(record);  // SampleCount of every byte
    signal.s.assign(counts, counts + length);
    signal.mid = MidLevel(record, length);
    signal.crossings = Crossings(record, length, signal.mid);
    signal.blockFirstCrossing.resize((length + kCrossingBlock - 1) / kCrossingBlock);
    std::size_t n = 0;
    for (std::size_t block = 0; block < signal.blockFirstCrossing.size(); ++block) {
        while (n < signal.crossings.size() && signal.crossings[n] < static_cast<int>(block) * kCrossingBlock)
            ++n;
        signal.blockFirstCrossing[block] = static_cast<int>(n);
    }
    return signal;
}

std::size_t FirstCrossingAfter(const BusSignal& signal, int position) {
    const std::size_t count = signal.crossings.size();
    if (position < 0) return 0;
    const std::size_t block = static_cast<std::size_t>(position) / kCrossingBlock;
    if (block >= signal.blockFirstCrossing.size()) return count;
    std::size_t n = static_cast<std::size_t>(signal.blockFirstCrossing[block]);
    while (n < count && signal.crossings[n] <= position)
        ++n;
    return n;
}

int MidLevel(const std::uint8_t* record, int length) {
    if (!record || length <= 0) return 0;
    const auto* counts = reinterpret_cast<const std::int8_t*>(record);
    std::int8_t low = counts[0], high = counts[0];
    for (int i = 1; i < length; ++i) {  // branch-free, so the compiler runs it in vectors
        low = std::min(low, counts[i]);
        high = std::max(high, counts[i]);
    }
    return (high + low) / 2;
}

namespace {

// The first index in [from, length) whose count lies strictly on the other
// side of mid than side (+1 above, -1 below); length when there is none.
// Sixteen samples at a time: a record spends most of its samples between
// edges, where no sample is on the other side.
int NextOnOtherSide(const std::int8_t* counts, int from, int length, int mid, int side) {
    int i = from;
#if defined(__SSE2__)
    if (mid >= -128 && mid <= 127) {
        const __m128i level = _mm_set1_epi8(static_cast<char>(mid));
        for (; i + 16 <= length; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(counts + i));
            const __m128i other = side > 0 ? _mm_cmplt_epi8(v, level) : _mm_cmpgt_epi8(v, level);
            if (const int mask = _mm_movemask_epi8(other))
                return i + __builtin_ctz(static_cast<unsigned>(mask));
        }
    }
#endif
    for (; i < length; ++i)
        if (side > 0 ? counts[i] < mid : counts[i] > mid) return i;
    return length;
}

}  // namespace

// A crossing is the first sample on the other side of mid than the last
// sample off mid. A sample exactly on mid is never a crossing by itself: a
// line that touches mid and turns back does not cross, while an edge that
// passes through a sample on mid crosses at the first sample beyond it (with
// no sample on mid this is the sign test (s[i-1] - mid)(s[i] - mid) < 0).
// Samples on mid or on the current side never change the side, so the scan
// only has to find, from each crossing on, the next sample on the other side.
std::vector<int> Crossings(const std::uint8_t* record, int length, int mid) {
    std::vector<int> crossings;
    if (!record || length <= 0) return crossings;
    const auto* counts = reinterpret_cast<const std::int8_t*>(record);
    int i = 0;
    while (i < length && counts[i] == mid)
        ++i;
    if (i == length) return crossings;
    int side = counts[i] > mid ? 1 : -1;
    for (i = NextOnOtherSide(counts, i + 1, length, mid, side); i < length;
         i = NextOnOtherSide(counts, i + 1, length, mid, side)) {
        crossings.push_back(i);
        side = -side;
    }
    return crossings;
}

void SetTransitionLevels(BusSignal& signal, std::optional<int> bandOffset) {
    if (bandOffset) {
        signal.low = 60 - *bandOffset;
        signal.high = 140 - *bandOffset;
        return;
    }
    if (signal.s.empty()) return;
    const auto [lowest, highest] = std::minmax_element(signal.s.begin(), signal.s.end());
    const int swing = *highest - *lowest;
    signal.low = *lowest + swing * 10 / 100;
    signal.high = *lowest + swing * 90 / 100;
}

std::optional<BusTransition> TransitionAt(const BusSignal& signal, std::size_t n, int notBefore) {
    if (n >= signal.crossings.size()) return std::nullopt;
    const int low = signal.low, high = signal.high;
    BusTransition t;
    t.crossing = signal.crossings[n];
    t.rising = signal.s[t.crossing] > signal.mid;
    const int first = std::max(notBefore, n > 0 ? signal.crossings[n - 1] : 0);
    const int last =
        n + 1 < signal.crossings.size() ? signal.crossings[n + 1] : static_cast<int>(signal.s.size()) - 1;
    auto leftStart = [&](int v) { return t.rising ? v <= low : v >= high; };
    auto reachedEnd = [&](int v) { return t.rising ? v >= high : v <= low; };
    int start = t.crossing - 1;
    while (start >= first && !leftStart(signal.s[start]))
        --start;
    int end = t.crossing;
    while (end <= last && !reachedEnd(signal.s[end]))
        ++end;
    if (start < first || end > last) return std::nullopt;
    t.start = start;
    t.end = end;
    return t;
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

bool PulseWithinTolerance(double measuredNs, std::int64_t valueNs) {
    const std::int64_t margin = valueNs * 40 / 100;
    return measuredNs >= static_cast<double>(valueNs - margin) &&
           measuredNs <= static_cast<double>(valueNs + margin);
}

bool PulseAtLeastNearly(double measuredNs, std::int64_t valueNs) {
    return measuredNs >= static_cast<double>(valueNs - valueNs * 5 / 100);
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
