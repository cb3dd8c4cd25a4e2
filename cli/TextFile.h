#pragma once
// Reads a whole text file for the commands that take a file argument.
// Refuses files larger than maxBytes instead of allocating without bound, so
// a device file or a huge file cannot exhaust memory.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

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

// The single FILE argument of a description command, read into text.
// Returns 0 when it was read, else the exit status after printing why
// (usage or unreadable file: 2).
inline int ReadDescriptionArgument(const std::vector<std::string>& args, const char* command, std::string& text) {
    if (args.size() != 1) {
        std::fprintf(stderr, "quorvex-cli: usage: %s FILE\n", command);
        return 2;
    }
    if (const std::string error = ReadTextFile(args[0], text); !error.empty()) {
        std::fprintf(stderr, "quorvex-cli: %s: %s\n", args[0].c_str(), error.c_str());
        return 2;
    }
    return 0;
}
