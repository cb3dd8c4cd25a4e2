#pragma once
// The USB pipes of an instrument as the libusb backend sees them: open the
// device, one bulk transfer on the IN pipe, one on the OUT pipe. libusb
// implements it for a real instrument (LibUsbTransport); the simulated
// instrument can stand in for it to deliver its answers the way a USB pipe
// does (sim/SimUsbPipe.h), and tests script it transfer by transfer.
//
// A bulk IN transfer asks for up to `length` bytes and ends when the device
// sends a short packet (shorter than the endpoint's packet size, possibly of
// zero length), when `length` bytes have arrived, or when timeoutMs has
// passed; bytes that arrived before the timeout are kept.
#include <cstdint>
#include <memory>

enum class BulkStatus {
    Done,      // the transfer ended (short packet or full length)
    TimedOut,  // the time ran out; `received` bytes arrived before it did
    Overflow,  // the device sent more than was asked for; the excess is lost
    Failed,    // the pipe or the device is gone
};

struct BulkResult {
    BulkStatus status = BulkStatus::Failed;
    std::uint32_t received = 0;
};

class IUsbBulkTransport {
public:
    virtual ~IUsbBulkTransport() = default;

    // Opens the device and claims its interface; true when it is there.
    virtual bool OpenDevice() = 0;
    virtual void CloseDevice() = 0;
    virtual BulkResult BulkIn(std::uint8_t* buffer, std::uint32_t length, unsigned timeoutMs) = 0;
    virtual BulkResult BulkOut(const std::uint8_t* data, std::uint32_t length, unsigned timeoutMs) = 0;
};

using UsbBulkTransportPtr = std::shared_ptr<IUsbBulkTransport>;
