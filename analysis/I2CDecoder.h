#pragma once
// CI2CDecoder: reads I2C frames from an SCL record and an SDA record. A
// frame begins at a start condition (SDA falling while SCL is high, with the
// set-up and hold times met), carries an address field and data fields, each
// followed by an acknowledge clock, and ends at a stop condition or a
// repeated start. Clock-high and clock-low times are checked against Time1
// and Time2 (+-40 %); the clock-low time after an acknowledge must reach 95 %
// of Time2.
#include "analysis/BusDecoder.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

class CI2CDecoder : public CBusDecoder {
public:
    // Status texts (shown in this form in both languages).
    static constexpr const char* kNoStartCondition = "没有满足的开始条件";
    static constexpr const char* kNoBusSignal = "没有符合条件的总线信号";
    static constexpr const char* kLowLevelError = "低电平错误";
    static constexpr const char* kHighLevelError = "高电平错误";
    static constexpr const char* kWaitLowLevelError = "Wait低电平错误";

    CI2CDecoder();

    void SetAddressBits(int bits) { m_addressBits = std::clamp(bits, 1, kMaxBits - 1); }
    int GetAddressBits() const { return m_addressBits; }
    // Start hold: SCL high after SDA falls at a start condition.
    void SetStartHoldTime(const std::string& text) { m_startHold = text; }
    const std::string& GetStartHoldTime() const { return m_startHold; }
    // Expected address kind (I2CAddressType); 3 and 5 accept every address.
    void SetAddressType(int type) { m_addressType = type; }
    int GetAddressType() const { return m_addressType; }

    bool DecodeFrame(const std::uint8_t* clock, int length, const std::uint8_t* data) override;
    int Decode(const std::uint8_t* clock, int length, const std::uint8_t* data) override;

private:
    // One SCL pulse: its rising edge, the falling crossing before it and the
    // one after it (the record length when the record ends high), and the
    // index of the first crossing after that one.
    struct ClockPulse {
        BusTransition rise;
        int previousFall = 0;
        int nextFall = 0;
        std::size_t afterNextFall = 0;
    };
    enum class FieldEnd { Complete, Stop, RepeatedStart, Failed, RecordEnd };

    bool ClockHighOver(int from, int to) const;
    bool StartConditionHolds(const BusTransition& sdaFall) const;
    // First sample of a frame after an SDA fall: past the hold time, then on
    // while SCL stays high.
    int FrameStartAfter(const BusTransition& sdaFall) const;
    // The first pulse rising after position. Pulses are read one after the
    // other from the end of the one before, so the search starts from the
    // crossing after the last pulse's falling one.
    std::optional<ClockPulse> NextClockPulse(int position);
    // An SDA edge while SCL is high inside the pulse.
    std::optional<BusTransition> DataEdgeWhileHigh(const ClockPulse& pulse) const;
    int MajorityBit(const BusTransition& window) const;
    bool CheckLowTime(const ClockPulse& pulse, bool afterAck);
    FieldEnd ReadField(BusField& field, int bitCount, bool afterAck, int& position);
    FieldEnd ReadAcknowledge(BusField& field, int& position);
    bool TenBitContinues(const std::vector<int>& address, bool afterRepeatedStart) const;
    FieldEnd EndAtDataEdge(const ClockPulse& pulse, const BusTransition& edge, int& position);

    int m_addressBits = 7;
    std::string m_startHold = "4.0us";
    std::int64_t m_startHoldNs = 0;  // m_startHold parsed when a decode begins
    int m_addressType = kAddrSimple;
    std::size_t m_afterLastPulse = 0;  // afterNextFall of the last pulse read
    // Frame reader bookkeeping.
    bool m_firstFieldIsAddress = true;
    bool m_tenBitSecondPending = false;
    bool m_repeatedStart = false;      // the last frame ended at a repeated start
    std::vector<int> m_tenBitPrefix;    // ten-bit prefix of the last frame, without R/W
};
