#pragma once
// What a bus analysis window holds and stores: the two channel record copies
// (the input display's), the bus settings and colours of the analysis
// display, the two decoders, and the window's own values. The view draws it;
// CBusFile reads and writes it (".bus", workspace records).
#include "analysis/I2CDecoder.h"
#include "analysis/SPIDecoder.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Colours as COLORREF (0x00BBGGRR), the drawing areas in file order.
enum BusColourArea : int { kBusBack = 0, kBusCH1 = 1, kBusCH2 = 2, kBusRes1 = 3, kBusRes2 = 4, kBusColourCount = 5 };

// Timing texts of one bus as the decoders take them ("4.7us").
struct I2CBusSettings {
    std::string highPulse = "4.0us";
    std::string lowPulse = "4.7us";
    std::string startBuild = "4.7us";
    std::string startKeep = "4.0us";
    std::string stopTime = "4.0us";
    std::int32_t addressBits = 7;
    std::int32_t addressType = kAddrSimple;
    std::array<std::int32_t, 2> thresholds{kDefaultBandOffset, kDefaultBandOffset}; // clock, data
};

struct SPIBusSettings {
    std::string cpha = "1";
    std::string cpol = "0";
    std::string highPulse = "90ns";
    std::string lowPulse = "90ns";
    std::string startBuild = "250ns";
    std::int32_t threshold = kDefaultBandOffset;
};

class CBusAnalysisData {
public:
    // Window values (stored in this order; the unnamed ones as held).
    QRect frameRect;
    float timeBase = 0;        // ns per division of the last transfer
    float viewFloats[2] = {0, 0};
    std::int32_t viewInt = 0;
    double viewDoubles[2] = {0, 0};
    std::uint32_t viewWords[4] = {0, 0, 0, 0};
    double viewDoubles2[2] = {0, 0};
    std::int32_t viewInt2 = 0;

    // Input display: the CH1 and CH2 record copies.
    std::vector<std::uint8_t> ch1, ch2;

    // Analysis display.
    float displayFloat = 0;
    float channelFloats[2] = {10000.0f, 10000.0f};
    std::uint32_t secondAreaColour = 0;
    std::array<std::uint32_t, kBusColourCount> colours{0x000000, 0x00FFFF, 0xCECE00, 0x0000FF, 0xFFFF00};
    // Display values: the two per-channel values, the threshold area (0
    // default: levels from each record's swing, 1 custom: the thresholds as
    // band offsets), two spare.
    std::array<std::int32_t, 5> displayInts{0, 0, 0, 0, 0};
    double displayDoubles[2] = {0, 0};
    std::string busName = "I2C";
    std::array<std::string, 2> lineNames{"SDA", "SCL"}; // line shown on CH1, on CH2
    std::int32_t bits = 8;
    std::int32_t numberBase = kBaseHex;
    std::string numberBaseName = "Hex";
    I2CBusSettings i2c;
    SPIBusSettings spi;

    // Settings panel: the open tab.
    std::int32_t panelTab = 0;

    bool IsSPI() const { return busName == "SPI"; }
    bool CustomThresholds() const { return displayInts[2] != 0; }
    // The line names of a bus type: "SDA", "SCL" or "DATA", "CLK".
    static std::array<std::string, 2> LineNamesOf(const std::string& busName);
    // Switches the bus type and puts its line names on CH1 and CH2.
    void SetBusName(const std::string& name);
    // 0 when CH1 carries the data line, 1 when CH2 does (CH1 unless only CH2
    // is set to it).
    int DataChannel() const;

    // Copies both records (length bytes each; a null record reads as zeros).
    void TakeRecords(const std::uint8_t* record1, const std::uint8_t* record2, int length);
    // Decodes the records as the chosen bus with samplesPerDivision samples
    // in each division of timeBase. 1 on success, 0 with the decoder's status
    // text on failure.
    int Decode(int samplesPerDivision);
    const CBusDecoder& Decoder() const;
    CI2CDecoder& I2C() { return m_i2c; }
    CSPIDecoder& SPI() { return m_spi; }

private:
    void Configure(int samplesPerDivision);

    CI2CDecoder m_i2c;
    CSPIDecoder m_spi;
};
