#include "docs/BusAnalysisData.h"

#include <algorithm>
#include <optional>

std::array<std::string, 2> CBusAnalysisData::LineNamesOf(const std::string& busName) {
    if (busName == "SPI") return {"DATA", "CLK"};
    return {"SDA", "SCL"};
}

void CBusAnalysisData::SetBusName(const std::string& name) {
    busName = name == "SPI" ? "SPI" : "I2C";
    lineNames = LineNamesOf(busName);
}

int CBusAnalysisData::DataChannel() const {
    const std::string dataLine = LineNamesOf(busName)[0];
    return lineNames[0] != dataLine && lineNames[1] == dataLine ? 1 : 0;
}

void CBusAnalysisData::TakeRecords(const std::uint8_t* record1, const std::uint8_t* record2, int length) {
    length = std::max(length, 0);
    for (auto [record, copy] : {std::pair{record1, &ch1}, std::pair{record2, &ch2}}) {
        copy->assign(static_cast<std::size_t>(length), 0);
        if (record) std::copy(record, record + length, copy->begin());
    }
}

void CBusAnalysisData::Configure(int samplesPerDivision) {
    CBusDecoder& d = IsSPI() ? static_cast<CBusDecoder&>(m_spi) : m_i2c;
    d.SetBits(bits);
    d.SetTimePerDivision(timeBase);
    d.SetSamplesPerDivision(samplesPerDivision);
    if (IsSPI()) {
        m_spi.SetTime1(spi.highPulse);
        m_spi.SetTime2(spi.lowPulse);
        m_spi.SetTime5(spi.startBuild);
        m_spi.SetCPOL(spi.cpol);
        m_spi.SetCPHA(spi.cpha);
        const std::optional<int> band = CustomThresholds() ? std::optional<int>(spi.threshold) : std::nullopt;
        m_spi.SetBandOffset(band);
        return;
    }
    m_i2c.SetTime1(i2c.highPulse);
    m_i2c.SetTime2(i2c.lowPulse);
    m_i2c.SetTime5(i2c.startBuild);
    m_i2c.SetStartHoldTime(i2c.startKeep);
    m_i2c.SetTime6(i2c.stopTime);
    m_i2c.SetAddressBits(i2c.addressBits);
    m_i2c.SetAddressType(i2c.addressType);
    if (CustomThresholds())
        m_i2c.SetBandOffsets(i2c.thresholds[0], i2c.thresholds[1]);
    else
        m_i2c.SetBandOffset(std::nullopt);
}

int CBusAnalysisData::Decode(int samplesPerDivision) {
    Configure(samplesPerDivision);
    const int data = DataChannel();
    const std::vector<std::uint8_t>& dataRecord = data == 0 ? ch1 : ch2;
    const std::vector<std::uint8_t>& clockRecord = data == 0 ? ch2 : ch1;
    const int length = static_cast<int>(std::min(dataRecord.size(), clockRecord.size()));
    CBusDecoder& d = IsSPI() ? static_cast<CBusDecoder&>(m_spi) : m_i2c;
    return d.Decode(clockRecord.data(), length, dataRecord.data());
}

const CBusDecoder& CBusAnalysisData::Decoder() const {
    return IsSPI() ? static_cast<const CBusDecoder&>(m_spi) : m_i2c;
}
