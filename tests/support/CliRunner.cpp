#include "support/CliRunner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

CliRun RunCliLine(const std::string& arguments)
{
    CliRun run;
    std::string errPath = (std::filesystem::temp_directory_path() / "qv-cli-err-XXXXXX").string();
    const int errFile = mkstemp(errPath.data());
    if (errFile < 0)
        return run;
    close(errFile);
    const std::string line = "'" QV_BIN_DIR "/quorvex-cli' " + arguments + " 2>'" + errPath + "'";
    if (FILE* pipe = popen(line.c_str(), "r")) {
        char chunk[4096];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
            run.out.append(chunk, got);
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream err(errPath);
        run.err.assign(std::istreambuf_iterator<char>(err), {});
    }
    std::filesystem::remove(errPath);
    return run;
}
