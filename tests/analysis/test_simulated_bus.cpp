// Bus records rendered by the simulated instrument, swinging across the
// screen's centre line, must decode: the decoders read signed counts, so a
// logic low below the centre line is a low and not a folded high.
#include "analysis/BusLevels.h"
#include "analysis/I2CDecoder.h"
#include "analysis/SPIDecoder.h"
#include "sim/SignalRenderer.h"
#include "sim/SignalSource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SignalSpec Parse(const std::string& text) {
    SignalSpec wave;
    std::string error;
    EXPECT_EQ(ParseSignalSpec(text, &wave, &error), 1) << error;
    return wave;
}

struct BusRecords {
    std::vector<std::uint8_t> data, clock;  // CH1 carries the data line, CH2 the clock
};

// 3200 samples over 16 divisions (200 per division) at 500 mV/div, triggered
// on the falling data edge of the start condition.
BusRecords Render(const SignalSpec& bus, double secondsPerDiv) {
    ChannelFrontEnd frontEnd;
    frontEnd.voltsPerDiv = 0.5;
    AcquisitionTiming timing;
    timing.secondsPerDiv = secondsPerDiv;
    timing.gridDivisions = 16.0;
    timing.recordLength = 3200;
    timing.trigger.sourceChannel = 1;
    timing.trigger.risingSlope = false;
    timing.triggerOffsetDiv = -6.0;
    const SignalSpec none = Parse("none");
    return {RenderChannel(bus, none, 1, frontEnd, timing), RenderChannel(bus, none, 2, frontEnd, timing)};
}

std::vector<std::string> HexFields(const CBusDecoder& decoder) {
    std::vector<std::string> fields;
    for (const BusField& field : decoder.Results())
        if (!field.bits.empty()) fields.push_back(FormatFieldValue(field.BitValues(), kBaseHex));
    return fields;
}

bool SwingsAcrossCentre(const std::vector<std::uint8_t>& record) {
    bool below = false, above = false;
    for (std::uint8_t byte : record) {
        below |= static_cast<std::int8_t>(byte) < -20;
        above |= static_cast<std::int8_t>(byte) > 20;
    }
    return below && above;
}

}  // namespace

TEST(SimulatedBus, I2cWriteDecodesAddressAndData) {
    const BusRecords records = Render(Parse("i2c:100k:addr=0x50:data=01,02"), 20e-6);
    ASSERT_EQ(records.data.size(), 3200u);
    EXPECT_TRUE(SwingsAcrossCentre(records.data));
    EXPECT_TRUE(SwingsAcrossCentre(records.clock));

    CI2CDecoder decoder;
    decoder.SetTime1("5.0us");
    decoder.SetTime2("5.0us");
    decoder.SetTimePerDivision(20e3);
    decoder.Decode(records.clock.data(), 3200, records.data.data());
    const std::vector<std::string> fields = HexFields(decoder);
    ASSERT_GE(fields.size(), 3u) << decoder.Status();
    EXPECT_EQ(fields[0], "A0");  // address 0x50, write
    EXPECT_EQ(fields[1], "1");
    EXPECT_EQ(fields[2], "2");
}

TEST(SimulatedBus, SpiWordsDecodeInMode1) {
    const BusRecords records = Render(Parse("spi:5M:mode=1:data=A5,3C"), 400e-9);
    EXPECT_TRUE(SwingsAcrossCentre(records.clock));

    CSPIDecoder decoder;
    decoder.SetCPOL("0");
    decoder.SetCPHA("1");
    decoder.SetTime1("100ns");
    decoder.SetTime2("100ns");
    decoder.SetTimePerDivision(400);
    decoder.Decode(records.clock.data(), 3200, records.data.data());
    const std::vector<std::string> fields = HexFields(decoder);
    ASSERT_GE(fields.size(), 2u) << decoder.Status();
    EXPECT_EQ(fields[0], "A5");
    EXPECT_EQ(fields[1], "3C");
}
