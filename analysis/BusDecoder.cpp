#include "analysis/BusDecoder.h"

#include <algorithm>
#include <cmath>

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

bool CBusDecoder::BeginDecode(const std::uint8_t* clock, int length, const std::uint8_t* data) {
    m_results.clear();
    m_position = 0;
    m_frameCount = 0;
    m_status.clear();
    for (std::size_t i = 0; i < m_times.size(); ++i)
        m_timeNs[i] = ParseTimeText(m_times[i]);
    if (!clock || !data || length <= 0) {
        m_clock = {};
        m_data = {};
        return false;
    }
    m_clock = ReadBusSignal(clock, length);
    m_data = ReadBusSignal(data, length);
    SetTransitionLevels(m_clock, m_clockBand);
    SetTransitionLevels(m_data, m_dataBand);
    return true;
}

