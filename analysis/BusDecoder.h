#pragma once
// CBusDecoder: the common part of the I2C and SPI decoders. A decoder holds
// its settings (bits per field, timing texts), turns a clock record and a
// data record into a list of decoded fields, and keeps a status text that
// says why the last decode failed.
#include "analysis/BusLevels.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One bit of a field: its value, the sample where its clock edge starts and
// the width of that edge in samples plus 20 (so the bit is visible when
// drawn).
struct BusBit {
    int value = 0;
    int start = 0;
    int width = 0;
};

// One decoded field: "Addr:", "Data:" or "Stop".
struct BusField {
    std::string label;
    std::vector<BusBit> bits;
    int ack = -1;  // wire level of the acknowledge bit (0 = acknowledged), -1 when none
    int start = 0; // first sample of the field
    int width = 0; // samples covered

    std::vector<int> BitValues() const;
};

class CBusDecoder {
public:
    static constexpr int kTimeCount = 6;
    static constexpr int kMaxBits = 32;
    static constexpr int kDefaultSamplesPerDivision = 200;

    CBusDecoder();
    virtual ~CBusDecoder() = default;

    // Bits per data field, held within 1..32.
    virtual void SetBits(int bits);
    virtual void SetTime1(const std::string& text) { m_times[0] = text; }
    virtual void SetTime2(const std::string& text) { m_times[1] = text; }
    virtual void SetTime3(const std::string& text) { m_times[2] = text; }
    virtual void SetTime4(const std::string& text) { m_times[3] = text; }
    virtual void SetTime5(const std::string& text) { m_times[4] = text; }
    virtual void SetTime6(const std::string& text) { m_times[5] = text; }
    virtual int GetBits() const { return m_bits; }
    virtual std::string GetTime1() const { return m_times[0]; }
    virtual std::string GetTime2() const { return m_times[1]; }
    virtual std::string GetTime3() const { return m_times[2]; }
    virtual std::string GetTime4() const { return m_times[3]; }
    virtual std::string GetTime5() const { return m_times[4]; }
    virtual std::string GetTime6() const { return m_times[5]; }
    // Reads one frame from the current scan position; true when one was read.
    virtual bool DecodeFrame(const std::uint8_t* clock, int length, const std::uint8_t* data) = 0;
    // Scans the whole record; 1 when the scan ended normally, 0 on an error
    // (the status text says which).
    virtual int Decode(const std::uint8_t* clock, int length, const std::uint8_t* data) = 0;

    // Time per division of the records, in nanoseconds (ignored unless > 0),
    // and the samples one division holds (ignored unless > 0). A run of k
    // samples lasts k * time per division / samples per division.
    void SetTimePerDivision(double ns);
    double TimePerDivision() const { return m_timePerDivision; }
    void SetSamplesPerDivision(int samples);
    int SamplesPerDivision() const { return m_samplesPerDivision; }
    // Band offset a of the transition levels (10 % = 60 - a, 90 % = 140 - a)
    // of the clock and the data line; nothing takes the levels from each
    // record's own swing (SetTransitionLevels).
    void SetBandOffset(std::optional<int> offset) { m_clockBand = m_dataBand = offset; }
    void SetBandOffsets(std::optional<int> clock, std::optional<int> data) {
        m_clockBand = clock;
        m_dataBand = data;
    }
    std::optional<int> ClockBandOffset() const { return m_clockBand; }
    std::optional<int> DataBandOffset() const { return m_dataBand; }

    const std::vector<BusField>& Results() const { return m_results; }
    const std::string& Status() const { return m_status; }
    int Position() const { return m_position; }
    int FrameCount() const { return m_frameCount; }

protected:
    // Duration of a run of samples, and the samples a duration spans
    // (rounded up).
    double SamplesToNs(int samples) const;
    int NsToSamples(std::int64_t ns) const;
    // Time setting index in nanoseconds, as read when the decode began.
    std::int64_t TimeNs(int index) const { return m_timeNs[index]; }
    // Whether a run of samples (not negative) lasts time setting index
    // +-40 % (PulseWithinTolerance), or at least 95 % of it
    // (PulseAtLeastNearly), its duration taken as SamplesToNs gives it.
    bool RunWithinTolerance(int samples, int index) const { return m_within[index].Holds(samples); }
    bool RunAtLeastNearly(int samples, int index) const { return m_nearly[index].Holds(samples); }
    // Reads both records in place and resets the result, position and frame
    // count. False when either record is missing or length is not positive.
    bool BeginDecode(const std::uint8_t* clock, int length, const std::uint8_t* data);
    // Whether these are the records the decode began with.
    bool ReadingRecords(const std::uint8_t* clock, int length, const std::uint8_t* data) const;

    int m_bits = 8;
    std::array<std::string, kTimeCount> m_times;
    std::array<std::int64_t, kTimeCount> m_timeNs{};  // m_times parsed by BeginDecode
    // The run lengths, in samples, that the pulse rules accept for each time
    // setting: a duration grows with the samples of its run, so they form
    // one range, found once per decode instead of timing every run.
    struct SampleRange {
        std::int64_t least = 0;
        std::int64_t most = -1;
        bool Holds(int samples) const { return samples >= least && samples <= most; }
    };
    std::array<SampleRange, kTimeCount> m_within{};
    std::array<SampleRange, kTimeCount> m_nearly{};
    std::vector<BusField> m_results;
    int m_position = 0;
    int m_frameCount = 0;
    std::string m_status;
    double m_timePerDivision = 1000.0;
    int m_samplesPerDivision = kDefaultSamplesPerDivision;
    std::optional<int> m_clockBand = kDefaultBandOffset;
    std::optional<int> m_dataBand = kDefaultBandOffset;
    BusSignal m_clock;  // the records of the decode, read in place
    BusSignal m_data;

private:
    // The fewest samples, 0 .. INT_MAX, whose duration reaches ns (or
    // exceeds it, when strictly); INT_MAX + 1 when no run does.
    std::int64_t FewestSamplesReaching(double ns, bool strictly) const;
    void FindRunRanges();
};
