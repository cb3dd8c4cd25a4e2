// The protocol and keys commands of quorvex-cli, run as a separate process on
// description files written into a temporary folder.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {
namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class DescriptionCommands : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qv-desc-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text) const {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    CliRun Run(const std::string& command, const std::string& file) const {
        const std::string errFile = (dir / "stderr.txt").string();
        const std::string line = "'" QV_BIN_DIR "/quorvex-cli' " + command + " '" + file + "' 2>'" + errFile + "'";
        CliRun run;
        FILE* pipe = popen(line.c_str(), "r");
        if (pipe == nullptr) return run;
        char chunk[4096];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) run.out.append(chunk, got);
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream err(errFile);
        run.err.assign(std::istreambuf_iterator<char>(err), {});
        return run;
    }

    static int LineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

    fs::path dir;
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
