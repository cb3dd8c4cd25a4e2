#include "backend/UsbBackend.h"

#include <cstdio>

#include "link/LibUsbDriver.h"
#include "sim/SimInstrument.h"
#include "sim/SimOptions.h"
#include "sim/SimUsbPipe.h"

namespace {
// The simulated instrument; with "pipe=" read through the libusb backend over
// the simulated USB pipe, as a real instrument is.
UsbBackend Simulated(const std::string& options)
{
    UsbBackend b;
    SimOptions parsed;
    if (!ParseSimOptions(options, &parsed, &b.error))
        return b;
    auto instrument = std::make_shared<CSimInstrument>(parsed);
    if (parsed.pipe.maxBytes > 0)
        b.driver = std::make_shared<CLibUsbDriver>(
            LibUsbConfig{}, std::make_shared<CSimUsbPipe>(instrument, parsed.pipe, parsed.seed));
    else
        b.driver = instrument;
    b.description = "simulated instrument" + (options.empty() ? std::string() : " (" + options + ")");
    return b;
}

UsbBackend LibUsb(const LibUsbConfig& config)
{
    UsbBackend b;
    b.driver = std::make_shared<CLibUsbDriver>(config);
    char text[32];
    std::snprintf(text, sizeof text, "USB %04x:%04x", config.vendorId, config.productId);
    b.description = text;
    return b;
}
}  // namespace

int ParseUsbBackendOption(const std::string& arg, UsbBackendArgs* args, std::string* error)
{
    UsbBackendArgs next;
    if (arg == "--usb") {
        next.request = UsbBackendRequest::LibUsb;
    } else if (arg == "--sim" || arg.rfind("--sim=", 0) == 0) {
        next.request = UsbBackendRequest::Simulated;
        next.simOptions = arg.size() > 5 ? arg.substr(6) : std::string();
        SimOptions parsed = DefaultSimOptions();
        std::string reason;
        if (!ParseSimOptions(next.simOptions, &parsed, &reason)) {
            if (error)
                *error = reason;
            return -1;
        }
    } else {
        return 0;
    }
    if (args->request != UsbBackendRequest::FromSettings && args->request != next.request) {
        if (error)
            *error = "--sim and --usb exclude each other";
        return -1;
    }
    *args = next;
    return 1;
}

UsbBackend CreateUsbBackend(const UsbBackendArgs& args, const std::string& settingsPath)
{
    return CreateUsbBackend(args.request, settingsPath, args.simOptions);
}

UsbBackend CreateUsbBackend(UsbBackendRequest request, const std::string& settingsPath,
                            const std::string& simOptions)
{
    const UsbBackendSettings settings = ReadUsbBackendSettings(settingsPath);
    switch (request) {
    case UsbBackendRequest::Simulated:
        return Simulated(simOptions);
    case UsbBackendRequest::LibUsb:
        return LibUsb(settings.usb);
    case UsbBackendRequest::FromSettings:
        break;
    }
    if (settings.choice == UsbBackendChoice::Simulated)
        return Simulated(simOptions);
    if (settings.choice == UsbBackendChoice::LibUsb || settings.usbConfigured ||
        CLibUsbDriver::IsInstrumentPresent(settings.usb))
        return LibUsb(settings.usb);
    return Simulated(simOptions);
}
