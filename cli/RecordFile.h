#pragma once
// A raw channel record on disk: one sample byte per column, as the
// instrument sends it (a signed count, 25 per division).
#include "cli/TextFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Reads a raw record of at most 16 MiB; false after printing why it could
// not be read.
inline bool ReadRecordFile(const std::string& path, std::vector<std::uint8_t>& record) {
    std::string bytes;
    if (const std::string error = ReadTextFile(path, bytes); !error.empty()) {
        std::fprintf(stderr, "quorvex-cli: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    record.assign(bytes.begin(), bytes.end());
    return true;
}
