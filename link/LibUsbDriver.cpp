#include "link/LibUsbDriver.h"

#include <libusb.h>

#include <cstdlib>

#include "tessary/ProfileFile.h"

namespace {
constexpr char kSection[] = "USB";

int ParseNumber(const std::string& text, int fallback)
{
    if (text.empty())
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    return end && *end == '\0' && value >= 0 && value <= 0xFFFF ? static_cast<int>(value) : fallback;
}

UsbBackendChoice ParseChoice(const std::string& text)
{
    if (text == "sim" || text == "simulated")
        return UsbBackendChoice::Simulated;
    if (text == "usb" || text == "libusb")
        return UsbBackendChoice::LibUsb;
    return UsbBackendChoice::Automatic;
}
}  // namespace

UsbBackendSettings ReadUsbBackendSettings(const std::string& path)
{
    UsbBackendSettings s;
    CProfileFile file;
    if (!file.Load(path))
        return s;
    auto number = [&](const char* key, int fallback) {
        return ParseNumber(file.GetString(kSection, key, ""), fallback);
    };
    s.choice = ParseChoice(file.GetString(kSection, "Backend", "auto"));
    s.usbConfigured = file.HasKey(kSection, "VendorId") || file.HasKey(kSection, "ProductId");
    s.usb.vendorId = static_cast<uint16_t>(number("VendorId", s.usb.vendorId));
    s.usb.productId = static_cast<uint16_t>(number("ProductId", s.usb.productId));
    s.usb.endpointIn = static_cast<uint8_t>(number("EndpointIn", s.usb.endpointIn) | 0x80);
    s.usb.endpointOut = static_cast<uint8_t>(number("EndpointOut", s.usb.endpointOut) & 0x7F);
    s.usb.interfaceNumber = number("Interface", s.usb.interfaceNumber);
    return s;
}

CLibUsbDriver::CLibUsbDriver(const LibUsbConfig& config) : m_config(config) {}

CLibUsbDriver::~CLibUsbDriver()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_handles.clear();
    CloseUsbDevice();
}

bool CLibUsbDriver::IsInstrumentPresent(const LibUsbConfig& config)
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
            found = d.idVendor == config.vendorId && d.idProduct == config.productId;
    }
    if (count >= 0)
        libusb_free_device_list(list, 1);
    libusb_exit(context);
    return found;
}

// Called with m_lock held.
bool CLibUsbDriver::OpenUsbDevice()
{
    if (m_device)
        return true;
    if (!m_context && libusb_init(&m_context) != 0) {
        m_context = nullptr;
        return false;
    }
    m_device = libusb_open_device_with_vid_pid(m_context, m_config.vendorId, m_config.productId);
    if (!m_device)
        return false;
    libusb_set_auto_detach_kernel_driver(m_device, 1);
    if (libusb_claim_interface(m_device, m_config.interfaceNumber) != 0) {
        libusb_close(m_device);
        m_device = nullptr;
        return false;
    }
    return true;
}

// Called with m_lock held.
void CLibUsbDriver::CloseUsbDevice()
{
    if (m_device) {
        libusb_release_interface(m_device, m_config.interfaceNumber);
        libusb_close(m_device);
        m_device = nullptr;
    }
    if (m_context) {
        libusb_exit(m_context);
        m_context = nullptr;
    }
}

UsbHandle CLibUsbDriver::Open(const char* path)
{
    if (!path)
        return 0;
    std::lock_guard<std::mutex> lock(m_lock);
    if (!OpenUsbDevice())
        return 0;
    const UsbHandle handle = m_nextHandle++;
    m_handles.insert(handle);
    return handle;
}

void CLibUsbDriver::Close(UsbHandle handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_handles.erase(handle) && m_handles.empty())
        CloseUsbDevice();
}

bool CLibUsbDriver::IsOpen(UsbHandle handle) const
{
    return m_handles.count(handle) != 0;
}

libusb_device_handle* CLibUsbDriver::DeviceFor(UsbHandle handle) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return IsOpen(handle) ? m_device : nullptr;
}

int CLibUsbDriver::Start(UsbHandle handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!IsOpen(handle))
        return 0;
    m_stopped = false;
    return 1;
}

int CLibUsbDriver::Stop(UsbHandle handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!IsOpen(handle))
        return 0;
    m_stopped = true;
    return 1;
}

// Waits for one packet in slices, so that a Stop or a closed handle ends the
// wait; the handle keeps the device open while the read runs.
int CLibUsbDriver::ReadPacket(UsbHandle handle, uint8_t* buffer, uint32_t capacity, uint32_t* received)
{
    *received = 0;
    for (;;) {
        libusb_device_handle* device;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_stopped || !IsOpen(handle))
                return 0;
            device = m_device;
        }
        int got = 0;
        const int rc = libusb_bulk_transfer(device, m_config.endpointIn, buffer, static_cast<int>(capacity), &got,
                                            m_config.readSliceMs);
        if (rc == LIBUSB_ERROR_TIMEOUT && got == 0)
            continue;
        if (rc != 0 && rc != LIBUSB_ERROR_TIMEOUT)
            return 0;
        *received = static_cast<uint32_t>(got);
        return 1;
    }
}

int CLibUsbDriver::WriteFrame(UsbHandle handle, const uint8_t* frame, uint32_t length)
{
    libusb_device_handle* device = DeviceFor(handle);
    if (!device)
        return 0;
    int sent = 0;
    const int rc = libusb_bulk_transfer(device, m_config.endpointOut, const_cast<uint8_t*>(frame),
                                        static_cast<int>(length), &sent, m_config.writeTimeoutMs);
    return rc == 0 && sent == static_cast<int>(length) ? 1 : 0;
}
