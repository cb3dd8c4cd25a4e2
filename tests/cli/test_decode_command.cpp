// quorvex-cli decode, run as a separate process: on records written to files
// and on a record captured from the simulated instrument.
#include "analysis/BusTraffic.h"
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
namespace fs = std::filesystem;
using namespace bustraffic;

CliRun RunCli(const std::string& arguments) { return RunCliLine(arguments); }

class DecodeCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qv-decode-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    // Writes the records and returns "--data D --clock C".
    std::string Files(const std::vector<std::uint8_t>& data, const std::vector<std::uint8_t>& clock) const {
        std::ofstream(dir / "data.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        std::ofstream(dir / "clock.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(clock.data()), static_cast<std::streamsize>(clock.size()));
        return "--data '" + (dir / "data.bin").string() + "' --clock '" + (dir / "clock.bin").string() + "'";
    }

    fs::path dir;
};

} // namespace

TEST_F(DecodeCommand, PrintsFieldsOfRecordFiles) {
    LogicTrace trace;
    I2CWriter w(trace, {47, 40, 60, 50, 0.3}, 11);
    w.Start();
    w.Byte(0x50 << 1, true);
    w.Byte(0xA5, true);
    w.RepeatedStart();
    w.Byte((0x50 << 1) | 1, true);
    w.Byte(0x05, false);
    w.Stop();
    w.Idle(50);
    const AnalogRecords r = Render(trace, 3);
    const std::string files = Files(r.data, r.clock);

    CliRun run = RunCli("decode i2c " + files + " --tdiv 20000");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Addr: A0 ACK\nData: A5 ACK\nAddr: A1 ACK\nData: 5 NAK\nStop\nstatus OK\n");
    // Binary values keep the field's width; 100 ns per sample given as 500 samples per 50 us.
    run = RunCli("decode i2c " + files + " --tdiv 50000 --dots 500 --base 0");
    EXPECT_EQ(run.out, "Addr: 10100000 ACK\nData: 10100101 ACK\nAddr: 10100001 ACK\nData: 00000101 NAK\nStop\n"
                       "status OK\n");
    // Clock times the traffic does not have: the first field fails, exit 1.
    run = RunCli("decode i2c " + files + " --tdiv 20000 --times 1us");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "status 高电平错误\n");

    const std::vector<std::uint8_t> flat(400, 60);
    run = RunCli("decode spi " + Files(flat, flat) + " --tdiv 2000");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "status OK\n");
    run = RunCli("decode i2c " + Files(flat, flat) + " --tdiv 2000");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "status 没有符合条件的总线信号\n");

    EXPECT_EQ(RunCli("decode i2c " + files).status, 2);                        // no time base
    EXPECT_EQ(RunCli("decode i2c " + files + " --tdiv 20000 --bits 12").status, 2);
    EXPECT_EQ(RunCli("decode can " + files + " --tdiv 20000").status, 2);
    EXPECT_EQ(RunCli("decode i2c " + Files(flat, {1, 2}) + " --tdiv 20000").status, 2);
}

TEST_F(DecodeCommand, DecodesWhatTheSimulatedInstrumentWasToldToSend) {
    CliRun run = RunCli("--sim=ch1=i2c:100k:addr=0x50:data=01,02,ch2=none decode i2c --autoset --times 5.0us,5.0us");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Addr: A0 ACK\nData: 1 ACK\nData: 2 ACK\nStop\nstatus OK\n");

    run = RunCli("--sim=ch1=spi:1M:mode=3:bits=16:data=BEEF,0102,ch2=none decode spi --autoset --bits 16 --cpol 1 "
                 "--cpha 1 --times 500ns,500ns");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 20), "Data: BEEF\nData: 102");
}
