#include "link/LibUsbDriver.h"

#include <algorithm>
#include <cstdlib>

#include "link/LibUsbTransport.h"
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

namespace {
LibUsbPipes PipesOf(const LibUsbConfig& c)
{
    return {c.vendorId, c.productId, c.endpointIn, c.endpointOut, c.interfaceNumber};
}

unsigned GapSlices(const LibUsbConfig& c)
{
    return c.readSliceMs == 0 ? 1 : std::max(1u, c.answerGapMs / c.readSliceMs);
}
}  // namespace

CLibUsbDriver::CLibUsbDriver(const LibUsbConfig& config)
    : CLibUsbDriver(config, std::make_shared<CLibUsbTransport>(PipesOf(config)))
{
}

CLibUsbDriver::CLibUsbDriver(const LibUsbConfig& config, UsbBulkTransportPtr transport)
    : m_config(config), m_transport(std::move(transport)),
      m_assembler(*m_transport, config.readSliceMs, GapSlices(config))
{
}

CLibUsbDriver::~CLibUsbDriver()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_handles.clear();
    if (m_deviceOpen)
        m_transport->CloseDevice();
}

bool CLibUsbDriver::IsInstrumentPresent(const LibUsbConfig& config)
{
    return CLibUsbTransport::IsAttached(config.vendorId, config.productId);
}

UsbHandle CLibUsbDriver::Open(const char* path)
{
    if (!path)
        return 0;
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_deviceOpen && !(m_deviceOpen = m_transport->OpenDevice()))
        return 0;
    const UsbHandle handle = m_nextHandle++;
    m_handles.insert(handle);
    return handle;
}

void CLibUsbDriver::Close(UsbHandle handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_handles.erase(handle) && m_handles.empty() && m_deviceOpen) {
        m_transport->CloseDevice();
        m_deviceOpen = false;
    }
}

bool CLibUsbDriver::IsOpen(UsbHandle handle) const
{
    return m_handles.count(handle) != 0;
}

bool CLibUsbDriver::IsReading(UsbHandle handle) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return !m_stopped && IsOpen(handle);
}

// No reader runs before Start (the receive thread starts after it), so the
// pipe can be drained here without the lock.
int CLibUsbDriver::Start(UsbHandle handle)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!IsOpen(handle))
            return 0;
    }
    m_assembler.Drain(kDrainWaitMs, kDrainTransfers);
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

// One answer, in read slices, so that a Stop or a closed handle ends the
// wait; the handle keeps the device open while the read runs.
int CLibUsbDriver::ReadPacket(UsbHandle handle, uint8_t* buffer, uint32_t capacity, uint32_t* received)
{
    *received = 0;
    if (!buffer)
        return 0;
    return m_assembler.ReadAnswer(buffer, capacity, received, [&] { return IsReading(handle); });
}

int CLibUsbDriver::WriteFrame(UsbHandle handle, const uint8_t* frame, uint32_t length)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!IsOpen(handle) || !frame)
            return 0;
    }
    const BulkResult r = m_transport->BulkOut(frame, length, m_config.writeTimeoutMs);
    return r.status == BulkStatus::Done && r.received == length ? 1 : 0;
}
