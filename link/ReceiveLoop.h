#pragma once
// The receive thread's packet handling: checks one answer packet and applies
// it to the shared buffers and flags under g_csLock, then tells the program
// through its ILinkHost. The state here (the channel write positions, the
// length-announced flag, the screen write position) lives as long as one
// receive thread; a new link starts a new CReceiveLoop.
#include <cstdint>

class ILinkHost;

class CReceiveLoop {
public:
    // Capacity of one read: the driver returns at most this many bytes.
    static constexpr uint32_t kPacketCapacity = 65535;

    enum Result {
        kDroppedShort,        // three bytes or fewer; the sender is released
        kDroppedForeign,      // no "S" start mark; nothing changes
        kDroppedDamaged,      // shorter than its length field, or wrong check byte; sender released
        kDroppedUnknownCode,  // code outside 0x80..0xA0; nothing changes
        kApplied,             // handled by its code
        kMemoryError,         // samples for a channel buffer that does not exist
    };

    explicit CReceiveLoop(ILinkHost* host) : m_pHost(host) {}

    // Handles the n bytes of one read. packet must hold n bytes.
    Result HandlePacket(const uint8_t* packet, uint32_t n);

    int64_t ChannelWritePosition(int channel) const { return m_writePos[channel & 1]; }
    int64_t ScreenWritePosition() const { return m_screenPos; }
    bool LengthAnnounced() const { return m_bLengthAnnounced; }

private:
    class Packet;
    Result Apply(const Packet& p);
    bool ApplyWaveform(const Packet& p);
    bool StoreSamples(const Packet& p);
    void EndRecord();
    void ResetRecord();
    void ApplySysParamBlock(const Packet& p);
    void ApplyStatusTables(const Packet& p);
    void ApplyMenuByte(const Packet& p);
    void ApplySmallParam(const Packet& p);
    bool ApplyConfigText(const Packet& p);
    void ApplyReadMode(const Packet& p);
    bool ApplyScreen(const Packet& p);
    void SetRecordLength(int64_t length);

    ILinkHost* m_pHost;
    int64_t m_writePos[2] = {0, 0};
    bool m_bLengthAnnounced = false;
    int64_t m_screenPos = 0;
};
