#include "link/UsbBackend.h"

#include <cstdio>

#include "link/LibUsbDriver.h"
#include "sim/SimInstrument.h"

namespace {
UsbBackend Simulated(const std::string& options)
{
    UsbBackend b;
    b.driver = CreateSimInstrument(options, &b.error);
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
