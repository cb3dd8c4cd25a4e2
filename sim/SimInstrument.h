#pragma once
// The simulated instrument as a driver backend: it takes the frames the
// device layer writes and produces the answer packets its receive loop reads,
// one packet per read, with the timing and the faults of a real cable.
//
//   auto sim = CreateSimInstrument("model=0,ch1=sine:1k:2,fault=drop:0.05", &error);
//   device.SetDriver(sim);   // nothing above the device layer knows the difference
//
// Timing: the answers to a frame become readable `latency` (+ jitter) ms after
// the frame was written, in order; a read blocks until the next one is ready.
// A read fails at once when the link is stopped, the reading handle is closed
// or the cable is pulled, so a blocked receive thread always comes back.
//
// Thread-safety: every call may come from any thread. Writes are serialised
// (the firmware sees one frame at a time); reads wait on a condition variable.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "link/UsbDriver.h"
#include "sim/SimFirmware.h"
#include "sim/SimOptions.h"

class CSimInstrument : public IUsbDriver {
public:
    // The device name the driver answers to (the path ends in it).
    static constexpr const char* kDeviceName = "Ezusb-0";

    explicit CSimInstrument(const SimOptions& options);
    ~CSimInstrument() override;

    UsbHandle Open(const char* path) override;
    void Close(UsbHandle handle) override;
    int Start(UsbHandle handle) override;
    int ReadPacket(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity,
                   std::uint32_t* received) override;
    int WriteFrame(UsbHandle handle, const std::uint8_t* frame, std::uint32_t length) override;
    int Stop(UsbHandle handle) override;
    // ReadPacket that waits at most waitMs: 1 with a packet, 0 when the read
    // fails as ReadPacket's would, -1 when no packet was ready in time.
    int ReadPacketFor(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received,
                      int waitMs);

    // The cable: pulled, every read fails and opens and writes fail until it
    // is plugged in again (which finds the link stopped, as after a power cycle).
    void PullCable();
    void PlugCable();
    bool CablePulled() const;
    // The firmware answers nothing for the next ms milliseconds.
    void Silence(int ms);

    // Runs f on the firmware state while no frame is being handled (for tests
    // and tools that look at or change the instrument directly).
    void WithState(const std::function<void(SimState&)>& f);
    std::int64_t Param(const std::string& name);

    int FramesWritten() const;
    int PacketsQueued() const;   // answers waiting to be read
    int PacketsLost() const;     // dropped on the cable or swallowed by silence

private:
    struct Pending {
        SimPacket bytes;
        std::chrono::steady_clock::time_point readyAt;
    };

    int Read(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received,
             const std::chrono::steady_clock::time_point* deadline);
    bool HandleOpen(UsbHandle handle) const;   // with m_mutex held
    bool CountFrameAndCheckPull();             // with m_mutex held; false: the cable went
    bool SilentNow();                          // with m_mutex held
    void Enqueue(std::vector<SimPacket> answers);  // with m_mutex held
    bool Chance(double rate);                  // with m_mutex held
    void Disconnect();                         // with m_mutex held: link down, queue emptied

    const SimFaultPlan m_faults;

    std::mutex m_firmwareMutex;  // taken before m_mutex, never after it
    CSimFirmware m_firmware;

    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Pending> m_queue;
    std::set<UsbHandle> m_handles;
    UsbHandle m_nextHandle = 1;
    bool m_started = false;
    bool m_pulled = false;
    bool m_shutdown = false;
    int m_framesWritten = 0;
    int m_packetsLost = 0;
    bool m_silenceFromPlanStarted = false;
    std::chrono::steady_clock::time_point m_silentUntil{};
    bool m_silentForGood = false;
    std::chrono::steady_clock::time_point m_lastReady{};
    std::mt19937_64 m_random;
};

// Builds a simulated instrument from an option string (grammar in
// sim/README.md). Returns null and puts a one-line reason into *error (when
// not null) for a malformed string.
std::shared_ptr<CSimInstrument> CreateSimInstrument(const std::string& options, std::string* error);
