#include "cli/RecordArguments.h"

#include "cli/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                         const std::vector<std::string>& flags, std::map<std::string, std::string>& out) {
    auto listed = [](const std::vector<std::string>& list, const std::string& a) {
        return std::find(list.begin(), list.end(), a) != list.end();
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (listed(flags, a)) {
            out[a] = "1";
        } else if (listed(valued, a)) {
            if (i + 1 >= args.size()) return a + " needs a value";
            out[a] = args[++i];
        } else {
            return "unknown argument " + a;
        }
    }
    return {};
}

std::string PositiveNumber(const std::map<std::string, std::string>& o, const std::string& name, double& value) {
    const auto it = o.find(name);
    if (it == o.end()) return name + " is required";
    char* end = nullptr;
    const double v = std::strtod(it->second.c_str(), &end);
    if (it->second.empty() || *end != '\0' || !std::isfinite(v) || v <= 0)
        return name + " must be a number above 0, not '" + it->second + "'";
    value = v;
    return {};
}

std::string IntegerIn(const std::map<std::string, std::string>& o, const std::string& name, int64_t low,
                      int64_t high, int64_t& value) {
    const auto it = o.find(name);
    if (it == o.end()) return {};
    char* end = nullptr;
    const long long v = std::strtoll(it->second.c_str(), &end, 10);
    if (it->second.empty() || *end != '\0' || v < low || v > high)
        return name + " must be an integer from " + std::to_string(low) + " to " + std::to_string(high) + ", not '" +
               it->second + "'";
    value = v;
    return {};
}

std::string ReadRecordFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::string text;
    if (std::string error = ReadTextFile(path, text, kMaxRecordFileBytes); !error.empty()) return error;
    if (text.empty()) return "empty record";
    bytes.assign(text.begin(), text.end());
    return {};
}

void WriteOut(const char* data, std::size_t size) {
    std::fwrite(data, 1, size, stdout);
    std::fflush(stdout);
}
