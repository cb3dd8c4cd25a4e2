#pragma once
// Arguments of the commands that export a raw channel record (measure,
// table): "--name VALUE" pairs plus the "--txt" / "--csv" switches, with a
// one-line reason for every refusal.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Takes the switches of flags out of args (value "1"), then reads the rest as
// --name VALUE pairs of the valued names. Empty string, or why the arguments
// are refused.
std::string ParseRecordOptions(const std::vector<std::string>& args, std::initializer_list<const char*> valued,
                               const std::vector<std::string>& flags, std::map<std::string, std::string>& out);

// The option as a finite number above 0 (required) / an integer within
// [low, high] (optional: value keeps its default when absent). Empty string,
// or the reason naming the option.
std::string PositiveNumber(const std::map<std::string, std::string>& o, const std::string& name, double& value);
std::string IntegerIn(const std::map<std::string, std::string>& o, const std::string& name, int low, int high,
                      int& value);

// Reads a raw record that holds at least one sample; false after printing
// why not (cannot open, too large, empty).
bool ReadNonEmptyRecord(const std::string& path, std::vector<uint8_t>& record);

// Writes bytes to stdout unchanged (the exports carry CR LF).
void WriteOut(const char* data, std::size_t size);
