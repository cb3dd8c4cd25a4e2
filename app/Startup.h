#pragma once
// Start-up of the desktop program: command line, wave memory, "Param.ini",
// language, driver backend, main frame, splash, files named on the command
// line, and either the event loop or the scripted demonstration.
#include <QString>
#include <QStringList>

#include <optional>

struct StartupOptions {
    enum class Backend { FromSettings, Simulated, LibUsb };
    Backend backend = Backend::FromSettings;
    QString simOptions;      // --sim=OPTIONS
    QString demoFolder;      // --demo=DIR: run the scripted demonstration, screenshots into DIR
    bool splash = true;      // --no-splash or --demo turn it off
    QStringList files;       // data files to open
};

// Reads the program's arguments (without the program name); nullopt and a
// one-line reason in *error for an unknown option.
std::optional<StartupOptions> ParseStartupOptions(const QStringList& args, QString* error);

// The whole program; returns the exit status.
int RunQuorvex(int argc, char** argv);
