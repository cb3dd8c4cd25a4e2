// The protocol and keys commands of quorvex-cli, run as a separate process on
// description files written into a temporary folder.
#include "CliProcess.h"

namespace {
namespace fs = std::filesystem;

class DescriptionCommands : public CliFolderTest {
protected:
    CliRun Run(const std::string& command, const std::string& file) const { return RunArgs(command + " '" + file + "'"); }
};
}  // namespace

TEST_F(DescriptionCommands, ProtocolPrintsTotalAndEntriesInTableOrder) {
    const std::string file = Write("protocol.inf",
        "[TOTAL] 12\r\n[START]\r\n[TRIG-MODE] 1\r\n[HORIZ-TB] 2\r\n[SPARE-X] 3\r\n[VERT-CH1-POS] 4\r\n[END]\r\n");
    const CliRun run = Run("protocol", file);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "TOTAL 12\nHORIZ-TB 1 2\nTRIG-MODE 0 1\nVERT-CH1-POS 3 4\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(DescriptionCommands, KeysPrintsEveryKeyWithItsPosition) {
    const std::string file = Write("keyprotocol.inf", "[TOTAL] 3\n[START]\n[FN-1-KEY]\n\n[FN-2-KEY] menu\n[END]\n");
    const CliRun run = Run("keys", file);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "FN-1-KEY 0\nFN-2-KEY 2\n");
}

TEST_F(DescriptionCommands, RefusedDescriptionsExitOneWithOneLine) {
    for (const char* command : {"protocol", "keys"}) {
        const CliRun run = Run(command, Write("no-start.inf", "[TOTAL] 4\n[TRIG-MODE] 1\n"));
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(LineCount(run.err), 1) << command << ": " << run.err;
    }
    const CliRun negative = Run("protocol", Write("negative.inf", "[TOTAL] -5\n[START]\n[END]\n"));
    EXPECT_EQ(negative.status, 1);
    EXPECT_EQ(LineCount(negative.err), 1);
}

TEST_F(DescriptionCommands, UnreadableFilesExitTwoWithOneLine) {
    for (const char* command : {"protocol", "keys"}) {
        for (const std::string& file : {(dir / "missing.inf").string(), dir.string()}) {
            const CliRun run = Run(command, file);
            EXPECT_EQ(run.status, 2) << command << " " << file;
            EXPECT_EQ(run.out, "") << command;
            EXPECT_EQ(LineCount(run.err), 1) << command << ": " << run.err;
        }
    }
}
