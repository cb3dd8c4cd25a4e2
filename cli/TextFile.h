#pragma once
// Reads a whole text file for the commands that take a file argument.
// Refuses files larger than maxBytes instead of allocating without bound, so
// a device file or a huge file cannot exhaust memory.
#include <cstddef>
#include <cstdio>
#include <string>

// Reads path into text. Returns an empty string on success, else a short
// reason ("cannot open", "cannot read", "larger than N bytes").
inline std::string ReadTextFile(const std::string& path, std::string& text, std::size_t maxBytes = 16u << 20) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return "cannot open";
    text.clear();
    char chunk[65536];
    std::string error;
    while (error.empty()) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (text.size() + got > maxBytes) error = "larger than " + std::to_string(maxBytes) + " bytes";
        else text.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (error.empty() && std::ferror(file)) error = "cannot read";
    std::fclose(file);
    return error;
}
