#pragma once
// Which driver backend the program talks to: the simulated instrument unless
// a real one is configured in the settings file or found on the bus. Command
// line options may force either (see link/README.md).
#include <string>

#include "link/UsbDriver.h"

enum class UsbBackendRequest {
    FromSettings,  // the settings file decides; otherwise a found instrument, else the simulator
    Simulated,     // --sim
    LibUsb,        // --usb
};

struct UsbBackend {
    UsbDriverPtr driver;      // null when the simulator options are malformed
    std::string description;  // "simulated instrument (...)" or "USB 04b4:8613"
    std::string error;        // why driver is null
};

// settingsPath: the "Param.ini" to read the "[USB]" section from;
// simOptions: the simulator's option string ("" = its defaults).
UsbBackend CreateUsbBackend(UsbBackendRequest request, const std::string& settingsPath,
                            const std::string& simOptions);
