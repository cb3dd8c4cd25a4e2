// The folder of the running program: where the executable lies, found
// through /proc/self/exe, so that files shipped beside the program (config/,
// Param.ini) are found whatever the current directory is.
#pragma once

#include <string>

// The executable's folder without a trailing "/"; the current directory when
// the executable's path cannot be read.
std::string ProgramFolder();
