// The folder of the running program: where the executable lies, found
// through /proc/self/exe, so that files shipped with the program (config/,
// Language/, help/, Param.ini) are found whatever the current directory is.
//
// Two layouts are recognised:
//   build tree     <bin>/quorvex, <bin>/config/, <bin>/Language/, <bin>/help/,
//                  <bin>/Param.ini
//   installed copy <prefix>/bin/quorvex, <prefix>/share/quorvex/{config,Language,help}/,
//                  Param.ini in the user's configuration folder
//                  ($XDG_CONFIG_HOME/quorvex, else ~/.config/quorvex), since
//                  <prefix>/bin is not the user's to write.
#pragma once

#include <string>

// The executable's folder without a trailing "/"; the current directory when
// the executable's path cannot be read.
std::string ProgramFolder();

// The folder that holds config/, Language/ and help/: the program's folder
// when config/ lies beside the program, else <program folder>/../share/quorvex
// when that holds config/, else the program's folder.
std::string ProgramDataFolder();
std::string ProgramDataFolder(const std::string& programFolder);

// The folder of the writable settings file "Param.ini": the program's folder,
// except for an installed copy (its data found under share/quorvex), whose
// settings live in the user's configuration folder. The folder may not exist yet.
std::string ProgramSettingsFolder();
std::string ProgramSettingsFolder(const std::string& programFolder);

// ProgramSettingsFolder() + "/Param.ini".
std::string ProgramSettingsFile();
