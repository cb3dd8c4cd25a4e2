#pragma once
// The program's small settings file "Param.ini" beside the executable:
//   [Time]      Interval       acquisition timer interval in ms
//   [Startup]   hardwareCheck  non-zero: connect as soon as the main frame exists
//   [Language]  Language       0 English, 1 Chinese (takes effect at the next start)
// A missing file, section or key reads as 0. The "[USB]" section of the same
// file belongs to the backend choice (backend/UsbBackend.h).
#include <string>

struct CAppSettings {
    int interval = 0;        // ms
    int hardwareCheck = 0;   // start-up connect flag
    int language = 0;        // as read; see UiLanguage()

    // The language the program runs in: 0 English, any other value Chinese
    // (the resources and the message tables follow the same choice).
    int UiLanguage() const { return language == 0 ? 0 : 1; }

    // Reads the three values of the file at path (each as text of at most 255
    // characters, converted as a decimal integer).
    static CAppSettings Read(const std::string& path);
    // Writes the three values as decimal text, keeping every other line of
    // the file. Returns false when the file cannot be written.
    bool Write(const std::string& path) const;
};

// The acquisition intervals the Options dialog offers, in ms.
inline constexpr int kAcquisitionIntervals[] = {1000, 2000, 5000, 10000, 20000};

// Full path of "Param.ini": beside the program, or in the user's configuration
// folder for an installed copy (tessary/ProgramFolder.h).
std::string ParamIniPath();
