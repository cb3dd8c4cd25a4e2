#pragma once
// The bulk pipes of a real instrument over libusb-1.0: the device with the
// configured ids, its claimed interface and the two configured endpoints.
#include <cstdint>

#include "link/UsbBulkTransport.h"

struct libusb_context;
struct libusb_device_handle;

struct LibUsbPipes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint8_t endpointIn = 0;
    std::uint8_t endpointOut = 0;
    int interfaceNumber = 0;
};

class CLibUsbTransport : public IUsbBulkTransport {
public:
    explicit CLibUsbTransport(const LibUsbPipes& pipes);
    ~CLibUsbTransport() override;
    CLibUsbTransport(const CLibUsbTransport&) = delete;
    CLibUsbTransport& operator=(const CLibUsbTransport&) = delete;

    bool OpenDevice() override;
    void CloseDevice() override;
    BulkResult BulkIn(std::uint8_t* buffer, std::uint32_t length, unsigned timeoutMs) override;
    BulkResult BulkOut(const std::uint8_t* data, std::uint32_t length, unsigned timeoutMs) override;

    // Whether a device with these ids is attached.
    static bool IsAttached(std::uint16_t vendorId, std::uint16_t productId);

private:
    BulkResult Transfer(std::uint8_t endpoint, std::uint8_t* data, std::uint32_t length, unsigned timeoutMs);

    const LibUsbPipes m_pipes;
    libusb_context* m_context = nullptr;
    libusb_device_handle* m_device = nullptr;
};
