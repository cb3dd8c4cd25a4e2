#pragma once
// Synthetic two-wire bus traffic for the decoder tests and the benchmark.
//
// A trace is laid out as logic levels sample by sample (line 0 = clock,
// line 1 = data), then rendered twice: as channel records of signed counts
// (low and high at -/+ kSwing, every edge a linear ramp of `edge` samples)
// for our decoders, and as the same records cut at the centre line into the
// raw logic format that sigrok-cli reads (-I binary, one byte per sample,
// bit 0 clock, bit 1 data). Both decoders therefore see the very same edges.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace bustraffic {

inline constexpr int kSwing = 80;

struct LogicTrace {
    std::vector<std::uint8_t> clock, data; // 0 or 1 per sample
    int clockLevel = 1, dataLevel = 1;

    void Hold(int samples) {
        clock.insert(clock.end(), samples, static_cast<std::uint8_t>(clockLevel));
        data.insert(data.end(), samples, static_cast<std::uint8_t>(dataLevel));
    }
    int Length() const { return static_cast<int>(clock.size()); }
};

// Moving average over `edge` samples of a line at -/+ kSwing: every edge
// becomes a linear ramp.
inline std::vector<std::uint8_t> RenderLine(const std::vector<std::uint8_t>& levels, int edge) {
    std::vector<std::uint8_t> out(levels.size());
    long sum = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        sum += levels[i] ? kSwing : -kSwing;
        if (i >= static_cast<std::size_t>(edge)) sum -= levels[i - edge] ? kSwing : -kSwing;
        const long n = std::min<long>(static_cast<long>(i) + 1, edge);
        const long first = levels[0] ? kSwing : -kSwing; // before the record the line held its first level
        const long value = (sum + (edge - n) * first) / edge;
        out[i] = static_cast<std::uint8_t>(static_cast<std::int8_t>(value));
    }
    return out;
}

struct AnalogRecords {
    std::vector<std::uint8_t> clock, data;
};

inline AnalogRecords Render(const LogicTrace& t, int edge) {
    return {RenderLine(t.clock, edge), RenderLine(t.data, edge)};
}

// The analog records as sigrok's raw logic bytes: a line is 1 above 0 counts.
inline std::string ToSigrokBinary(const AnalogRecords& r) {
    std::string bytes(r.clock.size(), '\0');
    for (std::size_t i = 0; i < r.clock.size(); ++i)
        bytes[i] = static_cast<char>((static_cast<std::int8_t>(r.clock[i]) > 0 ? 1 : 0) |
                                     (static_cast<std::int8_t>(r.data[i]) > 0 ? 2 : 0));
    return bytes;
}

// Durations drawn around a nominal value (in samples).
class Jitter {
public:
    explicit Jitter(unsigned seed) : m_rng(seed) {}
    int Around(int nominal, double low, double high) {
        std::uniform_real_distribution<double> f(low, high);
        return std::max(1, static_cast<int>(nominal * f(m_rng) + 0.5));
    }

private:
    std::mt19937 m_rng;
};

// ---- I2C ------------------------------------------------------------------

struct I2CTiming {
    int high = 47;       // SCL high, samples
    int low = 47;        // SCL low, samples
    int setup = 60;      // SCL high before a start's SDA fall, and before a stop's SDA rise
    int hold = 50;       // SCL high after a start's SDA fall
    double spread = 0.3; // high and low drawn within +-spread of nominal (1.0..1+spread after an ACK)
};

class I2CWriter {
public:
    I2CWriter(LogicTrace& t, const I2CTiming& timing, unsigned seed) : m_t(t), m_timing(timing), m_jitter(seed) {}

    void Idle(int samples) {
        m_t.clockLevel = 1;
        m_t.dataLevel = 1;
        m_t.Hold(samples);
    }
    void Start() {
        Idle(m_timing.setup);
        m_t.dataLevel = 0;
        m_t.Hold(m_timing.hold);
        m_afterAck = false;
    }
    // SCL falls, SDA released high during the low, SCL rises, SDA falls.
    void RepeatedStart() {
        Low(1);
        m_t.clockLevel = 1;
        m_t.Hold(m_timing.setup);
        m_t.dataLevel = 0;
        m_t.Hold(m_timing.hold);
        m_afterAck = false;
    }
    // Eight bits, first the most significant, then the acknowledge level.
    void Byte(unsigned value, bool ack) {
        for (int i = 7; i >= 0; --i)
            Bit((value >> i) & 1);
        Bit(ack ? 0 : 1);
        m_afterAck = true;
    }
    void Stop() {
        Low(0);
        m_t.clockLevel = 1;
        m_t.Hold(m_timing.setup);
        m_t.dataLevel = 1;
        m_t.Hold(m_timing.setup);
    }

private:
    // SCL low for one low time; SDA takes its level in the middle of it.
    void Low(int sda) {
        const int low = m_afterAck ? m_jitter.Around(m_timing.low, 1.0, 1.0 + m_timing.spread)
                                   : m_jitter.Around(m_timing.low, 1.0 - m_timing.spread, 1.0 + m_timing.spread);
        m_afterAck = false;
        m_t.clockLevel = 0;
        m_t.Hold(low / 2);
        m_t.dataLevel = sda;
        m_t.Hold(low - low / 2);
    }
    void Bit(int sda) {
        Low(sda);
        m_t.clockLevel = 1;
        m_t.Hold(m_jitter.Around(m_timing.high, 1.0 - m_timing.spread, 1.0 + m_timing.spread));
    }

    LogicTrace& m_t;
    I2CTiming m_timing;
    Jitter m_jitter;
    bool m_afterAck = false;
};

// ---- SPI ------------------------------------------------------------------

struct SPITiming {
    int half = 9;        // clock high and low, samples
    int idle = 40;       // idle clock between words
    double spread = 0.3; // each half drawn within +-spread of nominal
};

// One word per frame, first bit most significant. The data line changes in
// the middle of the half periods whose closing edge is not the sampling edge.
inline void SPIWord(LogicTrace& t, unsigned long long value, int bits, int cpol, int cpha, const SPITiming& timing,
                    Jitter& jitter) {
    const int idleLevel = cpol;
    t.clockLevel = idleLevel;
    auto bit = [&](int i) { return static_cast<int>((value >> (bits - 1 - i)) & 1u); };
    // Idle, with the first bit set half-way when it is sampled on the leading edge.
    t.Hold(timing.idle / 2);
    if (cpha == 0) t.dataLevel = bit(0);
    t.Hold(timing.idle - timing.idle / 2);
    for (int i = 0; i < bits; ++i) {
        const int lead = jitter.Around(timing.half, 1.0 - timing.spread, 1.0 + timing.spread);
        const int trail = jitter.Around(timing.half, 1.0 - timing.spread, 1.0 + timing.spread);
        t.clockLevel = 1 - idleLevel; // leading edge
        t.Hold(lead / 2);
        if (cpha == 1) t.dataLevel = bit(i);
        t.Hold(lead - lead / 2);
        if (i + 1 == bits && cpha == 0) {
            t.clockLevel = idleLevel;
            break;
        }
        t.clockLevel = idleLevel; // trailing edge
        t.Hold(trail / 2);
        if (cpha == 0 && i + 1 < bits) t.dataLevel = bit(i + 1);
        t.Hold(trail - trail / 2);
    }
    t.clockLevel = idleLevel;
}

} // namespace bustraffic
