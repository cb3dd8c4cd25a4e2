#include "analysis/I2CDecoder.h"

#include <algorithm>
#include <utility>

CI2CDecoder::CI2CDecoder() {
    m_times = {"4.7us", "4.0us", "0.0ns", "0.0ns", "4.7us", "4.0us"};
}

bool CI2CDecoder::ClockHighOver(int from, int to) const {
    from = std::max(from, 0);
    to = std::min(to, static_cast<int>(m_clock.s.size()));
    for (int i = from; i < to; ++i)
        if (m_clock.s[i] <= m_clock.mid) return false;
    return true;
}

// Start set-up, start hold and stop times become whole samples rounded up
// (NsToSamples), so a condition passes only when SCL is high for at least the
// full time; the clock-high and clock-low times are measured crossing to
// crossing and compared in nanoseconds.
bool CI2CDecoder::StartConditionHolds(const BusTransition& sdaFall) const {
    const int setup = NsToSamples(TimeNs(4));
    const int hold = NsToSamples(m_startHoldNs);
    return m_clock.s[sdaFall.crossing] > m_clock.mid && ClockHighOver(sdaFall.start - setup, sdaFall.start) &&
           ClockHighOver(sdaFall.end, sdaFall.end + hold);
}

int CI2CDecoder::FrameStartAfter(const BusTransition& sdaFall) const {
    const int last = static_cast<int>(m_clock.s.size()) - 1;
    int position = std::min(sdaFall.end + NsToSamples(m_startHoldNs), last);
    while (position < last && m_clock.s[position + 1] > m_clock.mid)
        ++position;
    return position;
}

std::optional<CI2CDecoder::ClockPulse> CI2CDecoder::NextClockPulse(int position) {
    const std::size_t count = m_clock.crossings.size();
    for (std::size_t n = FirstCrossingAfter(m_clock, position, m_afterLastPulse); n < count; ++n) {
        const auto rise = TransitionAt(m_clock, n);
        if (!rise || !rise->rising) continue;
        ClockPulse pulse{*rise, n > 0 ? m_clock.crossings[n - 1] : position, static_cast<int>(m_clock.s.size()),
                         std::min(n + 2, count)};
        if (n + 1 < count) pulse.nextFall = m_clock.crossings[n + 1];
        m_afterLastPulse = pulse.afterNextFall;
        return pulse;
    }
    return std::nullopt;
}

std::optional<BusTransition> CI2CDecoder::DataEdgeWhileHigh(const ClockPulse& pulse) const {
    const std::size_t n = FirstCrossingAfter(m_data, pulse.rise.crossing);
    if (n >= m_data.crossings.size() || m_data.crossings[n] >= pulse.nextFall) return std::nullopt;
    if (auto edge = TransitionAt(m_data, n)) return edge;
    const int crossing = m_data.crossings[n];
    return BusTransition{crossing, crossing, crossing, m_data.s[crossing] > m_data.mid};
}

int CI2CDecoder::MajorityBit(const BusTransition& window) const {
    const std::int8_t* s = m_data.s.data();
    const int mid = m_data.mid;
    int above = 0;
    for (int i = window.start; i <= window.end; ++i)
        above += s[i] > mid;
    const int notAbove = window.end - window.start + 1 - above;
    return above >= notAbove ? 1 : 0;
}

bool CI2CDecoder::CheckLowTime(const ClockPulse& pulse, bool afterAck) {
    const int low = pulse.rise.crossing - pulse.previousFall;
    if (afterAck) {
        if (RunAtLeastNearly(low, 1)) return true;
        m_status = kWaitLowLevelError;
        return false;
    }
    if (RunWithinTolerance(low, 1)) return true;
    m_status = kLowLevelError;
    return false;
}

// An SDA edge while SCL is high ends the field. Rising: a stop when it begins
// at least the stop time after SCL went high. Falling: a repeated start; the
// next frame starts as after a start condition (past the hold time, then on
// while SCL stays high) and its first field is an address. The frame before
// counts as decoded; the start set-up and hold times are not checked here.
CI2CDecoder::FieldEnd CI2CDecoder::EndAtDataEdge(const ClockPulse& pulse, const BusTransition& edge,
                                                 int& position) {
    if (!edge.rising) { // repeated start: the next frame begins here
        m_repeatedStart = true;
        position = FrameStartAfter(edge);
        return FieldEnd::RepeatedStart;
    }
    if (edge.start - pulse.rise.end < NsToSamples(TimeNs(5))) return FieldEnd::Failed;
    BusField stop;
    stop.label = "Stop";
    stop.start = edge.start;
    stop.width = edge.end - edge.start;
    m_results.push_back(stop);
    position = edge.end;
    return FieldEnd::Stop;
}

CI2CDecoder::FieldEnd CI2CDecoder::ReadField(BusField& field, int bitCount, bool afterAck, int& position) {
    for (int b = 0; b < bitCount; ++b) {
        const auto pulse = NextClockPulse(position);
        if (!pulse) return FieldEnd::RecordEnd;
        if (!CheckLowTime(*pulse, afterAck && b == 0)) return FieldEnd::Failed;
        if (const auto edge = DataEdgeWhileHigh(*pulse)) return EndAtDataEdge(*pulse, *edge, position);
        if (!RunWithinTolerance(pulse->nextFall - pulse->rise.crossing, 0)) {
            m_status = kHighLevelError;
            return FieldEnd::Failed;
        }
        const BusTransition& w = pulse->rise;
        field.bits.push_back({MajorityBit(w), w.start, w.end - w.start + 20});
        position = pulse->nextFall;
    }
    return FieldEnd::Complete;
}

CI2CDecoder::FieldEnd CI2CDecoder::ReadAcknowledge(BusField& field, int& position) {
    const auto pulse = NextClockPulse(position);
    if (!pulse) return FieldEnd::RecordEnd;
    if (!CheckLowTime(*pulse, false)) return FieldEnd::Failed;
    if (!RunWithinTolerance(pulse->nextFall - pulse->rise.crossing, 0)) {
        m_status = kHighLevelError;
        return FieldEnd::Failed;
    }
    const BusTransition& w = pulse->rise;
    long long sum = 0;
    for (int i = w.start; i <= w.end; ++i)
        sum += m_data.s[i];
    field.ack = sum / (w.end - w.start + 1) <= m_data.mid ? 0 : 1;
    field.width = w.end + 20 - field.start;
    position = pulse->nextFall;
    return FieldEnd::Complete;
}

// Ten-bit addresses (expected type 5): the first address field carries the
// prefix 11110 and two address bits, and the next field (8 bits, labelled
// "Addr:") the rest of the address. After a repeated start, a read address
// with the same prefix as the frame before continues that ten-bit transfer:
// no second address byte follows, the data come next. A write address, a new
// prefix or a frame after a stop sends the whole address again.
bool CI2CDecoder::TenBitContinues(const std::vector<int>& address, bool afterRepeatedStart) const {
    if (!afterRepeatedStart || address.empty() || address.back() != 1) return false;
    return !m_tenBitPrefix.empty() &&
           std::equal(m_tenBitPrefix.begin(), m_tenBitPrefix.end(), address.begin(), address.end() - 1);
}

bool CI2CDecoder::DecodeFrame(const std::uint8_t* clock, int length, const std::uint8_t* data) {
    if (!ReadingRecords(clock, length, data) && !BeginDecode(clock, length, data)) return false;
    const std::size_t firstField = m_results.size();
    const bool afterRepeatedStart = m_repeatedStart;
    int position = m_position;
    bool address = m_firstFieldIsAddress, afterAck = false;
    m_tenBitSecondPending = false;
    m_repeatedStart = false;
    for (;;) {
        BusField field;
        field.label = address ? "Addr:" : "Data:";
        const int bitCount = m_tenBitSecondPending ? 8 : address ? m_addressBits + 1 : m_bits;
        field.bits.reserve(static_cast<std::size_t>(bitCount));
        FieldEnd end = ReadField(field, bitCount, afterAck, position);
        if (end == FieldEnd::Complete) {
            field.start = field.bits.front().start;
            end = ReadAcknowledge(field, position);
        }
        if (end == FieldEnd::Complete) {
            const bool firstAddress = address && !m_tenBitSecondPending;
            const std::vector<int> bits = firstAddress ? field.BitValues() : std::vector<int>{};
            const int kind = firstAddress ? ClassifyAddress(bits) : kAddrSimple;
            if (firstAddress && m_addressType != kAddrSimple && m_addressType != kAddrTenBit &&
                kind != m_addressType)
                end = FieldEnd::Failed;
            else
                m_results.push_back(std::move(field));
            const bool tenBit = firstAddress && m_addressType == kAddrTenBit && kind == kAddrTenBit;
            m_tenBitSecondPending = tenBit && !TenBitContinues(bits, afterRepeatedStart);
            if (firstAddress) m_tenBitPrefix = tenBit ? std::vector<int>(bits.begin(), bits.end() - 1) : std::vector<int>{};
            address = m_tenBitSecondPending;
            afterAck = true;
        }
        m_position = position;
        switch (end) {
        case FieldEnd::Complete:
            continue;
        case FieldEnd::Stop:
            m_tenBitPrefix.clear();
            [[fallthrough]];
        case FieldEnd::RepeatedStart:
            m_firstFieldIsAddress = true;
            return true;
        case FieldEnd::RecordEnd:
            return m_results.size() > firstField;
        case FieldEnd::Failed:
            m_results.erase(m_results.begin() + static_cast<std::ptrdiff_t>(firstField), m_results.end());
            m_tenBitPrefix.clear();
            return false;
        }
    }
}

int CI2CDecoder::Decode(const std::uint8_t* clock, int length, const std::uint8_t* data) {
    m_startHoldNs = ParseTimeText(m_startHold);
    if (!BeginDecode(clock, length, data) || m_data.crossings.empty()) {
        m_status = kNoBusSignal;
        return 0;
    }
    bool startFound = false;
    std::size_t n = 0;
    while (n < m_data.crossings.size()) {
        const auto fall = TransitionAt(m_data, n);
        if (!fall || fall->rising || !StartConditionHolds(*fall)) {
            ++n;
            continue;
        }
        startFound = true;
        m_position = FrameStartAfter(*fall);
        m_firstFieldIsAddress = true;
        m_repeatedStart = false;
        m_tenBitPrefix.clear();
        bool read;
        do {
            read = DecodeFrame(clock, length, data);
            if (read) ++m_frameCount;
        } while (read && m_repeatedStart);
        n = FirstCrossingAfter(m_data, std::max(m_position, fall->crossing));
    }
    if (!startFound) {
        m_status = kNoStartCondition;
        return 0;
    }
    if (m_frameCount == 0) {
        if (m_status.empty()) m_status = kNoBusSignal;
        return 0;
    }
    return 1;
}
