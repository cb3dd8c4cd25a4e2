#include "docs/WaveformMeasure.h"

#include "analysis/SampleReading.h"
#include "corvane/ScaleConversion.h"
#include "corvane/TextNumber.h"

#include <algorithm>
#include <cmath>
#include <optional>
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

// One pass over the record: extremes, sums of (s - p) and (s - p)², and the
// number of samples of each count.
struct RecordStats {
    int minCount = 127;
    int maxCount = -128;
    double sum = 0;
    double sumSquares = 0;
    std::array<size_t, 256> histogram{};
};

// Counts the samples of each byte value. Four tables in turn let the
// increments of neighbouring samples proceed side by side even when they hit
// the same value, as a steady signal's samples do.
void CountBytes(const uint8_t* samples, size_t count, std::array<size_t, 256>& histogram) {
    constexpr size_t kBlock = size_t{1} << 24; // 32-bit tables cannot overflow within a block
    for (size_t start = 0; start < count; start += kBlock) {
        std::array<std::array<uint32_t, 256>, 4> part{};
        const size_t end = std::min(count, start + kBlock);
        size_t i = start;
        for (; i + 4 <= end; i += 4)
            for (size_t t = 0; t < 4; ++t) ++part[t][samples[i + t]];
        for (; i < end; ++i) ++part[0][samples[i]];
        for (size_t b = 0; b < 256; ++b) histogram[b] += size_t{part[0][b]} + part[1][b] + part[2][b] + part[3][b];
    }
}

RecordStats Gather(const MeasureInput& in) {
    RecordStats st;
    int64_t sum = 0;
    CountBytes(in.samples, in.count, st.histogram);
    for (int b = 0; b < 256; ++b) {
        const size_t n = st.histogram[static_cast<size_t>(b)];
        if (n == 0) continue;
        const int s = SampleCount(static_cast<uint8_t>(b));
        st.minCount = std::min(st.minCount, s);
        st.maxCount = std::max(st.maxCount, s);
        const int64_t d = s - in.position;
        sum += d * static_cast<int64_t>(n);
        st.sumSquares += static_cast<double>(d * d) * static_cast<double>(n);
    }
    st.sum = static_cast<double>(sum);
    return st;
}

// The count at rank k (0-based) of the ascending order of the record.
int CountAtRank(const RecordStats& st, size_t k) {
    size_t seen = 0;
    for (int s = -128; s <= 127; ++s) {
        seen += st.histogram[static_cast<uint8_t>(static_cast<int8_t>(s))];
        if (seen > k) return s;
    }
    return st.maxCount;
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
        const size_t rank = m_in.count * 5 / 100;
        m_base = CountAtRank(m_st, rank);
        m_top = CountAtRank(m_st, m_in.count - 1 - rank);
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
