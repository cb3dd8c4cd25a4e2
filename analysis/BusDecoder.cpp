#include "analysis/BusDecoder.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::vector<int> BusField::BitValues() const {
    std::vector<int> values;
    values.reserve(bits.size());
    for (const BusBit& bit : bits)
        values.push_back(bit.value);
    return values;
}

CBusDecoder::CBusDecoder() {
    m_times.fill("0.0ns");
}

void CBusDecoder::SetBits(int bits) {
    m_bits = std::clamp(bits, 1, kMaxBits);
}

void CBusDecoder::SetTimePerDivision(double ns) {
    if (ns > 0 && std::isfinite(ns)) m_timePerDivision = ns;
}

void CBusDecoder::SetSamplesPerDivision(int samples) {
    if (samples > 0) m_samplesPerDivision = samples;
}

double CBusDecoder::SamplesToNs(int samples) const {
    return samples * m_timePerDivision / m_samplesPerDivision;
}

int CBusDecoder::NsToSamples(std::int64_t ns) const {
    if (ns <= 0) return 0;
    const double samples = std::ceil(static_cast<double>(ns) * m_samplesPerDivision / m_timePerDivision);
    return samples > 1e9 ? 1000000000 : static_cast<int>(samples);
}

std::int64_t CBusDecoder::FewestSamplesReaching(double ns, bool strictly) const {
    // SamplesToNs never decreases as the run grows (a product and a quotient
    // by positive numbers, each rounded the same way), so the runs that reach
    // ns are all those from the first one on.
    auto reaches = [&](std::int64_t samples) {
        const double runNs = SamplesToNs(static_cast<int>(samples));
        return strictly ? runNs > ns : runNs >= ns;
    };
    std::int64_t lowest = 0, highest = std::int64_t{std::numeric_limits<int>::max()} + 1;
    while (lowest < highest) {
        const std::int64_t middle = lowest + (highest - lowest) / 2;
        if (reaches(middle))
            highest = middle;
        else
            lowest = middle + 1;
    }
    return lowest;
}

void CBusDecoder::FindRunRanges() {
    for (int i = 0; i < kTimeCount; ++i) {
        const auto [least, most] = ToleranceBounds(m_timeNs[i]);
        m_within[i] = {FewestSamplesReaching(least, false), FewestSamplesReaching(most, true) - 1};
        m_nearly[i] = {FewestSamplesReaching(NearlyBound(m_timeNs[i]), false), std::numeric_limits<int>::max()};
    }
}

bool CBusDecoder::BeginDecode(const std::uint8_t* clock, int length, const std::uint8_t* data) {
    m_results.clear();
    m_position = 0;
    m_frameCount = 0;
    m_status.clear();
    for (std::size_t i = 0; i < m_times.size(); ++i)
        m_timeNs[i] = ParseTimeText(m_times[i]);
    FindRunRanges();
    if (!clock || !data || length <= 0) {
        m_clock = {};
        m_data = {};
        return false;
    }
    ReadBusSignal(m_clock, clock, length);
    ReadBusSignal(m_data, data, length);
    SetTransitionLevels(m_clock, m_clockBand);
    SetTransitionLevels(m_data, m_dataBand);
    return true;
}

bool CBusDecoder::ReadingRecords(const std::uint8_t* clock, int length, const std::uint8_t* data) const {
    return length > 0 && m_clock.s.size() == static_cast<std::size_t>(length) &&
           m_data.s.size() == m_clock.s.size() && m_clock.s.data() == reinterpret_cast<const std::int8_t*>(clock) &&
           m_data.s.data() == reinterpret_cast<const std::int8_t*>(data);
}
