#include "docs/WaveformMeasure.h"

#include "analysis/SampleReading.h"
#include "corvane/ScaleConversion.h"
#include "corvane/TextNumber.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <type_traits>
#include <vector>

const std::array<MeasureItem, kMeasureItemCount> kMeasureItems = {{
    {MES_FREQUENCY, "Hz", kShowFrequency},
    {MES_PERIOD, "ns", kShowTime},
    {MES_VAVG, "uv", kShowVoltage},
    {MES_VPP, "uv", kShowVoltage},
    {MES_VRMS, "uv", kShowVoltage},
    {MES_VMIN, "uv", kShowVoltage},
    {MES_VMAX, "uv", kShowVoltage},
    {MES_RISE_TIME, "ns", kShowTime},
    {MES_FALL_TIME, "ns", kShowTime},
    {MES_POS_PULSE_WIDTH, "ns", kShowTime},
    {MES_NEG_PULSE_WIDTH, "ns", kShowTime},
    {MES_POS_DUTY, "%", kShowPercent0},
    {MES_NEG_DUTY, "%", kShowPercent0},
    {MES_VAMP, "uv", kShowVoltage},
    {MES_VTOP, "uv", kShowVoltage},
    {MES_VBASE, "uv", kShowVoltage},
    {MES_OVERSHOOT, "%", kShowPercent2},
    {MES_PRESHOOT, "%", kShowPercent2},
    {MES_VTOP_TIME, "ns", kShowTime},
    {MES_VBASE_TIME, "ns", kShowTime},
    {MES_RISE_WIDTH, "ns", kShowTime},
    {MES_FALL_WIDTH, "ns", kShowTime},
    {MES_CMEAN, "uv", kShowVoltage},
    {MES_VCRMS, "uv", kShowVoltage},
    {MES_SLEW_RATE, "uv/us", kShowVoltage},
}};

namespace {

// Counts on either side of the mid level that a crossing must pass.
constexpr int kDeadBand = 3;

// The whole-record statistics: extremes, sums of (s - p) and (s - p)², and
// the counts at the 5 % and 95 % ranks of the ascending order.
struct RecordStats {
    int minCount = 127;
    int maxCount = -128;
    double sum = 0;
    double sumSquares = 0;
    int base = 0;  // count at rank N * 5 / 100
    int top = 0;   // count at rank N - 1 - N * 5 / 100
};

// The vector passes below work on 32 samples at a time. Arithmetic on these
// types becomes one instruction each in the AVX2 clones and pairs of 128-bit
// instructions in the baseline ones; every lane computes exactly what the
// scalar code for the last few samples computes.
using Bytes = std::int8_t __attribute__((vector_size(32)));
using Shorts = std::int16_t __attribute__((vector_size(32)));
using UShorts = std::uint16_t __attribute__((vector_size(32)));
using Ints = std::int32_t __attribute__((vector_size(32)));
using UInts = std::uint32_t __attribute__((vector_size(32)));
using Longs = std::int64_t __attribute__((vector_size(32)));
using ULongs = std::uint64_t __attribute__((vector_size(32)));
constexpr size_t kVectorSamples = sizeof(Bytes);
// Vectors per block: the 8-bit counters and the 16-bit sums of two samples
// (at most 256 in magnitude a vector) cannot overflow within a block.
constexpr size_t kBlockVectors = 127;

#define QV_MEASURE_CLONES [[gnu::target_clones("avx2", "default")]]
#define QV_MEASURE_INLINE [[gnu::always_inline]] inline

// Adds the lanes of a block's sums into four 64-bit lanes, neighbouring
// lanes pairwise into lanes of twice the width.
QV_MEASURE_INLINE void AddLanes(ULongs& total, const Bytes& counts) {
    const UShorts s = reinterpret_cast<UShorts>(counts);
    const UInts i = reinterpret_cast<UInts>((s & 0xff) + (s >> 8));
    const ULongs l = reinterpret_cast<ULongs>((i & 0xffff) + (i >> 16));
    total += (l & 0xffffffff) + (l >> 32);
}
QV_MEASURE_INLINE void AddLanes(Longs& total, const Shorts& sums) {
    const Ints i = reinterpret_cast<Ints>(sums);
    const Longs l = reinterpret_cast<Longs>(((i << 16) >> 16) + (i >> 16));
    total += ((l << 32) >> 32) + (l >> 32);
}
QV_MEASURE_INLINE void AddLanes(ULongs& total, const UInts& sums) {
    const ULongs l = reinterpret_cast<ULongs>(sums);
    total += (l & 0xffffffff) + (l >> 32);
}

// One pass over the record: the samples below each of K thresholds and, when
// kStats, the extremes and the sums of s and s². Lanes are added up at the end
// of each block.
template <size_t K, bool kStats> class CRecordScan {
public:
    explicit CRecordScan(const std::array<int, K>& limits) : m_limits(limits) {
        for (size_t k = 0; k < K; ++k) m_limit[k] = Bytes{} + static_cast<std::int8_t>(limits[k]);
    }

    QV_MEASURE_INLINE void Run(const uint8_t* samples, size_t count) {
        const size_t vectors = count / kVectorSamples;
        for (size_t v = 0; v < vectors; v += kBlockVectors)
            Block(samples + v * kVectorSamples, std::min(kBlockVectors, vectors - v));
        for (size_t i = vectors * kVectorSamples; i < count; ++i) Sample(SampleCount(samples[i]));
    }

    size_t Below(size_t k) const { return Total(m_below[k]) + m_tailBelow[k]; }
    int MinCount() const { return Fold(m_low, m_tailMin, [](int a, int b) { return std::min(a, b); }); }
    int MaxCount() const { return Fold(m_high, m_tailMax, [](int a, int b) { return std::max(a, b); }); }
    int64_t Sum() const { return Total(m_sum) + m_tailSum; }
    int64_t SumSquares() const { return static_cast<int64_t>(Total(m_squares)) + m_tailSquares; }

private:
    // Whole vectors; the squares as 16-bit pairs (at most 2 × 128² = 32768,
    // unsigned) split into 32-bit lanes.
    QV_MEASURE_INLINE void Block(const uint8_t* samples, size_t vectors) {
        std::array<Bytes, K> below{};
        Shorts sum{};
        UInts squares{};
        for (size_t v = 0; v < vectors; ++v) {
            Bytes x;
            std::memcpy(&x, samples + v * kVectorSamples, sizeof x);
            for (size_t k = 0; k < K; ++k) below[k] -= x < m_limit[k];
            if constexpr (kStats) {
                m_low = x < m_low ? x : m_low;
                m_high = x > m_high ? x : m_high;
                const Shorts pairs = reinterpret_cast<Shorts>(x);
                const Shorts even = (pairs << 8) >> 8, odd = pairs >> 8;
                sum += even + odd;
                const UShorts e = reinterpret_cast<UShorts>(even), o = reinterpret_cast<UShorts>(odd);
                const UInts q = reinterpret_cast<UInts>(e * e + o * o);
                squares += (q & 0xffff) + (q >> 16);
            }
        }
        for (size_t k = 0; k < K; ++k) AddLanes(m_below[k], below[k]);
        if constexpr (kStats) {
            AddLanes(m_sum, sum);
            AddLanes(m_squares, squares);
        }
    }

    void Sample(int s) {
        for (size_t k = 0; k < K; ++k) m_tailBelow[k] += s < m_limits[k];
        m_tailMin = std::min(m_tailMin, s);
        m_tailMax = std::max(m_tailMax, s);
        m_tailSum += s;
        m_tailSquares += s * s;
    }

    template <class V> static auto Total(const V& lanes) {
        std::remove_cvref_t<decltype(lanes[0])> total = 0;
        for (size_t lane = 0; lane < sizeof(V) / sizeof total; ++lane) total += lanes[lane];
        return total;
    }
    template <class F> static int Fold(const Bytes& lanes, int tail, F pick) {
        for (size_t lane = 0; lane < kVectorSamples; ++lane) tail = pick(tail, lanes[lane]);
        return tail;
    }

    const std::array<int, K> m_limits;
    std::array<Bytes, K> m_limit;
    std::array<ULongs, K> m_below{};
    Bytes m_low = Bytes{} + std::int8_t{127}, m_high = Bytes{} + std::int8_t{-128};
    Longs m_sum{};
    ULongs m_squares{};
    std::array<size_t, K> m_tailBelow{};  // the samples after the last whole vector
    int m_tailMin = 127, m_tailMax = -128;
    int64_t m_tailSum = 0, m_tailSquares = 0;
};

// The first pass: extremes, sums and the samples below three thresholds.
using CStatsScan = CRecordScan<3, true>;
QV_MEASURE_CLONES CStatsScan ScanStats(const uint8_t* samples, size_t count, const std::array<int, 3>& limits) {
    CStatsScan scan(limits);
    scan.Run(samples, count);
    return scan;
}

// A further pass: the samples below six thresholds.
using CBelowScan = CRecordScan<6, false>;
QV_MEASURE_CLONES CBelowScan ScanBelow(const uint8_t* samples, size_t count, const std::array<int, 6>& limits) {
    CBelowScan scan(limits);
    scan.Run(samples, count);
    return scan;
}

// The count at one rank of the ascending order, found by narrowing a range
// of counts that holds it: [low, low + width) with fewer than rank + 1
// samples below low and more than rank below low + width. Each pass counts
// the samples below the three cuts that split the range in four, so four
// passes narrow 256 counts to one.
class CRankSearch {
public:
    explicit CRankSearch(size_t rank) : m_rank(rank) {}

    std::array<int, 3> Cuts() const { return {m_low + m_width / 4, m_low + m_width / 2, m_low + 3 * m_width / 4}; }
    // below[j]: the samples below Cuts()[j].
    void Narrow(const std::array<size_t, 3>& below) {
        const std::array<int, 3> cuts = Cuts();
        int low = m_low;
        for (size_t j = 0; j < cuts.size(); ++j)
            if (below[j] <= m_rank) low = cuts[j];
        m_low = low;
        m_width /= 4;
    }
    bool Found() const { return m_width == 1; }
    int Count() const { return m_low; }

private:
    size_t m_rank;
    int m_low = -128;
    int m_width = 256;
};

RecordStats Gather(const MeasureInput& in) {
    const size_t rank = in.count * 5 / 100;
    CRankSearch base(rank), top(in.count - 1 - rank);
    // Both searches start from the whole range of counts: the first pass
    // counts below the same three cuts for both.
    const CStatsScan first = ScanStats(in.samples, in.count, base.Cuts());
    const std::array<size_t, 3> below = {first.Below(0), first.Below(1), first.Below(2)};
    base.Narrow(below);
    top.Narrow(below);
    while (!base.Found()) {
        const std::array<int, 3> b = base.Cuts(), t = top.Cuts();
        const CBelowScan pass = ScanBelow(in.samples, in.count, {b[0], b[1], b[2], t[0], t[1], t[2]});
        base.Narrow({pass.Below(0), pass.Below(1), pass.Below(2)});
        top.Narrow({pass.Below(3), pass.Below(4), pass.Below(5)});
    }
    // Sums about the position: sum (s - p) = S1 - N p and
    // sum (s - p)² = S2 - 2 p S1 + N p², exact in 128 bits for any position.
    const __int128 n = in.count, p = in.position;
    RecordStats st;
    const int64_t sum = first.Sum();
    st.minCount = first.MinCount();
    st.maxCount = first.MaxCount();
    st.sum = static_cast<double>(sum - n * p);
    st.sumSquares = static_cast<double>(first.SumSquares() - 2 * p * sum + n * p * p);
    st.base = base.Count();
    st.top = top.Count();
    return st;
}

// Indices where the record crosses the mid level m by more than the dead
// band: the last sample at or below m before a rise past m + 3, the last
// sample at or above m before a fall past m - 3. The backward search of each
// crossing is the running index of the last such sample, so the scan stays
// linear however long the record sits on one side. The record is scanned only
// as far as the crossings asked for: the period and the edges are found among
// the first few.
class CCrossings {
public:
    CCrossings(const MeasureInput& in, int m) : m_in(in), m_mid(m) {}

    // Whether the record has a crossing k (0-based).
    bool Has(size_t k) {
        while (m_found.size() <= k && m_next < m_in.count) ScanToNext();
        return k < m_found.size();
    }
    size_t operator[](size_t k) const { return m_found[k]; }

private:
    void ScanToNext() {
        const size_t before = m_found.size();
        for (; m_next < m_in.count && m_found.size() == before; ++m_next) {
            const size_t i = m_next;
            const int s = SampleCount(m_in.samples[i]);
            if (s <= m_mid) m_lastAtOrBelow = static_cast<ptrdiff_t>(i);
            if (s >= m_mid) m_lastAtOrAbove = static_cast<ptrdiff_t>(i);
            if (s - m_mid > kDeadBand && !m_high && m_lastAtOrBelow >= 0) {
                m_found.push_back(static_cast<size_t>(m_lastAtOrBelow));
                m_high = true;
                m_low = false;
            } else if (m_mid - s > kDeadBand && !m_low && m_lastAtOrAbove >= 0) {
                m_found.push_back(static_cast<size_t>(m_lastAtOrAbove));
                m_low = true;
                m_high = false;
            }
        }
    }

    const MeasureInput& m_in;
    const int m_mid;
    std::vector<size_t> m_found;
    size_t m_next = 0;
    bool m_high = false, m_low = false;
    ptrdiff_t m_lastAtOrBelow = -1, m_lastAtOrAbove = -1;
};

// The period and the pulse measured inside it, as crossing positions.
struct PeriodChoice {
    size_t spanStart = 0, spanEnd = 0;    // period span [start, end) in samples
    size_t pulseStart = 0, pulseEnd = 0;  // the measured pulse
    bool hasPulse = false;
};

PeriodChoice ChoosePeriod(CCrossings& c) {
    PeriodChoice p;
    size_t n = 0; // crossings, counted up to 5
    while (n < 5 && c.Has(n)) ++n;
    if (n < 2) return p;
    // 2 crossings: one pulse, no period; 3: c0..c2; 4: c1..c3; 5 or more: c2..c4.
    const size_t first = n == 2 ? 0 : (n == 3 ? 0 : (n == 4 ? 1 : 2));
    p.hasPulse = true;
    p.pulseStart = c[first];
    p.pulseEnd = c[first + 1];
    if (n >= 3) {
        p.spanStart = c[first];
        p.spanEnd = c[first + 2];
    }
    return p;
}

// An edge between two levels (counts): searched around each crossing in
// turn, backward (not past the previous crossing) for a sample on the start
// side of the first level, then forward (up to the next crossing, or the end)
// for a sample past the second level. The first crossing with both gives the
// edge. Rising edges compare strictly, falling edges inclusively.
struct Edge {
    bool found = false;
    size_t from = 0, to = 0;
};

Edge FindEdge(const MeasureInput& in, CCrossings& c, int startLevel, int endLevel, bool rising) {
    auto atStart = [&](int s) { return rising ? s < startLevel : s >= startLevel; };
    auto pastEnd = [&](int s) { return rising ? s > endLevel : s <= endLevel; };
    for (size_t k = 0; c.Has(k); ++k) {
        const size_t lower = k > 0 ? c[k - 1] : 0;
        const size_t upper = c.Has(k + 1) ? c[k + 1] + 1 : in.count;
        Edge e;
        for (size_t j = c[k] + 1; j-- > lower;)
            if (atStart(SampleCount(in.samples[j]))) {
                e.from = j;
                e.found = true;
                break;
            }
        if (!e.found) continue;
        for (size_t i = c[k]; i < upper; ++i)
            if (pastEnd(SampleCount(in.samples[i]))) {
                e.to = i;
                return e;
            }
    }
    return Edge{};
}

class CMeasurer {
public:
    explicit CMeasurer(const MeasureInput& in) : m_in(in), m_st(Gather(in)) {}

    void Run(tagMeasureValue& v) {
        const double n = static_cast<double>(m_in.count);
        v.value[MES_VMAX] = Volts(m_st.maxCount);
        v.value[MES_VMIN] = Volts(m_st.minCount);
        v.value[MES_VAVG] = static_cast<float>(m_st.sum / n * m_in.voltsPerDiv / kCountsPerDivision);
        v.value[MES_VPP] = v.value[MES_VMAX] - v.value[MES_VMIN];
        v.value[MES_VRMS] = static_cast<float>(std::sqrt(m_st.sumSquares / n) * m_in.voltsPerDiv / kCountsPerDivision);
        m_mid = (m_st.maxCount + m_st.minCount) / 2;
        TopAndBase(v);
        m_crossings.emplace(m_in, m_mid);
        PeriodAndWidths(v);
        Edges(v);
        PeriodSpan(v);
    }

    // The period is above 0 (frequency, duties and CMean are defined).
    bool HasPeriod() const { return m_hasPeriod; }
    // Vtop and Vbase differ (over- and preshoot are defined).
    bool HasAmplitude() const { return m_top != m_base; }

private:
    float Volts(int count) const {
        return static_cast<float>((count - m_in.position) / static_cast<double>(kCountsPerDivision) * m_in.voltsPerDiv);
    }
    double Duration(double samples) const {
        return samples * m_in.timePerDiv / m_in.samplesPerDiv;
    }

    // The 5 % and 95 % ranks (integer division: elements 160 and 3039 of 3200).
    void TopAndBase(tagMeasureValue& v) {
        m_base = m_st.base;
        m_top = m_st.top;
        v.value[MES_VTOP] = Volts(m_top);
        v.value[MES_VBASE] = Volts(m_base);
        v.value[MES_VAMP] = v.value[MES_VTOP] - v.value[MES_VBASE];
        // A flat record has no amplitude: the ratios stay 0 (shown as "?").
        if (!HasAmplitude()) return;
        v.value[MES_OVERSHOOT] = (v.value[MES_VMAX] - v.value[MES_VTOP]) / v.value[MES_VAMP];
        v.value[MES_PRESHOOT] = (v.value[MES_VBASE] - v.value[MES_VMIN]) / v.value[MES_VAMP];
    }

    void PeriodAndWidths(tagMeasureValue& v) {
        m_period = ChoosePeriod(*m_crossings);
        if (!m_period.hasPulse) return;
        const size_t pulse = m_period.pulseEnd - m_period.pulseStart;
        const size_t period = m_period.spanEnd - m_period.spanStart;
        const size_t middle = m_period.pulseStart + pulse / 2;
        const bool positive = SampleCount(m_in.samples[middle]) > m_mid;
        // With no period (2 crossings) only the measured pulse has a width.
        const double other = period > 0 ? static_cast<double>(period) - static_cast<double>(pulse) : 0.0;
        const double pos = positive ? static_cast<double>(pulse) : other;
        const double neg = positive ? other : static_cast<double>(pulse);
        v.value[MES_PERIOD] = static_cast<float>(Duration(static_cast<double>(period)));
        v.value[MES_POS_PULSE_WIDTH] = static_cast<float>(Duration(pos));
        v.value[MES_NEG_PULSE_WIDTH] = static_cast<float>(Duration(neg));
        m_hasPeriod = v.value[MES_PERIOD] > 0;
        if (!m_hasPeriod) return;
        v.value[MES_FREQUENCY] = static_cast<float>(1e9 / v.value[MES_PERIOD]);
        v.value[MES_POS_DUTY] = v.value[MES_POS_PULSE_WIDTH] / v.value[MES_PERIOD];
        v.value[MES_NEG_DUTY] = 1.0f - v.value[MES_POS_DUTY];
    }

    // Rise and fall between 10 % and 90 % of top - base; the rise and fall
    // widths between 1 % + 1 count and 99 % - 1 count. Levels are counts,
    // so they are compared with the samples directly. The slew rate is the
    // voltage step of the measured rise over its time.
    void Edges(tagMeasureValue& v) {
        const int span = m_top - m_base;
        const int lo10 = m_base + span / 10, hi90 = m_base + 9 * span / 10;
        const int lo1 = m_base + span / 100 + 1, hi99 = m_base + span * 99 / 100 - 1;
        const Edge rise = FindEdge(m_in, *m_crossings, lo10, hi90, true);
        const Edge fall = FindEdge(m_in, *m_crossings, hi90, lo10, false);
        const Edge riseWidth = FindEdge(m_in, *m_crossings, lo1, hi99, true);
        const Edge fallWidth = FindEdge(m_in, *m_crossings, hi99, lo1, false);
        v.value[MES_RISE_TIME] = EdgeDuration(rise);
        v.value[MES_FALL_TIME] = EdgeDuration(fall);
        v.value[MES_RISE_WIDTH] = EdgeDuration(riseWidth);
        v.value[MES_FALL_WIDTH] = EdgeDuration(fallWidth);
        if (rise.found && v.value[MES_RISE_TIME] > 0) {
            const double step = Volts(SampleCount(m_in.samples[rise.to])) - Volts(SampleCount(m_in.samples[rise.from]));
            v.value[MES_SLEW_RATE] = static_cast<float>(step * 1000.0 / v.value[MES_RISE_TIME]);
        }
    }
    float EdgeDuration(const Edge& e) const {
        return e.found ? static_cast<float>(Duration(static_cast<double>(e.to - e.from))) : 0.0f;
    }

    // Over the period span [start, end): time at or above Vtop, time at or
    // below Vbase, mean and RMS of (s - p).
    void PeriodSpan(tagMeasureValue& v) {
        const size_t count = m_period.spanEnd - m_period.spanStart;
        if (count == 0) return;
        size_t atTop = 0, atBase = 0;
        int64_t sum = 0;
        double squares = 0;
        for (size_t i = m_period.spanStart; i < m_period.spanEnd; ++i) {
            const int s = SampleCount(m_in.samples[i]);
            atTop += s >= m_top;
            atBase += s <= m_base;
            const int64_t d = s - m_in.position;
            sum += d;
            squares += static_cast<double>(d * d);
        }
        const double n = static_cast<double>(count);
        const double scale = m_in.voltsPerDiv / kCountsPerDivision;
        v.value[MES_VTOP_TIME] = static_cast<float>(Duration(static_cast<double>(atTop)));
        v.value[MES_VBASE_TIME] = static_cast<float>(Duration(static_cast<double>(atBase)));
        v.value[MES_CMEAN] = static_cast<float>(static_cast<double>(sum) / n * scale);
        v.value[MES_VCRMS] = static_cast<float>(std::sqrt(squares / n) * scale);
    }

    const MeasureInput& m_in;
    RecordStats m_st;
    int m_mid = 0;
    int m_top = 0, m_base = 0;
    std::optional<CCrossings> m_crossings;
    PeriodChoice m_period;
    bool m_hasPeriod = false;
};

std::string Analysed(float value, int digits) {
    float v = static_cast<float>(static_cast<double>(value) / 1e9);
    std::string text;
    DataAnalyse(v, digits, text, 0, -1);
    return text;
}

std::string Percent(float ratio, int precision) {
    std::string number = FormatFixed(static_cast<double>(ratio) * 100.0, precision);
    if (number.size() < 3) number.insert(0, 3 - number.size(), ' ');
    return number + " %";
}

// Which texts are "?" although a value exists: durations, the slew rate and
// VCrms that are not above 0; frequency, duties and CMean without a period;
// over- and preshoot without an amplitude.
bool Unknown(const MeasureItem& item, float value, bool hasPeriod, bool hasAmplitude) {
    switch (item.slot) {
    case MES_FREQUENCY:
    case MES_POS_DUTY:
    case MES_NEG_DUTY:
    case MES_CMEAN:
        return !hasPeriod;
    case MES_OVERSHOOT:
    case MES_PRESHOOT:
        return !hasAmplitude;
    case MES_SLEW_RATE:
    case MES_VCRMS:
        return !(value > 0);
    default:
        return item.display == kShowTime && !(value > 0);
    }
}

std::string ItemText(const MeasureItem& item, float value) {
    switch (item.display) {
    case kShowPercent0: return Percent(value, 0);
    case kShowPercent2: return Percent(value, 2);
    default: return Analysed(value, static_cast<int>(item.display));
    }
}

bool Measurable(const MeasureInput& in) {
    return in.samples != nullptr && in.count > 0 && in.samplesPerDiv > 0 && std::isfinite(in.voltsPerDiv) &&
           std::isfinite(in.timePerDiv);
}

}  // namespace

MeasureResult MeasureWaveform(const MeasureInput& in) {
    MeasureResult r;
    r.text.fill("?");
    if (in.scan || !Measurable(in)) {
        r.ok = in.scan ? 1 : 0;
        return r;
    }
    CMeasurer m(in);
    m.Run(r.value);
    for (int k = 0; k < kMeasureItemCount; ++k) {
        const MeasureItem& item = kMeasureItems[static_cast<size_t>(k)];
        const float value = r.value.value[item.slot];
        if (!Unknown(item, value, m.HasPeriod(), m.HasAmplitude()))
            r.text[static_cast<size_t>(k)] = ItemText(item, value);
    }
    r.ok = 1;
    return r;
}

std::string ShownMeasureText(int item, const std::string& text) {
    if (item != kSlewRateItem || (!text.empty() && text[0] == '?')) return text;
    return text + "/us";
}
