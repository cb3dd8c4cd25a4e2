#pragma once
// CSPIDecoder: reads SPI fields from a CLK record and a DATA record. The
// clock pattern of each frame is checked run by run against the clock-high
// (Time1) and clock-low (Time2) times; the field value is then sampled on
// the clock edge that CPOL and CPHA select.
#include "analysis/BusDecoder.h"

#include <string>

class CSPIDecoder : public CBusDecoder {
public:
    CSPIDecoder();

    // "0" or "1"; any other text reads as "0".
    void SetCPOL(const std::string& text) { m_cpol = text == "1" ? "1" : "0"; }
    void SetCPHA(const std::string& text) { m_cpha = text == "1" ? "1" : "0"; }
    const std::string& GetCPOL() const { return m_cpol; }
    const std::string& GetCPHA() const { return m_cpha; }

    bool DecodeFrame(const std::uint8_t* clock, int length, const std::uint8_t* data) override;
    int Decode(const std::uint8_t* clock, int length, const std::uint8_t* data) override;

private:
    bool IdleLow() const { return m_cpol == "0"; }
    // Counts the run of clock samples at the level from position on and
    // advances past it; true when the run lasts the level's time +-40 %.
    bool ReadClockRun(int& position, bool high) const;
    bool IdleBefore(int crossing, int samples) const;
    // Samples the field value from the data-read position and appends it.
    void ReadFieldValue();

    std::string m_cpol = "0";
    std::string m_cpha = "1";
    int m_dataRead = 0;
};
