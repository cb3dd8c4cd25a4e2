#pragma once
// The driver backend of a real instrument, over libusb-1.0. The instrument's
// USB controller offers one bulk OUT pipe for command frames and one bulk IN
// pipe for answer packets; which device and pipes is read from the "[USB]"
// section of the settings file (see link/README.md).
//
// Handles are tokens: the USB device is opened and its interface claimed
// with the first handle and released with the last. Start and Stop switch the
// link: after Stop every pending and later read fails until the next Start.
//
// The bulk pipes sit behind IUsbBulkTransport (link/UsbBulkTransport.h), so
// that the reading can run over scripted transfers in tests and over the
// simulated instrument's pipe; a read hands on exactly one answer however the
// pipe cut it (link/AnswerAssembler.h).
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "link/AnswerAssembler.h"
#include "link/UsbBulkTransport.h"
#include "link/UsbDriver.h"

struct LibUsbConfig {
    uint16_t vendorId = 0x04B4;   // the USB controller maker's id
    uint16_t productId = 0x8613;  // the controller's default product id
    uint8_t endpointIn = 0x86;    // bulk IN pipe: answer packets
    uint8_t endpointOut = 0x02;   // bulk OUT pipe: command frames
    int interfaceNumber = 0;
    unsigned readSliceMs = 100;   // a pending read looks at the stop flag this often
    // A write that the instrument has not taken in this time takes the link
    // down (as any failed write does). 3000 ms: longer than the instrument
    // needs to send its largest answers (a full record goes out as a run of
    // 65535-byte answers, a screen image as 384000 bytes) while it cannot take
    // a command, and shorter than the 5000 ms after which the watchdog gives
    // an answer up, so a hung write never outlasts the link's own patience.
    unsigned writeTimeoutMs = 3000;
    // An answer whose bytes stop arriving for this long is handed on as far
    // as it came (the receive loop drops it), so lost bytes cannot glue the
    // following answers to it.
    unsigned answerGapMs = 2000;
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
    // At Start, what an earlier session left in the IN pipe is read and
    // thrown away: transfers of kDrainWaitMs until one brings nothing, at most
    // kDrainTransfers (4 MiB, more than a full record of both channels).
    static constexpr unsigned kDrainWaitMs = 20;
    static constexpr int kDrainTransfers = 64;

    // A real instrument over libusb.
    explicit CLibUsbDriver(const LibUsbConfig& config = {});
    // The same driver over other pipes (the simulated instrument's, or a script).
    CLibUsbDriver(const LibUsbConfig& config, UsbBulkTransportPtr transport);
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
    bool IsReading(UsbHandle handle) const;

    LibUsbConfig m_config;
    UsbBulkTransportPtr m_transport;
    CAnswerAssembler m_assembler;         // used by the one reading thread
    mutable std::mutex m_lock;            // guards the handle set, the device and the stop flag
    bool m_deviceOpen = false;
    std::set<UsbHandle> m_handles;
    UsbHandle m_nextHandle = 1;
    bool m_stopped = true;
};
