#pragma once
// The simulated instrument seen through a USB bulk pipe, the way the libusb
// backend sees a real one (IUsbBulkTransport of link/UsbBulkTransport.h):
// its answers arrive as a byte stream cut into transfers of 1 ... maxBytes
// bytes, at seeded places that include the awkward ones (inside the header,
// one byte before the end, 512-byte boundaries), sometimes with a zero-length
// packet or the start of the next answer in the same transfer, and with a
// pause longer than a read slice inside every pauseEvery-th answer.
// Chosen with the "pipe=" item of the option string (sim/README.md).
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "link/UsbBulkTransport.h"
#include "link/UsbDriver.h"
#include "sim/SimOptions.h"

class CSimInstrument;

class CSimUsbPipe : public IUsbBulkTransport {
public:
    CSimUsbPipe(std::shared_ptr<CSimInstrument> instrument, const SimPipePlan& plan, std::uint64_t seed);
    ~CSimUsbPipe() override;

    bool OpenDevice() override;
    void CloseDevice() override;
    BulkResult BulkIn(std::uint8_t* buffer, std::uint32_t length, unsigned timeoutMs) override;
    BulkResult BulkOut(const std::uint8_t* data, std::uint32_t length, unsigned timeoutMs) override;

    std::uint64_t Transfers() const { return m_transfers.load(); }
    std::uint64_t Pauses() const { return m_pauses.load(); }

private:
    int FetchAnswer(unsigned waitMs);   // 1 appended, -1 none in time, 0 failed
    bool Paused(unsigned timeoutMs);
    std::uint32_t NextPieceBytes(std::uint32_t length);
    bool Chance(int oneIn);

    std::shared_ptr<CSimInstrument> m_instrument;
    const SimPipePlan m_plan;
    std::mt19937_64 m_random;
    std::atomic<UsbHandle> m_handle{0};
    std::vector<std::uint8_t> m_stream;  // answer bytes not delivered yet
    std::size_t m_pauseAt = 0;           // stream offset of the next pause, 0: none
    bool m_pausing = false;
    std::chrono::steady_clock::time_point m_pauseUntil{};
    std::vector<std::uint8_t> m_packet;  // one answer as the instrument sent it
    std::uint64_t m_answers = 0;
    std::atomic<std::uint64_t> m_transfers{0};
    std::atomic<std::uint64_t> m_pauses{0};
};
