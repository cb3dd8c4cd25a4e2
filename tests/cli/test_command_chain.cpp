// Several commands on one connection: a store-depth edit holds for the
// capture after it, the capture runs back to back and reports its pace, and
// a chain stops at its first failing command.
#include "CliProcess.h"

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

class CommandChain : public CliFolderTest {};

// Rows per record number of a capture CSV.
std::map<int, int> RowsPerRecord(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "record,time_s,ch1_V,ch2_V");
    std::map<int, int> rows;
    while (std::getline(in, line)) ++rows[std::stoi(line.substr(0, line.find(',')))];
    return rows;
}

}  // namespace

TEST_F(CommandChain, DeepCaptureAfterAnEditOnOneConnection) {
    // 512K is a store depth of 400000 samples; with the instrument's menu
    // shown the views get 0.8 of it: 320000 samples per channel record. A
    // second connection would find the simulator at its 4K default (3200).
    const std::string csv = (dir / "deep.csv").string();
    const CliRun run = RunArgs("--sim edit 11=512K --then capture --count 5 --csv '" + csv + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Acquire/Store Capacity: 512K"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("record 5: 320000 samples"), std::string::npos) << run.out;
    const std::map<int, int> expected{{1, 320000}, {2, 320000}, {3, 320000}, {4, 320000}, {5, 320000}};
    EXPECT_EQ(RowsPerRecord(csv), expected);

    // The closing report: the rate reached and the protocol's bound over
    // five frames per acquisition (the last one's closing read-mode frame
    // leaves after its record, so it may not be counted).
    std::istringstream err(run.err.substr(run.err.find("the protocol allows")));
    std::string word;
    double bound = 0;
    unsigned long frames = 0;
    err >> word >> word >> word >> bound >> word >> frames;
    EXPECT_GT(bound, 0.0) << run.err;
    EXPECT_GE(frames, 24u) << run.err;
}

TEST_F(CommandChain, StopsAtTheFirstFailureAndRefusesEmptyCommands) {
    const CliRun failed = RunArgs("--sim edit 11=9999K --then capture --count 1");
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(failed.out.find("record 1"), std::string::npos) << failed.out;

    for (const char* line : {"--sim --then capture", "--sim capture --then", "--sim settings --then --then capture"}) {
        const CliRun empty = RunArgs(line);
        EXPECT_EQ(empty.status, 2) << line;
        EXPECT_NE(empty.err.find("a command is missing"), std::string::npos) << line << ": " << empty.err;
    }
    const CliRun unknown = RunArgs("--sim settings --then nosuch");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");  // checked before the first command connects
}
