#include "link/LibUsbTransport.h"

#include <libusb.h>

CLibUsbTransport::CLibUsbTransport(const LibUsbPipes& pipes) : m_pipes(pipes) {}

CLibUsbTransport::~CLibUsbTransport()
{
    CloseDevice();
}

bool CLibUsbTransport::IsAttached(std::uint16_t vendorId, std::uint16_t productId)
{
    libusb_context* context = nullptr;
    if (libusb_init(&context) != 0)
        return false;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    bool found = false;
    for (ssize_t i = 0; i < count && !found; ++i) {
        libusb_device_descriptor d{};
        if (libusb_get_device_descriptor(list[i], &d) == 0)
            found = d.idVendor == vendorId && d.idProduct == productId;
    }
    if (count >= 0)
        libusb_free_device_list(list, 1);
    libusb_exit(context);
    return found;
}

bool CLibUsbTransport::OpenDevice()
{
    if (m_device)
        return true;
    if (!m_context && libusb_init(&m_context) != 0) {
        m_context = nullptr;
        return false;
    }
    m_device = libusb_open_device_with_vid_pid(m_context, m_pipes.vendorId, m_pipes.productId);
    if (!m_device)
        return false;
    libusb_set_auto_detach_kernel_driver(m_device, 1);
    if (libusb_claim_interface(m_device, m_pipes.interfaceNumber) != 0) {
        libusb_close(m_device);
        m_device = nullptr;
        return false;
    }
    return true;
}

void CLibUsbTransport::CloseDevice()
{
    if (m_device) {
        libusb_release_interface(m_device, m_pipes.interfaceNumber);
        libusb_close(m_device);
        m_device = nullptr;
    }
    if (m_context) {
        libusb_exit(m_context);
        m_context = nullptr;
    }
}

BulkResult CLibUsbTransport::Transfer(std::uint8_t endpoint, std::uint8_t* data, std::uint32_t length,
                                      unsigned timeoutMs)
{
    BulkResult result;
    if (!m_device)
        return result;
    int got = 0;
    const int rc = libusb_bulk_transfer(m_device, endpoint, data, static_cast<int>(length), &got, timeoutMs);
    result.received = got > 0 ? static_cast<std::uint32_t>(got) : 0;
    switch (rc) {
    case LIBUSB_SUCCESS: result.status = BulkStatus::Done; break;
    case LIBUSB_ERROR_TIMEOUT: result.status = BulkStatus::TimedOut; break;
    case LIBUSB_ERROR_OVERFLOW: result.status = BulkStatus::Overflow; break;
    default: result.status = BulkStatus::Failed; break;
    }
    return result;
}

BulkResult CLibUsbTransport::BulkIn(std::uint8_t* buffer, std::uint32_t length, unsigned timeoutMs)
{
    return Transfer(m_pipes.endpointIn, buffer, length, timeoutMs);
}

BulkResult CLibUsbTransport::BulkOut(const std::uint8_t* data, std::uint32_t length, unsigned timeoutMs)
{
    // libusb takes one buffer type for both directions; an OUT transfer only reads it.
    return Transfer(m_pipes.endpointOut, const_cast<std::uint8_t*>(data), length, timeoutMs);
}
