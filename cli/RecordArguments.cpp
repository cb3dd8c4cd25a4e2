#include "cli/RecordArguments.h"

#include "cli/OptionPairs.h"
#include "cli/RecordFile.h"

#include <algorithm>
#include <cstdio>

std::string ParseRecordOptions(const std::vector<std::string>& args, std::initializer_list<const char*> valued,
                               const std::vector<std::string>& flags, std::map<std::string, std::string>& out) {
    std::vector<std::string> pairs;
    for (const std::string& a : args) {
        if (std::find(flags.begin(), flags.end(), a) != flags.end())
            out[a] = "1";
        else
            pairs.push_back(a);
    }
    std::map<std::string, std::string> values;
    if (!ReadOptionPairs(pairs, valued, values)) return "unknown, repeated or incomplete option";
    out.insert(values.begin(), values.end());
    return {};
}

std::string PositiveNumber(const std::map<std::string, std::string>& o, const std::string& name, double& value) {
    const auto it = o.find(name);
    if (it == o.end()) return name + " is required";
    if (!ReadPositiveOption(it->second, value)) return name + " must be a number above 0, not '" + it->second + "'";
    return {};
}

std::string IntegerIn(const std::map<std::string, std::string>& o, const std::string& name, int low, int high,
                      int& value) {
    const auto it = o.find(name);
    if (it == o.end() || ReadIntOption(it->second, low, high, value)) return {};
    return name + " must be an integer from " + std::to_string(low) + " to " + std::to_string(high) + ", not '" +
           it->second + "'";
}

void WriteOut(const char* data, std::size_t size) {
    std::fwrite(data, 1, size, stdout);
    std::fflush(stdout);
}

bool ReadNonEmptyRecord(const std::string& path, std::vector<uint8_t>& record) {
    if (!ReadRecordFile(path, record)) return false;
    if (!record.empty()) return true;
    std::fprintf(stderr, "quorvex-cli: %s: empty record\n", path.c_str());
    return false;
}
