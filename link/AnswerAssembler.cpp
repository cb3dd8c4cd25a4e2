#include "link/AnswerAssembler.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint8_t kStartMark = 'S';
constexpr std::uint8_t kFirstAnswerCode = 0x80;
constexpr std::uint8_t kLastAnswerCode = 0xA0;
constexpr std::uint32_t kHeaderBytes = 4;  // start mark, length, code
}  // namespace

CAnswerAssembler::CAnswerAssembler(IUsbBulkTransport& transport, unsigned sliceMs, unsigned gapSlices)
    : m_transport(transport), m_sliceMs(sliceMs), m_gapSlices(gapSlices), m_transfer(kTransferBytes)
{
}

// The length the answer at the front declares; what cannot be an answer
// counts as complete as it stands. 0 while its header is still incomplete.
std::uint32_t CAnswerAssembler::AnswerLength() const
{
    const std::size_t held = m_bytes.size();
    if (m_bytes[0] != kStartMark)
        return static_cast<std::uint32_t>(held);
    if (held < 3)
        return 0;
    const std::uint32_t total = (m_bytes[1] | (m_bytes[2] << 8)) + 3u;
    if (total < kHeaderBytes)
        return total;
    if (held < kHeaderBytes)
        return 0;
    const std::uint8_t code = m_bytes[3];
    if (code < kFirstAnswerCode || code > kLastAnswerCode)
        return static_cast<std::uint32_t>(held);
    return total;
}

void CAnswerAssembler::HandOn(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received,
                              std::size_t count, std::size_t consumed)
{
    const std::size_t copied = std::min<std::size_t>(count, capacity);
    std::memcpy(buffer, m_bytes.data(), copied);
    *received = static_cast<std::uint32_t>(copied);
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(consumed));
}

bool CAnswerAssembler::TakeAnswer(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received,
                                  bool gapExpired)
{
    if (m_bytes.empty()) {
        m_damaged = false;
        return false;
    }
    const std::uint32_t total = AnswerLength();
    if (total != 0 && m_bytes.size() >= total) {
        HandOn(buffer, capacity, received, total, total);
        return true;
    }
    if (!m_damaged && !gapExpired)
        return false;
    // The rest of this answer is not coming: hand on what came of it. A
    // damaged answer ends where its transfer ended (all that is held).
    const std::size_t count = m_bytes.size();
    HandOn(buffer, capacity, received, count, count);
    m_damaged = false;
    return true;
}

int CAnswerAssembler::ReadAnswer(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received,
                                 const std::function<bool()>& keepReading)
{
    *received = 0;
    unsigned emptySlices = 0;
    for (;;) {
        if (TakeAnswer(buffer, capacity, received, m_gapSlices > 0 && emptySlices >= m_gapSlices))
            return 1;
        if (!keepReading())
            return 0;
        const BulkResult r = m_transport.BulkIn(m_transfer.data(), kTransferBytes, m_sliceMs);
        if (r.status == BulkStatus::Failed)
            return 0;
        const std::uint32_t got = std::min(r.received, kTransferBytes);
        m_bytes.insert(m_bytes.end(), m_transfer.begin(), m_transfer.begin() + got);
        if (r.status == BulkStatus::Overflow)
            m_damaged = true;
        emptySlices = got == 0 && r.status == BulkStatus::TimedOut ? emptySlices + 1 : 0;
    }
}

std::uint64_t CAnswerAssembler::Drain(unsigned waitMs, int maxTransfers)
{
    std::uint64_t dropped = m_bytes.size();
    for (int i = 0; i < maxTransfers; ++i) {
        const BulkResult r = m_transport.BulkIn(m_transfer.data(), kTransferBytes, waitMs);
        dropped += std::min(r.received, kTransferBytes);
        if (r.status == BulkStatus::Failed || (r.status == BulkStatus::TimedOut && r.received == 0))
            break;
    }
    m_bytes.clear();
    m_damaged = false;
    return dropped;
}
