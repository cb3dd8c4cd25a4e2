// quorvex-cli measure and table: the exports of a raw record file, the
// instrument form on the simulator, and the refusals with their exit status.
#include "CliProcess.h"

#include <algorithm>
#include <string>

namespace {

class RecordCommands : public CliFolderTest {
protected:
    // 1 kHz pulse of 25 % duty at 1 us per sample: 250 samples at 60
    // counts, 750 at -15, 3200 samples.
    std::string Pulse() const {
        std::string bytes;
        for (int i = 0; i < 3200; ++i) bytes += static_cast<char>(i % 1000 < 250 ? 60 : -15);
        return Write("pulse.bin", bytes);
    }
};

}  // namespace

TEST_F(RecordCommands, MeasureAndTablePrintTheWindowsExports) {
    const std::string pulse = "--record '" + Pulse() + "' --vdiv 1000 --tdiv 200000";
    const CliRun txt = RunArgs("measure " + pulse + " --pos 10");
    EXPECT_EQ(txt.status, 0) << txt.err;
    EXPECT_TRUE(txt.out.starts_with("Type     \tValue\r\nFrequency   \t1.0000 kHz\r\n")) << txt.out.substr(0, 80);
    EXPECT_NE(txt.out.find("\r\nPos.Duty   \t 25 %\r\n"), std::string::npos);
    EXPECT_NE(txt.out.find("\r\nVmax     \t2.00 v\r\n"), std::string::npos);
    const CliRun csv = RunArgs("measure " + pulse + " --pos 10 --csv");
    EXPECT_TRUE(csv.out.starts_with("Type,Value,\r\nFrequency(Hz),1000.000000,\r\n")) << csv.out.substr(0, 80);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 26);

    // Sample 0 sits 8 divisions before the trigger; 60 counts of 1 V / 25.
    const CliRun table = RunArgs("table " + pulse + " --csv");
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_TRUE(table.out.starts_with("Time (ms),Voltage (v)\r\n-1.600000,2.400000\r\n")) << table.out.substr(0, 80);
    const CliRun page = RunArgs("table " + pulse + " --hpos 40");
    EXPECT_TRUE(page.out.starts_with("NO.\tTime\t\tVoltage\r\n1\t-1.400 ms\t2.40 v\r\n")) << page.out.substr(0, 80);
}

TEST_F(RecordCommands, BadArgumentsExit2AndUnreadableRecordsExit1) {
    const std::string pulse = Pulse();
    const std::string empty = Write("empty.bin", "");
    struct Case {
        const char* name;
        std::string arguments;
        int status;
    };
    const Case cases[] = {
        {"no vdiv", "measure --record '" + pulse + "' --tdiv 1000", 2},
        {"zero vdiv", "measure --record '" + pulse + "' --vdiv 0 --tdiv 1000", 2},
        {"text tdiv", "table --record '" + pulse + "' --vdiv 10 --tdiv fast", 2},
        {"vdiv beyond 64-bit microvolts", "table --record '" + pulse + "' --vdiv 3.03e21 --tdiv 8", 2},
        {"both formats", "measure --record '" + pulse + "' --vdiv 10 --tdiv 1000 --txt --csv", 2},
        {"unknown", "table --record '" + pulse + "' --vdiv 10 --tdiv 1000 --fft", 2},
        {"page past the end", "table --record '" + pulse + "' --vdiv 10 --tdiv 1000 --page 2", 2},
        {"source 3", "measure --source 3", 2},
        {"dots without a record", "measure --dots 100", 2},
        {"missing file", "measure --record '" + (dir / "none.bin").string() + "' --vdiv 10 --tdiv 1000", 1},
        {"empty file", "table --record '" + empty + "' --vdiv 10 --tdiv 1000", 1},
    };
    for (const Case& c : cases) {
        const CliRun run = RunArgs(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": " << run.err;
    }
}

TEST_F(RecordCommands, MeasureOnTheSimulatorPrintsTheItemsOfEachRecord) {
    const CliRun run = RunArgs("--sim=ch1=square:1k:2,ch2=none measure --source 1 --count 2");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2 * 25 + 1);
    EXPECT_TRUE(run.out.starts_with("Frequency\t")) << run.out.substr(0, 80);
    EXPECT_NE(run.out.find("\nSlew rate\t"), std::string::npos);
}
