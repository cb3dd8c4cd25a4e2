#pragma once
// The driver backend of a real instrument, over libusb-1.0. The instrument's
// USB controller offers one bulk OUT pipe for command frames and one bulk IN
// pipe for answer packets; which device and pipes is read from the "[USB]"
// section of the settings file (see link/README.md).
//
// Handles are tokens: the USB device is opened and its interface claimed
// with the first handle and released with the last. Start and Stop switch the
// link: after Stop every pending and later read fails until the next Start.
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "link/UsbDriver.h"

struct libusb_context;
struct libusb_device_handle;

struct LibUsbConfig {
    uint16_t vendorId = 0x04B4;   // the USB controller maker's id
    uint16_t productId = 0x8613;  // the controller's default product id
    uint8_t endpointIn = 0x86;    // bulk IN pipe: answer packets
    uint8_t endpointOut = 0x02;   // bulk OUT pipe: command frames
    int interfaceNumber = 0;
    unsigned readSliceMs = 100;   // a pending read looks at the stop flag this often
    unsigned writeTimeoutMs = 1000;
};

// Which backend the program uses ("[USB] Backend" of the settings file).
enum class UsbBackendChoice { Automatic, Simulated, LibUsb };

struct UsbBackendSettings {
    UsbBackendChoice choice = UsbBackendChoice::Automatic;
    LibUsbConfig usb;
    bool usbConfigured = false;  // the file names a device (VendorId or ProductId)
};

// Reads the "[USB]" section of the settings file at path; defaults for what is
// missing or unreadable. Numbers may be decimal or "0x" hexadecimal.
UsbBackendSettings ReadUsbBackendSettings(const std::string& path);

class CLibUsbDriver : public IUsbDriver {
public:
    explicit CLibUsbDriver(const LibUsbConfig& config = {});
    ~CLibUsbDriver() override;

    UsbHandle Open(const char* path) override;
    void Close(UsbHandle handle) override;
    int Start(UsbHandle handle) override;
    int ReadPacket(UsbHandle handle, uint8_t* buffer, uint32_t capacity, uint32_t* received) override;
    int WriteFrame(UsbHandle handle, const uint8_t* frame, uint32_t length) override;
    int Stop(UsbHandle handle) override;

    // Whether a device with the configured ids is attached.
    static bool IsInstrumentPresent(const LibUsbConfig& config);

private:
    bool IsOpen(UsbHandle handle) const;
    libusb_device_handle* DeviceFor(UsbHandle handle) const;
    bool OpenUsbDevice();
    void CloseUsbDevice();

    LibUsbConfig m_config;
    mutable std::mutex m_lock;            // guards the handle set and the device
    libusb_context* m_context = nullptr;
    libusb_device_handle* m_device = nullptr;
    std::set<UsbHandle> m_handles;
    UsbHandle m_nextHandle = 1;
    bool m_stopped = true;
};
