#pragma once
// quorvex-cli run as a separate process from a test fixture that owns a
// temporary folder for its input files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text) const {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // Runs quorvex-cli with the arguments (already quoted for the shell).
    CliRun RunArgs(const std::string& arguments) const {
        const std::string errFile = (dir / "stderr.txt").string();
        const std::string line = "'" QV_BIN_DIR "/quorvex-cli' " + arguments + " 2>'" + errFile + "'";
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

    std::filesystem::path dir;
};
