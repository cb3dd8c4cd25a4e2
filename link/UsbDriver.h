#pragma once
// The instrument's USB driver as the device layer sees it. CUsbDevice talks
// only to this interface; the libusb backend (a real instrument) and the
// simulated instrument (sim/) both implement it, and nothing above the device
// layer knows which one is attached.
//
// The calls stand for the driver's device path and its four control codes:
//   Open / Close      the device path "\\.\" + device name ("Ezusb-0")
//   Start             control code 0x222019, pipe value 1
//   ReadPacket        control code 0x222012, pipe value 1: one answer packet
//   WriteFrame        control code 0x22200D, pipe value 0: one command frame
//   Stop              control code 0x22201D, pipe value 1
// Every call returns 1 on success and 0 on failure, as the driver does.
// Several handles may be open at once (the receive thread keeps one for its
// blocking reads while each write opens and closes its own), and the calls
// are made from different threads, so implementations are thread-safe.
#include <cstdint>
#include <memory>

using UsbHandle = std::intptr_t;  // 0 = no handle

class IUsbDriver {
public:
    virtual ~IUsbDriver() = default;

    // Opens the device file named path; returns a handle, or 0 when absent.
    virtual UsbHandle Open(const char* path) = 0;
    virtual void Close(UsbHandle handle) = 0;

    virtual int Start(UsbHandle handle) = 0;
    // Blocks until one answer packet is available and copies it into buffer
    // (at most capacity bytes, 65535 in the program); *received gets its size.
    // Fails once the link is stopped or the cable is pulled.
    virtual int ReadPacket(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity,
                           std::uint32_t* received) = 0;
    virtual int WriteFrame(UsbHandle handle, const std::uint8_t* frame, std::uint32_t length) = 0;
    virtual int Stop(UsbHandle handle) = 0;
};

using UsbDriverPtr = std::shared_ptr<IUsbDriver>;
