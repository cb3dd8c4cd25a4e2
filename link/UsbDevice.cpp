#include "link/UsbDevice.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "link/LinkHost.h"
#include "link/LinkMonitor.h"
#include "link/ReceiveLoop.h"
#include "link/UserMessage.h"

namespace {
constexpr char kDefaultDeviceName[] = "Ezusb-0";
constexpr char kDevicePathPrefix[] = "\\\\.\\";

uint32_t TickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
}  // namespace

CUsbDevice::CUsbDevice(UsbDriverPtr driver, ILinkHost* host, const LinkTimings& timings)
    : m_pDriver(std::move(driver)), m_pHost(host), m_timings(timings)
{
    std::snprintf(m_szDeviceName, sizeof m_szDeviceName, "%s", kDefaultDeviceName);
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    std::memset(ADBufferSysParam, 0, sizeof ADBufferSysParam);
    std::memset(ADBufferMenuParam, 0, sizeof ADBufferMenuParam);
}

CUsbDevice::~CUsbDevice()
{
    Disconnect();
    if (m_bReceiverAlive.load() && !m_bStopIssued)
        StopDriverLink();
    StopWatchdog();
    JoinThreads();
}

int CUsbDevice::OpenDevice(UsbHandle* handle, const char* name)
{
    char path[kDeviceNameSize];
    std::snprintf(path, sizeof path, "%s%s", kDevicePathPrefix, name);
    *handle = m_pDriver ? m_pDriver->Open(path) : 0;
    return *handle != 0;
}

int CUsbDevice::Connect()
{
    if (g_bRunThreadR.load() != 0)
        return 0;
    if (!WaitForPreviousThreads() || g_bTransfering.load() != 0)
        return 0;
    m_hDevice.store(0);
    UsbHandle handle = 0;
    if (!OpenDevice(&handle, m_szDeviceName)) {
        ShowUserMessage(Msg(szCheckConnect));
        return 0;
    }
    if (m_pDriver->Start(handle) != 1) {
        ShowUserMessage(Msg(szOnLineFail));
        m_pDriver->Close(handle);
        return 0;
    }
    m_hDevice.store(handle);
    m_bStopIssued = false;
    m_bUserDisconnect.store(0);
    m_nLinkNumber.fetch_add(1);
    g_bRunThreadR.store(1);
    m_bRun.store(1);
    m_bReadDone.store(1);
    m_bReceiverAlive.store(1);
    m_watchdogThread = std::thread(WatchdogThreadProc, this);
    m_receiveThread = std::thread(ReceiveThreadProc, this);
    return 1;
}

void CUsbDevice::Disconnect()
{
    if (g_bRunThreadR.load() != 1)
        return;
    m_bUserDisconnect.store(1);
    g_bRunThreadR.store(0);
    g_bTransfering.store(0);
    StopWatchdog();
    StopDriverLink();
}

// The stop call on a handle of its own; the pending read of the receive
// thread then fails and the thread ends.
void CUsbDevice::StopDriverLink()
{
    m_bStopIssued = true;
    UsbHandle handle = 0;
    if (OpenDevice(&handle, m_szDeviceName)) {
        m_pDriver->Stop(handle);
        m_pDriver->Close(handle);
    }
}

int CUsbDevice::WriteData(const uint8_t* data, uint32_t length)
{
    UsbHandle handle = 0;
    if (!OpenDevice(&handle, m_szDeviceName)) {
        g_bTransfering.store(0);
        g_bRunThreadR.store(0);
        return 0;
    }
    const int ok = m_pDriver->WriteFrame(handle, data, length) == 1;
    if (!ok) {
        g_bTransfering.store(0);
        g_bRunThreadR.store(0);
    }
    m_pDriver->Close(handle);
    return ok;
}

void CUsbDevice::CloseDeviceHandle()
{
    if (UsbHandle handle = m_hDevice.exchange(0))
        m_pDriver->Close(handle);
}

// A receive thread of an earlier link may still be in its last read (a
// Disconnect does not wait for it). Give it time to end; when the link went
// down without a stop call (a failed write), make that call so that the read
// returns. Returns false when it is still alive after the wait.
bool CUsbDevice::WaitForPreviousThreads()
{
    if (m_bReceiverAlive.load()) {
        if (!m_bStopIssued)
            StopDriverLink();
        const uint32_t start = TickCount();
        while (m_bReceiverAlive.load() && TickCount() - start < m_timings.oldReceiverWaitMs)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (m_bReceiverAlive.load())
            return false;
    }
    StopWatchdog();
    JoinThreads();
    return true;
}

void CUsbDevice::JoinThreads()
{
    if (m_receiveThread.joinable())
        m_receiveThread.join();
    if (m_watchdogThread.joinable())
        m_watchdogThread.join();
}

void CUsbDevice::StopWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_watchdogLock);
        m_bRun.store(0);
    }
    m_watchdogWake.notify_all();
}

void CUsbDevice::WatchdogSleep(uint32_t ms)
{
    std::unique_lock<std::mutex> lock(m_watchdogLock);
    // A system-clock deadline, as in the send thread: the wait the thread
    // checkers understand; the silence itself is measured on the steady clock.
    m_watchdogWake.wait_until(lock, std::chrono::system_clock::now() + std::chrono::milliseconds(ms),
                              [this] { return m_bRun.load() == 0; });
}

// The read failed: the link is gone. The user hears of it unless the link was
// taken down on purpose by Disconnect (a failed write, which also clears
// g_bRunThreadR, is no such purpose: a pulled cable is often noticed there).
void CUsbDevice::ReceiveFailed(uint32_t link)
{
    CloseDeviceHandle();
    g_bTransfering.store(0);
    if (m_pHost)
        m_pHost->StopAcquisitionTimer();
    if (m_bUserDisconnect.load() == 0)
        ShowUserMessage(Msg(szDataTransFail));
    g_ReadWfm.store(0);
    if (m_pHost)
        m_pHost->PostDisconnectCommand(link);
    g_bRunThreadR.store(0);
    StopWatchdog();
}

int CUsbDevice::ReceiveThreadProc(CUsbDevice* device)
{
    g_bTransfering.store(1);
    std::vector<uint8_t> buffer(CReceiveLoop::kPacketCapacity);
    CReceiveLoop loop(device->m_pHost);
    const uint32_t link = device->m_nLinkNumber.load();
    int result = 0;
    for (;;) {
        if (g_bRunThreadR.load() == 0) {
            device->CloseDeviceHandle();
            g_bTransfering.store(0);
            device->StopWatchdog();
            break;
        }
        std::memset(buffer.data(), 0, buffer.size());
        uint32_t received = 0;
        const UsbHandle handle = device->m_hDevice.load();
        device->m_bReadDone.store(0);
        const int ok = handle != 0 &&
                       device->m_pDriver->ReadPacket(handle, buffer.data(), CReceiveLoop::kPacketCapacity,
                                                     &received) == 1;
        device->m_bReadDone.store(1);
        if (!ok) {
            device->ReceiveFailed(link);
            result = -1;
            break;
        }
        NotifyLinkMonitor(4, 0);
        const uint32_t n = received < CReceiveLoop::kPacketCapacity ? received : CReceiveLoop::kPacketCapacity;
        if (loop.HandlePacket(buffer.data(), n) == CReceiveLoop::kMemoryError)
            device->CloseDeviceHandle();
    }
    device->m_bReceiverAlive.store(0);
    return result;
}

// Releases the sender, and counts an unfinished waveform transfer as ended,
// once no read has completed for the silence limit; from then on on every
// pass until a read completes.
int CUsbDevice::WatchdogThreadProc(CUsbDevice* device)
{
    const LinkTimings& t = device->m_timings;
    uint32_t lastRead = TickCount();
    while (device->m_bRun.load() != 0) {
        const uint32_t now = TickCount();
        if (device->m_bReadDone.load() == 1) {
            lastRead = TickCount();
            device->WatchdogSleep(t.watchdogPauseMs);
            continue;
        }
        if (now - lastRead > t.watchdogSilenceMs) {
            g_bSend.store(1);
            if (g_WaveTransOver.load() == 0)
                g_WaveTransOver.store(1);
        }
        device->WatchdogSleep(t.watchdogPollMs);
    }
    return 0;
}
