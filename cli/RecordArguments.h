#pragma once
// Arguments of the commands that work on a raw channel record (measure,
// table): option parsing with one-line reasons and the record file itself
// (one signed byte per sample, as the instrument sends a channel).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Deepest record the instrument sends, with room to spare.
inline constexpr std::size_t kMaxRecordFileBytes = 4000000;

// "--name value" options and "--flag" switches. flags lists the switches
// that take no value; every other option needs one. Returns an empty string,
// or the reason the arguments are refused.
std::string ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                         const std::vector<std::string>& flags, std::map<std::string, std::string>& out);

// A finite number above 0 / an integer within [low, high]. On failure the
// reason names the option.
std::string PositiveNumber(const std::map<std::string, std::string>& o, const std::string& name, double& value);
std::string IntegerIn(const std::map<std::string, std::string>& o, const std::string& name, int64_t low,
                      int64_t high, int64_t& value);

// Reads the record file. Empty reason on success; "cannot open", "empty
// record", "larger than N bytes" otherwise.
std::string ReadRecordFile(const std::string& path, std::vector<uint8_t>& bytes);

// Writes bytes to stdout unchanged (the exports carry CR LF).
void WriteOut(const char* data, std::size_t size);
