#include "sim/SimUsbPipe.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "sim/SimInstrument.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kPacketBytes = 512;       // high-speed bulk packet size
constexpr std::uint32_t kLargestAnswer = 65535;
constexpr std::uint64_t kPipeSeedSalt = 0x9E3779B97F4A7C15ull;  // keeps the cuts apart from the signal noise
}  // namespace

CSimUsbPipe::CSimUsbPipe(std::shared_ptr<CSimInstrument> instrument, const SimPipePlan& plan, std::uint64_t seed)
    : m_instrument(std::move(instrument)), m_plan(plan), m_random(seed ^ kPipeSeedSalt), m_packet(kLargestAnswer)
{
}

CSimUsbPipe::~CSimUsbPipe()
{
    CloseDevice();
}

bool CSimUsbPipe::OpenDevice()
{
    if (m_handle.load())
        return true;
    const std::string path = std::string("\\\\.\\") + CSimInstrument::kDeviceName;
    const UsbHandle handle = m_instrument->Open(path.c_str());
    if (!handle)
        return false;
    if (!m_instrument->Start(handle)) {
        m_instrument->Close(handle);
        return false;
    }
    m_stream.clear();
    m_pauseAt = 0;
    m_handle.store(handle);
    return true;
}

void CSimUsbPipe::CloseDevice()
{
    const UsbHandle handle = m_handle.exchange(0);
    if (!handle)
        return;
    m_instrument->Stop(handle);
    m_instrument->Close(handle);
}

BulkResult CSimUsbPipe::BulkOut(const std::uint8_t* data, std::uint32_t length, unsigned)
{
    BulkResult r;
    const UsbHandle handle = m_handle.load();
    if (handle && m_instrument->WriteFrame(handle, data, length)) {
        r.status = BulkStatus::Done;
        r.received = length;
    }
    return r;
}

bool CSimUsbPipe::Chance(int oneIn)
{
    return std::uniform_int_distribution<int>(0, oneIn - 1)(m_random) == 0;
}

// The answer goes to the end of the stream; every pauseEvery-th answer gets a
// pause at a drawn place inside it.
int CSimUsbPipe::FetchAnswer(unsigned waitMs)
{
    std::uint32_t got = 0;
    const int rc = m_instrument->ReadPacketFor(m_handle.load(), m_packet.data(), kLargestAnswer, &got,
                                               static_cast<int>(waitMs));
    if (rc != 1)
        return rc;
    const std::size_t start = m_stream.size();
    m_stream.insert(m_stream.end(), m_packet.begin(), m_packet.begin() + got);
    ++m_answers;
    if (m_pauseAt == 0 && m_plan.pauseEvery > 0 && m_answers % m_plan.pauseEvery == 0 && got > 1)
        m_pauseAt = start + std::uniform_int_distribution<std::size_t>(1, got - 1)(m_random);
    return 1;
}

// A piece of a few header bytes, a whole number of packets, all but the last
// byte, or any size; never past the pause or what the host asked for.
std::uint32_t CSimUsbPipe::NextPieceBytes(std::uint32_t length)
{
    const std::uint32_t largest = static_cast<std::uint32_t>(m_plan.maxBytes);
    std::uint32_t n = 0;
    switch (std::uniform_int_distribution<int>(0, 5)(m_random)) {
    case 0: n = std::uniform_int_distribution<std::uint32_t>(1, 3)(m_random); break;
    case 1: n = kPacketBytes * std::uniform_int_distribution<std::uint32_t>(1, std::max(1u, largest / kPacketBytes))(m_random); break;
    case 2: n = static_cast<std::uint32_t>(m_stream.size() - 1); break;
    default: n = std::uniform_int_distribution<std::uint32_t>(1, largest)(m_random); break;
    }
    std::size_t limit = std::min<std::size_t>({largest, length, m_stream.size()});
    if (m_pauseAt > 0)
        limit = std::min(limit, m_pauseAt);
    return static_cast<std::uint32_t>(std::clamp<std::size_t>(n, 1, limit));
}

BulkResult CSimUsbPipe::BulkIn(std::uint8_t* buffer, std::uint32_t length, unsigned timeoutMs)
{
    ++m_transfers;
    BulkResult r;
    if (!m_handle.load())
        return r;
    if (Paused(timeoutMs)) {
        r.status = BulkStatus::TimedOut;
        return r;
    }
    if (m_stream.empty()) {
        const int rc = FetchAnswer(timeoutMs);
        if (rc != 1) {
            r.status = rc < 0 ? BulkStatus::TimedOut : BulkStatus::Failed;
            return r;
        }
    }
    if (Chance(4))
        FetchAnswer(0);  // the next answer, when ready, may share this transfer
    r.status = BulkStatus::Done;
    if (Chance(16))
        return r;  // a zero-length packet
    const std::uint32_t n = NextPieceBytes(length);
    std::memcpy(buffer, m_stream.data(), n);
    m_stream.erase(m_stream.begin(), m_stream.begin() + n);
    r.received = n;
    if (m_pauseAt == 0)
        return r;
    m_pauseAt -= n;
    if (m_pauseAt > 0)
        return r;
    // The instrument goes quiet here for longer than the host waits: this
    // transfer times out with what came so far.
    ++m_pauses;
    m_pausing = true;
    m_pauseUntil = Clock::now() + std::chrono::milliseconds(m_plan.pauseMs);
    Paused(timeoutMs);
    r.status = BulkStatus::TimedOut;
    return r;
}

// Waits out a pause for at most one transfer's time; true while it lasts.
bool CSimUsbPipe::Paused(unsigned timeoutMs)
{
    if (!m_pausing)
        return false;
    const auto end = std::min(m_pauseUntil, Clock::now() + std::chrono::milliseconds(timeoutMs));
    std::this_thread::sleep_until(end);
    m_pausing = Clock::now() < m_pauseUntil;
    return m_pausing;
}
