#include "analysis/SPIDecoder.h"

#include <algorithm>

CSPIDecoder::CSPIDecoder() {
    m_times = {"90ns", "90ns", "0.0us", "0.0ns", "250ns", "0.0ns"};
}

bool CSPIDecoder::ReadClockRun(int& position, bool high) const {
    const int length = static_cast<int>(m_clock.s.size());
    int end = position;
    while (end < length && (high ? m_clock.s[end] >= m_clock.mid : m_clock.s[end] <= m_clock.mid))
        ++end;
    const int run = end - position;
    position = end;
    return run > 0 && RunWithinTolerance(run, high ? 0 : 1);
}

bool CSPIDecoder::IdleBefore(int crossing, int samples) const {
    const int from = std::max(0, crossing - samples);
    for (int i = from; i < crossing; ++i)
        if (IdleLow() ? m_clock.s[i] > m_clock.mid : m_clock.s[i] < m_clock.mid) return false;
    return true;
}

void CSPIDecoder::ReadFieldValue() {
    const int length = static_cast<int>(m_clock.s.size());
    const bool sampleOnRising = m_cpol == m_cpha;
    BusField field;
    field.label = "Data:";
    int position = m_dataRead;
    for (int b = 0; b < m_bits && position < length; ++b) {
        std::optional<BusTransition> edge;
        for (std::size_t n = FirstCrossingAfter(m_clock, position); n < m_clock.crossings.size() && !edge;
             ++n) {
            edge = TransitionAt(m_clock, n, position);
            if (edge && edge->rising != sampleOnRising) edge.reset();
        }
        if (!edge) {
            position = length;
            break;
        }
        long long sum = 0;
        for (int i = edge->start; i < edge->end; ++i)
            sum += m_data.s[i];
        const int count = edge->end - edge->start;
        const long long mean = count > 0 ? sum / count : m_data.s[edge->start];
        field.bits.push_back({mean > m_data.mid ? 1 : 0, edge->start, edge->end - edge->start + 20});
        position = edge->end;
    }
    m_dataRead = position;
    m_position = position;
    if (field.bits.empty()) return;
    field.start = field.bits.front().start;
    field.width = field.bits.back().start + field.bits.back().width - field.start;
    m_results.push_back(std::move(field));
}

bool CSPIDecoder::DecodeFrame(const std::uint8_t* clock, int length, const std::uint8_t* data) {
    if (!ReadingRecords(clock, length, data) && !BeginDecode(clock, length, data)) return false;
    int position = m_position;
    const bool highFirst = IdleLow();
    for (int b = 0; b < m_bits; ++b) {
        const bool ok =
            ReadClockRun(position, highFirst) && (b == m_bits - 1 || ReadClockRun(position, !highFirst));
        if (!ok) {
            m_position = position;
            m_dataRead = position;
            return false;
        }
    }
    ReadFieldValue();
    return true;
}

int CSPIDecoder::Decode(const std::uint8_t* clock, int length, const std::uint8_t* data) {
    if (!BeginDecode(clock, length, data)) return 0;
    m_dataRead = 0;
    const int startSamples = NsToSamples(TimeNs(4));
    std::size_t n = 0;
    while (n < m_clock.crossings.size()) {
        const int crossing = m_clock.crossings[n];
        if (!IdleBefore(crossing, startSamples)) {
            ++n;
            continue;
        }
        m_position = crossing;
        if (DecodeFrame(clock, length, data)) ++m_frameCount;
        n = FirstCrossingAfter(m_clock, std::max(m_position, crossing));
    }
    return 1;
}
