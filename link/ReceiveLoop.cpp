#include "link/ReceiveLoop.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "link/LinkHost.h"
#include "link/UserMessage.h"

// One checked packet: n bytes read, total bytes by its length field (n >= total).
// Byte() reads as zero past the bytes read, as the zero-filled receive buffer does.
class CReceiveLoop::Packet {
public:
    Packet(const uint8_t* bytes, uint32_t n, uint32_t total) : m_bytes(bytes), m_n(n), m_total(total) {}
    uint8_t Byte(uint32_t i) const { return i < m_n ? m_bytes[i] : 0; }
    uint8_t Code() const { return m_bytes[3]; }
    uint8_t SubCode() const { return Byte(4); }
    uint32_t Total() const { return m_total; }
    // Data bytes from index first up to the byte before the check byte.
    const uint8_t* From(uint32_t first) const { return m_bytes + first; }
    uint32_t CountFrom(uint32_t first) const { return m_total >= first + 1 ? m_total - 1 - first : 0; }
    // Copies length bytes from index first into dest; bytes past the read are zero.
    void CopyOut(uint32_t first, uint8_t* dest, size_t length) const
    {
        const size_t available = first < m_n ? std::min<size_t>(length, m_n - first) : 0;
        if (available)
            std::memcpy(dest, m_bytes + first, available);
        std::memset(dest + available, 0, length - available);
    }

private:
    const uint8_t* m_bytes;
    uint32_t m_n;
    uint32_t m_total;
};

namespace {
constexpr uint8_t kStartMark = 'S';
constexpr int kAnswerBase = 0x80;
constexpr int kAnswerCount = 33;  // 0x80..0xA0

bool IsStopLikeState(const std::string& state)
{
    return state == "STOP" || state == "Ready" || state == "Astop" || state == "Armed";
}
}  // namespace

CReceiveLoop::Result CReceiveLoop::HandlePacket(const uint8_t* packet, uint32_t n)
{
    if (n <= 3) {
        g_bSend.store(1);
        return kDroppedShort;
    }
    if (packet[0] != kStartMark)
        return kDroppedForeign;
    uint8_t sum = 0;
    for (uint32_t i = 0; i + 1 < n; ++i)
        sum = static_cast<uint8_t>(sum + packet[i]);
    const uint32_t total = (static_cast<uint32_t>(packet[1]) | (static_cast<uint32_t>(packet[2]) << 8)) + 3;
    if (n < total || packet[total - 1] != sum) {
        g_bSend.store(1);
        return kDroppedDamaged;
    }
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_bRespose.store(1);
    const int index = static_cast<int8_t>(packet[3]) + 128;
    if (index < 0 || index >= kAnswerCount)
        return kDroppedUnknownCode;
    return Apply(Packet(packet, n, total));
}

CReceiveLoop::Result CReceiveLoop::Apply(const Packet& p)
{
    bool release = true;
    switch (p.Code()) {
    case 0x80:
    case 0x84:
    case 0x91:
    case 0x93:
    case 0x9E:
    case 0x9F:
        break;
    case 0x81:
        ApplySysParamBlock(p);
        release = false;
        break;
    case 0x82:
        if (p.SubCode() == 1 && !StoreSamples(p))
            return kMemoryError;
        release = ApplyWaveform(p);
        break;
    case 0x83:
        ApplyStatusTables(p);
        break;
    case 0x85:
        ResetRecord();
        if (m_pHost)
            m_pHost->ClearCommandQueue();
        g_ReadWfm.store(0);
        g_WaveTransOver.store(1);
        break;
    case 0x8E:
        ApplyMenuByte(p);
        break;
    case 0x8F:
        ApplySmallParam(p);
        break;
    case 0x90:
        release = ApplyConfigText(p);
        break;
    case 0x92:
        ApplyReadMode(p);
        break;
    case 0xA0:
        release = ApplyScreen(p);
        break;
    default:
        release = false;
        break;
    }
    if (release)
        g_bSend.store(1);
    return kApplied;
}

// Waveform transfer by sub-code: 0 announces the record length, 1 carries
// samples (stored by StoreSamples), 2 ends the record, 3 abandons it.
// Returns whether the sender is released.
bool CReceiveLoop::ApplyWaveform(const Packet& p)
{
    switch (p.SubCode()) {
    case 0: {
        const int64_t length = p.Byte(5) | (p.Byte(6) << 8) | (p.Byte(7) << 16);
        m_bLengthAnnounced = true;
        SetRecordLength(std::min<int64_t>(length, g_DepthSize));
        return false;
    }
    case 2:
        EndRecord();
        return true;
    case 3:
        ResetRecord();
        if (m_pHost && IsStopLikeState(g_wfmParam.strState))
            m_pHost->NotifyViews();
        return true;
    default:
        return false;
    }
}

// Samples of one channel from byte 6 on, each stored only below g_DepthSize;
// the write position advances by the count in any case.
bool CReceiveLoop::StoreSamples(const Packet& p)
{
    const uint8_t channel = p.Byte(5);
    if (channel > 1)
        return true;
    unsigned char* buffer = channel == 0 ? ADBufferCH1 : ADBufferCH2;
    if (!buffer) {
        ShowUserMessage(Msg(g_strMemoryErr));
        return false;
    }
    const uint32_t count = p.CountFrom(6);
    int64_t& pos = m_writePos[channel];
    const int64_t depth = std::max<int32_t>(g_DepthSize, 0);
    if (pos < depth) {
        const int64_t stored = std::min<int64_t>(count, depth - pos);
        std::memcpy(buffer + pos, p.From(6), static_cast<size_t>(stored));
    }
    pos += count;
    return true;
}

void CReceiveLoop::EndRecord()
{
    if (!m_bLengthAnnounced) {
        const int64_t written = m_writePos[0] != 0 ? m_writePos[0] : m_writePos[1];
        const int64_t depth = std::max<int32_t>(g_DepthSize, 0);
        SetRecordLength(written != 0 ? std::min(written, depth) : waveDataLen);
    }
    ResetRecord();
    if (m_pHost)
        m_pHost->NotifyViews();
}

void CReceiveLoop::ResetRecord()
{
    m_writePos[0] = m_writePos[1] = 0;
    m_bLengthAnnounced = false;
}

void CReceiveLoop::SetRecordLength(int64_t length)
{
    waveDataLen = static_cast<int32_t>(std::max<int64_t>(length, 0));
    if (g_GridNum > 0.0f)
        WaveDots = static_cast<int32_t>(waveDataLen / g_GridNum);
    if (m_pHost)
        m_pHost->OnDataLengthChanged(waveDataLen);
}

void CReceiveLoop::ApplySysParamBlock(const Packet& p)
{
    if (!g_pSysParamBuffer || g_SysParamLen <= 0)
        return;
    p.CopyOut(4, g_pSysParamBuffer, static_cast<size_t>(g_SysParamLen));
    if (m_pHost)
        m_pHost->PostToSettingsPanel();
}

void CReceiveLoop::ApplyStatusTables(const Packet& p)
{
    p.CopyOut(4, ADBufferSysParam, kSysParamBufferSize);
    p.CopyOut(4 + kSysParamBufferSize, ADBufferMenuParam, kMenuParamBufferSize);
    if (m_pHost)
        m_pHost->PostToSettingsPanel();
}

void CReceiveLoop::ApplyMenuByte(const Packet& p)
{
    const int64_t index = static_cast<int64_t>(cmdItem.menu) * 6 + cmdItem.item;
    if (index >= 0 && index < kMenuParamBufferSize)
        ADBufferMenuParam[index] = p.Byte(4);
    if (m_pHost)
        m_pHost->PostToSettingsPanel();
}

void CReceiveLoop::ApplySmallParam(const Packet& p)
{
    const uint32_t width = p.Byte(4);
    const uint32_t offset = p.Byte(6) | (p.Byte(7) << 8);
    const bool knownWidth = width == 1 || width == 2 || width == 4 || width == 8;
    if (knownWidth && offset + width <= kSysParamBufferSize)
        p.CopyOut(8, ADBufferSysParam + offset, width);
    if (m_pHost)
        m_pHost->PostToSettingsPanel();
}

// Configuration text: sub-code 1 adds its bytes to the running sum and
// appends them as text (up to a zero byte, never past the buffer's last
// byte, which stays the terminating zero); sub-code 2 compares the sum.
bool CReceiveLoop::ApplyConfigText(const Packet& p)
{
    if (p.SubCode() == 1) {
        const uint32_t count = p.CountFrom(5);
        const uint8_t* text = p.From(5);
        int32_t check = g_ConfigCheck.load();
        for (uint32_t i = 0; i < count; ++i)
            check = (check + text[i]) & 0xFF;
        g_ConfigCheck.store(check);
        size_t end = strnlen(ADBufferConfig, kConfigBufferSize);
        for (uint32_t i = 0; i < count && text[i] != 0 && end + 1 < kConfigBufferSize; ++i)
            ADBufferConfig[end++] = static_cast<char>(text[i]);
        return false;
    }
    if (p.SubCode() == 2) {
        g_RecConfigRight.store(g_ConfigCheck.load() == p.Byte(p.Total() - 2) ? 1 : 0);
        g_OverRecConfig.store(1);
        return true;
    }
    return false;
}

void CReceiveLoop::ApplyReadMode(const Packet& p)
{
    if (g_CT.load() == 1) {
        g_CT.store(0);
        return;
    }
    g_WaveTransOver.store(1);
    const uint8_t mode = p.Byte(5);
    if (mode <= 1)
        g_ReadWfm.store(mode);
}

bool CReceiveLoop::ApplyScreen(const Packet& p)
{
    if (p.SubCode() == 1) {
        const uint32_t count = p.CountFrom(5);
        if (m_screenPos < kScreenBufferSize) {
            const int64_t stored = std::min<int64_t>(count, kScreenBufferSize - m_screenPos);
            std::memcpy(ADBufferUI + m_screenPos, p.From(5), static_cast<size_t>(stored));
        }
        m_screenPos += count;
        return false;
    }
    if (p.SubCode() == 2) {
        m_screenPos = 0;
        if (m_pHost)
            m_pHost->PostToFrontPanel();
        return true;
    }
    return false;
}
