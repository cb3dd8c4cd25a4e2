#pragma once
// "--name VALUE" arguments of the analysis commands, and strict number
// readers for their values.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// Reads args as --name VALUE pairs with names from the given list. False on
// an unknown or repeated name or a name without a value.
inline bool ReadOptionPairs(const std::vector<std::string>& args, std::initializer_list<const char*> names,
                            std::map<std::string, std::string>& values) {
    for (std::size_t i = 0; i < args.size(); i += 2) {
        bool known = false;
        for (const char* name : names) known = known || args[i] == name;
        if (!known || i + 1 >= args.size() || values.count(args[i])) return false;
        values[args[i]] = args[i + 1];
    }
    return true;
}

// A whole decimal integer in low..high.
inline bool ReadIntOption(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

// A finite number above zero.
inline bool ReadPositiveOption(const std::string& text, double& value) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v) || v <= 0) return false;
    value = v;
    return true;
}
