#pragma once
// A driver backend that passes the simulated instrument's answers on and
// injects one fault at a time on request: answers dropped or damaged, a
// silent or slow instrument, the cable pulled. The simulated instrument may
// sit behind the USB-pipe backend, which hands its answers over in pieces.
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "link/UsbDriver.h"
#include "sim/SimInstrument.h"

enum class InjectedFault { None, Drop, Corrupt, Silent, Slow, Pull };

class CFaultDriver : public IUsbDriver {
public:
    static constexpr int kSlowMs = 120;   // added before each answer of a slow instrument

    CFaultDriver(UsbDriverPtr inner, std::shared_ptr<CSimInstrument> sim) : m_inner(std::move(inner)), m_sim(std::move(sim)) {}

    // Starts a fault (Silent lasts silentMs); None ends any fault.
    void Inject(InjectedFault fault, int silentMs = 0)
    {
        m_fault.store(fault);
        if (fault == InjectedFault::Silent)
            m_sim->Silence(silentMs);
        if (fault == InjectedFault::Pull)
            m_sim->PullCable();
        if (fault == InjectedFault::None && m_sim->CablePulled())
            m_sim->PlugCable();
    }

    UsbHandle Open(const char* path) override { return m_inner->Open(path); }
    void Close(UsbHandle handle) override { m_inner->Close(handle); }
    int Start(UsbHandle handle) override { return m_inner->Start(handle); }
    int Stop(UsbHandle handle) override { return m_inner->Stop(handle); }
    int WriteFrame(UsbHandle handle, const std::uint8_t* frame, std::uint32_t length) override
    {
        return m_inner->WriteFrame(handle, frame, length);
    }
    // Every second answer is lost or damaged (its last byte, the check sum,
    // changed) while that fault is on.
    int ReadPacket(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received) override
    {
        for (;;) {
            if (!m_inner->ReadPacket(handle, buffer, capacity, received))
                return 0;
            const InjectedFault fault = m_fault.load();
            const bool second = (++m_reads % 2) == 0;
            if (fault == InjectedFault::Drop && second)
                continue;
            if (fault == InjectedFault::Corrupt && second && *received > 0)
                buffer[*received - 1] ^= 0x5A;
            if (fault == InjectedFault::Slow)
                std::this_thread::sleep_for(std::chrono::milliseconds(kSlowMs));
            return 1;
        }
    }

private:
    UsbDriverPtr m_inner;
    std::shared_ptr<CSimInstrument> m_sim;
    std::atomic<InjectedFault> m_fault{InjectedFault::None};
    std::atomic<unsigned> m_reads{0};
};
