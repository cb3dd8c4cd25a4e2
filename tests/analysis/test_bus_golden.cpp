// Our I2C and SPI decoders against sigrok-cli on the same traffic. Each case
// lays out a few frames with jittered clock times and ramped edges, renders
// them as channel records for our decoder and as raw logic for sigrok-cli,
// and both decodes must agree on every address, data word and acknowledge.
// sigrok-cli is a test dependency (scripts/deps.sh): without it these tests
// fail, they do not skip.
#include "BusTraffic.h"

#include "analysis/BusLevels.h"
#include "analysis/I2CDecoder.h"
#include "analysis/SPIDecoder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace bustraffic;

bool HaveSigrok() {
    return std::system("sigrok-cli --version >/dev/null 2>&1") == 0;
}

// Runs sigrok-cli on the records and returns its annotation lines without
// the decoder prefix ("i2c-1: ").
std::vector<std::string> SigrokDecode(const AnalogRecords& records, const std::string& decoder,
                                      const std::string& annotations) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("qv_bus_golden_" + std::to_string(::getpid()) + ".bin");
    {
        std::ofstream out(path, std::ios::binary);
        const std::string bytes = ToSigrokBinary(records);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string command = "sigrok-cli -I binary:numchannels=2:samplerate=10000000 -i '" + path.string() +
                                "' -P " + decoder + " -A " + annotations + " 2>&1";
    std::vector<std::string> lines;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            std::string line(buffer);
            while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
                line.pop_back();
            const auto colon = line.find(": ");
            lines.push_back(colon == std::string::npos ? line : line.substr(colon + 2));
        }
        ::pclose(pipe);
    }
    std::filesystem::remove(path);
    return lines;
}

// One transfer unit as both sides report it: "A" address or "D" data, the
// value in hex, and for I2C the acknowledge.
std::string Token(const char* kind, unsigned long long value, const char* ack) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %llX%s", kind, value, ack);
    return text;
}

unsigned long long Value(const BusField& field) {
    unsigned long long v = 0;
    for (const BusBit& b : field.bits)
        v = (v << 1) | static_cast<unsigned>(b.value);
    return v;
}

std::vector<std::string> SigrokI2C(const AnalogRecords& records) {
    std::vector<std::string> tokens;
    for (const std::string& line : SigrokDecode(records, "i2c:scl=0:sda=1:address_format=unshifted", "i2c=addr-data")) {
        unsigned value = 0;
        char kind[16] = {0};
        if (std::sscanf(line.c_str(), "Address %15[a-z]: %X", kind, &value) == 2)
            tokens.push_back(Token("A", value, ""));
        else if (std::sscanf(line.c_str(), "Data %15[a-z]: %X", kind, &value) == 2)
            tokens.push_back(Token("D", value, ""));
        else if ((line == "ACK" || line == "NACK") && !tokens.empty())
            tokens.back() += line == "ACK" ? " ACK" : " NAK";
        else if (line == "Stop")
            tokens.push_back("P");
    }
    return tokens;
}

// Our fields in the same tokens. The second byte of a ten-bit address is an
// "Addr:" field here and a data byte to sigrok, which knows no ten-bit
// addresses: it is compared as data.
std::vector<std::string> OurI2C(const CI2CDecoder& decoder) {
    std::vector<std::string> tokens;
    bool tenBitPrefix = false;
    for (const BusField& f : decoder.Results()) {
        if (f.label == "Stop") {
            tokens.push_back("P");
            tenBitPrefix = false;
            continue;
        }
        const bool address = f.label == "Addr:" && !tenBitPrefix;
        tenBitPrefix = address && ClassifyAddress(f.BitValues()) == kAddrTenBit &&
                       decoder.GetAddressType() == kAddrTenBit;
        tokens.push_back(Token(address ? "A" : "D", Value(f), f.ack == 0 ? " ACK" : " NAK"));
    }
    return tokens;
}

struct I2CCase {
    const char* name;
    int nsPerSample;
    I2CTiming timing;
    int edge;
    const char* time1; // clock high
    const char* time2; // clock low
    const char* setup; // start set-up, start hold and stop times
    int addressType;
    void (*traffic)(I2CWriter&);
};

void SevenBitTraffic(I2CWriter& w) {
    w.Start(); // write 0x50: register 0x10, two bytes
    w.Byte(0x50 << 1, true);
    w.Byte(0x10, true);
    w.Byte(0xA5, true);
    w.Byte(0x3C, true);
    w.Stop();
    w.Idle(300);
    w.Start(); // register pointer, then a repeated start and a read ending in NACK
    w.Byte(0x68 << 1, true);
    w.Byte(0x75, true);
    w.RepeatedStart();
    w.Byte((0x68 << 1) | 1, true);
    w.Byte(0x68, true);
    w.Byte(0xFF, false);
    w.Stop();
    w.Idle(200);
    w.Start(); // nobody answers
    w.Byte(0x21 << 1, false);
    w.Stop();
    w.Idle(100);
}

void TenBitTraffic(I2CWriter& w) {
    // Write to 0x2A5 (prefix 11110 10), then a combined read from it.
    w.Start();
    w.Byte(0xF4, true);
    w.Byte(0xA5, true);
    w.Byte(0x01, true);
    w.Stop();
    w.Idle(250);
    w.Start();
    w.Byte(0xF4, true);
    w.Byte(0xA5, true);
    w.RepeatedStart();
    w.Byte(0xF5, true);
    w.Byte(0x5A, true);
    w.Byte(0x00, false);
    w.Stop();
    w.Idle(100);
}

class I2CGolden : public testing::TestWithParam<I2CCase> {};

TEST_P(I2CGolden, AgreesWithSigrok) {
    ASSERT_TRUE(HaveSigrok()) << "sigrok-cli is missing: install the Debian package sigrok-cli (scripts/deps.sh)";
    const I2CCase& c = GetParam();
    LogicTrace trace;
    I2CWriter writer(trace, c.timing, 7);
    c.traffic(writer);
    const AnalogRecords records = Render(trace, c.edge);

    CI2CDecoder decoder;
    decoder.SetTime1(c.time1);
    decoder.SetTime2(c.time2);
    decoder.SetTime5(c.setup);
    decoder.SetStartHoldTime(c.setup);
    decoder.SetTime6(c.setup);
    decoder.SetAddressType(c.addressType);
    decoder.SetTimePerDivision(c.nsPerSample * 200.0);
    ASSERT_EQ(decoder.Decode(records.clock.data(), trace.Length(), records.data.data()), 1) << decoder.Status();

    const std::vector<std::string> sigrok = SigrokI2C(records);
    ASSERT_GE(sigrok.size(), 8u) << "sigrok-cli decoded almost nothing";
    EXPECT_EQ(OurI2C(decoder), sigrok);
}

INSTANTIATE_TEST_SUITE_P(
    Traffic, I2CGolden,
    testing::Values(
        // 100 kHz at 100 ns per sample, one-sample and five-sample edges.
        I2CCase{"StandardSharp", 100, {47, 40, 60, 50, 0.3}, 1, "4.7us", "4.0us", "4.7us", kAddrSimple, SevenBitTraffic},
        I2CCase{"StandardSlow", 100, {47, 40, 60, 50, 0.3}, 5, "4.7us", "4.0us", "4.7us", kAddrSimple, SevenBitTraffic},
        // 400 kHz at 20 ns per sample.
        I2CCase{"Fast", 20, {32, 66, 40, 35, 0.25}, 3, "0.6us", "1.3us", "0.6us", kAddrSimple, SevenBitTraffic},
        I2CCase{"TenBit", 100, {47, 40, 60, 50, 0.3}, 2, "4.7us", "4.0us", "4.7us", kAddrTenBit, TenBitTraffic}),
    [](const testing::TestParamInfo<I2CCase>& info) { return std::string(info.param.name); });

TEST(I2CGolden, TenBitReadAfterRepeatedStartHasNoSecondAddressByte) {
    LogicTrace trace;
    I2CWriter writer(trace, {47, 40, 60, 50, 0.3}, 3);
    TenBitTraffic(writer);
    const AnalogRecords records = Render(trace, 2);
    CI2CDecoder decoder;
    decoder.SetTime1("4.7us");
    decoder.SetAddressType(kAddrTenBit);
    decoder.SetTimePerDivision(100 * 200.0);
    ASSERT_EQ(decoder.Decode(records.clock.data(), trace.Length(), records.data.data()), 1) << decoder.Status();
    std::vector<std::string> labels;
    for (const BusField& f : decoder.Results())
        labels.push_back(f.label + (f.bits.empty() ? "" : FormatFieldValue(f.BitValues(), kBaseHex)));
    EXPECT_EQ(labels, (std::vector<std::string>{"Addr:F4", "Addr:A5", "Data:1", "Stop", "Addr:F4", "Addr:A5",
                                                "Addr:F5", "Data:5A", "Data:0", "Stop"}));
    EXPECT_EQ(decoder.FrameCount(), 3);
}

struct SPICase {
    int mode;
    int bits;
};

class SPIGolden : public testing::TestWithParam<SPICase> {};

TEST_P(SPIGolden, AgreesWithSigrok) {
    ASSERT_TRUE(HaveSigrok()) << "sigrok-cli is missing: install the Debian package sigrok-cli (scripts/deps.sh)";
    const auto [mode, bits] = GetParam();
    const int cpol = mode / 2, cpha = mode % 2;
    const unsigned long long words[] = {0xA5C3F00F5AA5E7ULL, 0x123456789ABCDEFULL, 0xFEDCBA9876543210ULL,
                                        0x8000000000000001ULL};
    const unsigned long long mask = bits == 64 ? ~0ULL : (1ULL << bits) - 1;
    LogicTrace trace;
    trace.dataLevel = 0;
    Jitter jitter(static_cast<unsigned>(mode * 100 + bits));
    const SPITiming timing{9, 40, 0.25};
    for (unsigned long long w : words)
        SPIWord(trace, w & mask, bits, cpol, cpha, timing, jitter);
    trace.Hold(60);
    const AnalogRecords records = Render(trace, 1 + mode % 3);

    CSPIDecoder decoder;
    decoder.SetCPOL(std::to_string(cpol));
    decoder.SetCPHA(std::to_string(cpha));
    decoder.SetBits(bits);
    decoder.SetTimePerDivision(10 * 200.0); // 10 ns per sample; Time1 = Time2 = 90 ns
    ASSERT_EQ(decoder.Decode(records.clock.data(), trace.Length(), records.data.data()), 1);
    std::vector<std::string> ours;
    for (const BusField& f : decoder.Results())
        ours.push_back(Token("D", Value(f), ""));

    std::ostringstream decoderOptions;
    decoderOptions << "spi:clk=0:mosi=1:cpol=" << cpol << ":cpha=" << cpha << ":wordsize=" << bits;
    std::vector<std::string> sigrok;
    for (const std::string& line : SigrokDecode(records, decoderOptions.str(), "spi=mosi-data")) {
        unsigned long long value = 0;
        if (std::sscanf(line.c_str(), "%llX", &value) == 1) sigrok.push_back(Token("D", value, ""));
    }
    ASSERT_EQ(sigrok.size(), std::size(words)) << "sigrok-cli: " << (sigrok.empty() ? "" : sigrok[0]);
    EXPECT_EQ(ours, sigrok);
}

INSTANTIATE_TEST_SUITE_P(AllModes, SPIGolden,
                         testing::Values(SPICase{0, 8}, SPICase{1, 8}, SPICase{2, 8}, SPICase{3, 8}, SPICase{0, 16},
                                         SPICase{1, 16}, SPICase{2, 16}, SPICase{3, 16}, SPICase{0, 32},
                                         SPICase{1, 32}, SPICase{2, 32}, SPICase{3, 32}),
                         [](const testing::TestParamInfo<SPICase>& info) {
                             return "Mode" + std::to_string(info.param.mode) + "Bits" +
                                    std::to_string(info.param.bits);
                         });

} // namespace
