#pragma once
// A scratch folder for the drivers whose reader takes a path: $QV_FUZZ_SCRATCH
// when set (scripts/fuzz.sh makes one per run and removes it: libFuzzer ends
// without running exit handlers), else one in memory where there is such a
// folder (a file per input would otherwise wear a disk), named after the process.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline const std::filesystem::path& FuzzScratchFolder()
{
    static const std::filesystem::path folder = [] {
        if (const char* given = std::getenv("QV_FUZZ_SCRATCH"); given && *given)
            return std::filesystem::path(given);
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::filesystem::path made = base / ("qv-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}
