#pragma once
// CUsbDevice: the lowest layer of the link. Opens the instrument's driver,
// starts and stops the link, writes command frames, and runs the two worker
// threads: the receive thread (its packet handling is CReceiveLoop) and the
// watchdog, which releases the command sender when the instrument has been
// silent for too long. It knows nothing of what the bytes mean.
//
// Connect and Disconnect are called from the user-interface thread, WriteData
// from the send thread; every write opens and closes its own driver handle,
// so it never shares a handle with the receive thread's blocking read.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "link/LinkTimings.h"
#include "link/UsbDriver.h"

class ILinkHost;

class CUsbDevice {
public:
    static constexpr int kDeviceNameSize = 64;

    // driver: the backend (simulated or libusb); host: the main frame's
    // routines the receive thread calls (may be null).
    CUsbDevice(UsbDriverPtr driver, ILinkHost* host = nullptr, const LinkTimings& timings = {});
    CUsbDevice(const CUsbDevice&) = delete;
    CUsbDevice& operator=(const CUsbDevice&) = delete;
    // Takes the link down and waits for both worker threads.
    virtual ~CUsbDevice();

    // Opens "\\.\" + name; stores the handle and returns non-zero when valid.
    int OpenDevice(UsbHandle* handle, const char* name);
    // Opens the driver, starts the link and both worker threads. Returns 1 on
    // success; 0 when a link is up (silently) or the driver cannot be opened
    // or started (with a message for the user).
    int Connect();
    // Stops the link; the receive thread ends when its pending read returns.
    void Disconnect();
    // Writes one frame on a handle of its own. A failure takes the link down.
    int WriteData(const uint8_t* data, uint32_t length);
    // The handle the receive thread reads on, 0 when none.
    UsbHandle GetDeviceHandle() const { return m_hDevice.load(); }
    const char* GetDeviceName() const { return m_szDeviceName; }
    // Counts the links this device brought up; the current or last one.
    uint32_t LinkNumber() const { return m_nLinkNumber.load(); }
    // True until the receive thread has returned, i.e. until a failed link
    // has been taken down completely (message shown, flags cleared).
    bool IsReceiverAlive() const { return m_bReceiverAlive.load() != 0; }

    static int ReceiveThreadProc(CUsbDevice* device);
    static int WatchdogThreadProc(CUsbDevice* device);

    // Set between a driver and its replacement (no link may be up).
    void SetDriver(UsbDriverPtr driver) { m_pDriver = std::move(driver); }
    const UsbDriverPtr& Driver() const { return m_pDriver; }

    std::atomic<int32_t> m_bRun{0};       // 1 while the worker threads are to keep running
    std::atomic<int32_t> m_bReadDone{1};  // 0 while the receive thread's read is pending

private:
    void CloseDeviceHandle();
    void ReceiveFailed(uint32_t link);
    bool WaitForPreviousThreads();
    void JoinThreads();
    void WatchdogSleep(uint32_t ms);
    void StopWatchdog();
    void StopDriverLink();

    std::thread m_receiveThread;
    char m_szDeviceName[kDeviceNameSize] = {};
    std::atomic<UsbHandle> m_hDevice{0};
    std::thread m_watchdogThread;

    UsbDriverPtr m_pDriver;
    ILinkHost* m_pHost;
    LinkTimings m_timings;
    std::atomic<int32_t> m_bReceiverAlive{0};  // the receive thread has not returned yet
    bool m_bStopIssued = false;                // the stop call was made for the current link
    std::atomic<int32_t> m_bUserDisconnect{0};  // Disconnect was called for the current link
    std::atomic<uint32_t> m_nLinkNumber{0};     // links brought up so far
    std::mutex m_watchdogLock;
    std::condition_variable m_watchdogWake;
};
