#pragma once
// Logic levels, edges, timing texts and field formatting shared by the I2C
// and SPI decoders. Records are channel sample bytes read as signed counts
// (SampleReading.h); every level below is in those counts.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Default band offset: transitions are measured between -40 and +40 counts.
inline constexpr int kDefaultBandOffset = 100;

// A channel record as the decoders see it. The samples are the caller's
// record read in place: the signal is valid while that record is.
struct BusSignal {
    std::span<const std::int8_t> s; // signed counts (SampleCount of each byte)
    int lowest = 0;             // smallest and largest count of the record
    int highest = 0;
    int mid = 0;                // (highest + lowest) / 2
    std::vector<int> crossings; // first samples past mid on the other side, ascending (Crossings)
    // For each block of kCrossingBlock samples, the index in crossings of the
    // first crossing at or after the block's first sample (FirstCrossingAfter).
    std::vector<int> blockFirstCrossing;
    int low = 60 - kDefaultBandOffset;  // 10 % level: a rising edge starts at or below it
    int high = 140 - kDefaultBandOffset; // 90 % level: a rising edge ends at or above it
};

inline constexpr int kCrossingBlock = 64;

// Index in signal.crossings of the first crossing after position, or the
// list size: std::upper_bound, started from the block index.
inline std::size_t FirstCrossingAfter(const BusSignal& signal, int position);
// The same, trying guess first: any guess gives the same answer, a right
// one without the search.
inline std::size_t FirstCrossingAfter(const BusSignal& signal, int position, std::size_t guess);

// The transition levels of a signal: with a band offset a, 60 - a and
// 140 - a; without one, 10 % and 90 % of the record's own swing from its
// minimum to its maximum (the same levels for a record spanning -50 .. +50).
void SetTransitionLevels(BusSignal& signal, std::optional<int> bandOffset);

// (max + min) / 2, truncated toward zero; 0 for an empty record.
int MidLevel(const std::uint8_t* record, int length);
// Every index i at which the record has crossed mid: s[i] lies strictly on
// the other side of mid than the last sample before it that is not on mid.
std::vector<int> Crossings(const std::uint8_t* record, int length, int mid);
// Samples, extremes, mid-level and crossings of a record, with the default
// transition levels (empty for a null record or a length of 0 or less).
BusSignal ReadBusSignal(const std::uint8_t* record, int length);
// The same into signal, reusing its lists' storage.
void ReadBusSignal(BusSignal& signal, const std::uint8_t* record, int length);

// One edge: its crossing and the samples where it leaves the 10 % level and
// reaches the 90 % level (the two swap for a falling edge).
struct BusTransition {
    int crossing = 0;
    int start = 0;
    int end = 0;
    bool rising = false;
};

// The transition of crossing number n of the signal between its 10 % and
// 90 % levels, searched back no further than the previous crossing and
// forward no further than the next one; nothing when either end is missing.
// notBefore bounds the backward search as well.
inline std::optional<BusTransition> TransitionAt(const BusSignal& signal, std::size_t n, int notBefore = 0);

// "250ns", "4.7us", "1ms", "2s" (last letter also "S") in nanoseconds; a
// text that does not end in s or S, or has no number, is 0.
std::int64_t ParseTimeText(std::string_view text);

// Measured time within +-40 % of the configured value: between the two
// bounds of ToleranceBounds, both included.
bool PulseWithinTolerance(double measuredNs, std::int64_t valueNs);
std::pair<double, double> ToleranceBounds(std::int64_t valueNs);
// Measured time at least 95 % of the configured value (NearlyBound).
bool PulseAtLeastNearly(double measuredNs, std::int64_t valueNs);
double NearlyBound(std::int64_t valueNs);

// Number bases of a field value.
enum BusNumberBase : int { kBaseBinary = 0, kBaseOctal = 1, kBaseDecimal = 2, kBaseHex = 3 };

// The value of bits, first bit most significant, in the base: binary padded
// to the bit count, octal, decimal or upper-case hex. At most 64 bits count;
// an unknown base prints hex.
std::string FormatFieldValue(std::span<const int> bits, int base);

// I2C address kinds.
enum I2CAddressType : int {
    kAddrBroadcast = 0,
    kAddrStartByte = 1,
    kAddrCbus = 2,
    kAddrSimple = 3,
    kAddrHighSpeed = 4,
    kAddrTenBit = 5,
};

// Kind of an address field (address bits then the read/write bit, first on
// the wire first). Fields of fewer than 5 bits are simple addresses.
int ClassifyAddress(std::span<const int> bits);

// Called for every clock pulse: defined here so that the decoders inline them.
inline std::size_t FirstCrossingAfter(const BusSignal& signal, int position) {
    const std::size_t count = signal.crossings.size();
    if (position < 0) return 0;
    const std::size_t block = static_cast<std::size_t>(position) / kCrossingBlock;
    if (block >= signal.blockFirstCrossing.size()) return count;
    std::size_t n = static_cast<std::size_t>(signal.blockFirstCrossing[block]);
    while (n < count && signal.crossings[n] <= position)
        ++n;
    return n;
}

inline std::size_t FirstCrossingAfter(const BusSignal& signal, int position, std::size_t guess) {
    const std::vector<int>& c = signal.crossings;
    if (guess <= c.size() && (guess == 0 || c[guess - 1] <= position) && (guess == c.size() || c[guess] > position))
        return guess;
    return FirstCrossingAfter(signal, position);
}

inline std::optional<BusTransition> TransitionAt(const BusSignal& signal, std::size_t n, int notBefore) {
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
