#pragma once
// quorvex-cli run as a separate process, as a user runs it from a shell.
#include <string>

struct CliRun {
    int status = -1;     // exit status; -1 when it could not be run or did not exit
    std::string out;     // standard output
    std::string err;     // standard error
};

// Runs the build's quorvex-cli with arguments already quoted for the shell.
CliRun RunCliLine(const std::string& arguments);
