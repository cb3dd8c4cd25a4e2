#pragma once
// Which driver backend the program and quorvex-cli talk to. One rule for both:
//   --sim[=OPTIONS]  always the simulated instrument ("--sim" and "--sim=" use
//                    its defaults);
//   --usb            always the real instrument as the "[USB]" section of
//                    "Param.ini" configures it;
//   neither          "[USB] Backend" of "Param.ini" decides; when it says
//                    "auto" (or nothing), a configured or attached instrument,
//                    else the simulated one.
// The driver built here is handed to the link, which never knows which it got.
#include <string>

#include "link/UsbDriver.h"

enum class UsbBackendRequest {
    FromSettings,  // neither option
    Simulated,     // --sim[=OPTIONS]
    LibUsb,        // --usb
};

// The backend options of a command line.
struct UsbBackendArgs {
    UsbBackendRequest request = UsbBackendRequest::FromSettings;
    std::string simOptions;  // the simulator's option string ("" = its defaults)
};

// Reads one command-line argument. Returns 1 when it is a backend option
// (stored into *args), 0 when it is not one, and -1 with a one-line reason in
// *error when it is one that cannot be used: a malformed simulator option
// string, or --sim and --usb together.
int ParseUsbBackendOption(const std::string& arg, UsbBackendArgs* args, std::string* error);

struct UsbBackend {
    UsbDriverPtr driver;      // null when the simulator options are malformed
    std::string description;  // "simulated instrument (...)" or "USB 04b4:8613"
    std::string error;        // why driver is null
};

// settingsPath: the "Param.ini" to read the "[USB]" section from.
UsbBackend CreateUsbBackend(const UsbBackendArgs& args, const std::string& settingsPath);
UsbBackend CreateUsbBackend(UsbBackendRequest request, const std::string& settingsPath,
                            const std::string& simOptions);
