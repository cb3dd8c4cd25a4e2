// The spectrum and arith commands of quorvex-cli on raw records written by
// hand, and the spectrum of a record captured from the simulator.
#include "CliProcess.h"

#include <sstream>
#include <vector>

namespace {

class AnalysisCommands : public CliFolderTest {
protected:
    std::string Record(const std::string& name, const std::vector<int>& counts) const {
        std::string bytes;
        for (int c : counts) bytes.push_back(static_cast<char>(c));
        return "'" + Write(name, bytes) + "'";
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

} // namespace

TEST_F(AnalysisCommands, SpectrumOfAConstantRecord) {
    // Every sample +100 with no window: re[0] = 204800, P = 41943040000,
    // 26 halvings, bin 0 = trunc(10 (L[625] + 26 log2)) - 70 = 36.
    const CliRun run = RunArgs("spectrum --record " + Record("full.raw", std::vector<int>(2500, 100)) + " --window 1");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1024u);
    EXPECT_EQ(lines[0], "36");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "-70"), 1023);
}

TEST_F(AnalysisCommands, ArithAddsInUnitsOfTheLargerScaleAndKeepsSentinelsOutOfThePeak) {
    const std::string ch1 = Record("ch1.raw", {40, -40, 8}), ch2 = Record("ch2.raw", {10, 0, -4});
    const std::string both = " --record1 " + ch1 + " --record2 " + ch2 + " --vdiv1 500 --vdiv2 1000";
    const CliRun add = RunArgs("arith" + both + " --op 0");
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(add.out, "30.000000\n-20.000000\n0.000000\npeak 30.000000\n");
    const CliRun divide = RunArgs("arith" + both + " --op 3");
    EXPECT_EQ(divide.out, "2.000000\n50.500000\n-1.000000\npeak 2.000000\n");
}

TEST_F(AnalysisCommands, BadArgumentsExitTwoUnreadableRecordsOne) {
    const std::string ch = Record("ch.raw", {1, 2});
    for (const std::string& args : std::vector<std::string>{
             std::string("spectrum --window 4 --record ") + ch, "spectrum --record " + ch + " --source 1",
          "spectrum --record", "arith --record1 " + ch + " --record2 " + ch + " --vdiv1 0 --vdiv2 1 --op 0",
          "arith --record1 " + ch + " --record2 " + ch + " --vdiv1 1 --vdiv2 1 --op 5",
          "arith --record1 " + ch + " --vdiv1 1 --vdiv2 1 --op 1"}) {
        const CliRun run = RunArgs(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
    }
    const std::string missing = "'" + (dir / "missing.raw").string() + "'";
    EXPECT_EQ(RunArgs("spectrum --record " + missing).status, 1);
    EXPECT_EQ(RunArgs("arith --record1 " + ch + " --record2 " + missing + " --vdiv1 1 --vdiv2 1 --op 1").status, 1);
}

TEST_F(AnalysisCommands, SpectrumOfACapturedRecord) {
    const CliRun run = RunArgs("--sim=ch2=sine:10k:2 spectrum --source 2 --window 0");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1024u);
    EXPECT_NE(std::count(lines.begin(), lines.end(), "-70"), 1024);
}
