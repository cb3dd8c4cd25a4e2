#pragma once
// The command line of quorvex-cli as a plan: the global options, then one or
// more commands run in order on one connection, separated by "--then":
//
//   quorvex-cli [GLOBAL OPTIONS] COMMAND ARGS... [--then COMMAND ARGS...]...
//
// A pure function over the argument strings; main runs what it returns.
#include <string>
#include <vector>

#include "backend/UsbBackend.h"

inline constexpr const char* kCommandSeparator = "--then";
inline constexpr const char* kNoCommand = "no command";  // the error of a line without one

struct CliCall {
    std::string name;               // the command
    std::vector<std::string> args;  // its arguments, up to the next separator
};

struct CliInvocation {
    UsbBackendArgs backend;
    unsigned language = 0;
    bool help = false;           // --help: print the usage and stop
    std::vector<CliCall> calls;  // in order; empty with an error or --help
    std::string error;           // why the line is unusable (exit status 2)
};

// args: the arguments after the program name.
CliInvocation ParseCliInvocation(const std::vector<std::string>& args);
