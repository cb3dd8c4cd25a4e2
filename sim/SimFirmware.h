#pragma once
// The simulated instrument's firmware: takes one command frame as it arrives
// from the cable and gives the answer packets the instrument sends back, in
// order. It knows nothing of timing or of the cable's faults (CSimInstrument
// adds those); it is not thread-safe on its own.
//
// What each command does:
//   0  disconnect: leaves read mode; 0x80.
//   1  status: 0x81 with the whole system parameter block.
//   2  sub-form 1 (channel): 0x82 record length (sub-code 0, 24-bit), the
//      samples in pieces (sub-code 1, channel byte, samples), end of record
//      (sub-code 2); a channel that is off, or sub-form 0: record abandoned
//      (sub-code 3).
//   3  0x83 with the 128-byte small parameter table and the 240-byte menu table.
//   4  0x84.
//   14 menu, item: 0x8E with that menu entry.
//   15 size, 1, position, 0: 0x8F with width, 1, position (16-bit) and the value.
//   16 file request: "/protocol.inf" or "/keyprotocol.inf" in 0x90 pieces
//      (sub-code 1) and the end packet (sub-code 2, 8-bit sum of the text);
//      an unknown file gets no answer.
//   17 the whole block from the program: checked and taken (see
//      CSimSettingsRules); 0x91.
//   18 position, value: value 1 holds the record for reading (read mode),
//      value 0 releases it; 0x92 with the position and the value, followed by
//      0x85 when read mode ends.
//   19 key number, 1: the front-panel key acts (CSimFrontPanel); 0x93.
//   30 menu, item, byte: stores the menu entry; 0x9E.
//   31 stores a small parameter (value or block form); 0x9F.
//   32 the screen, 800 x 480 palette indices in 0xA0 pieces (sub-code 1) and
//      the end packet (sub-code 2).
//   any other code (33, 127, ...): 0x80. A damaged frame gets no answer.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimAcquisition.h"
#include "sim/SimOptions.h"
#include "sim/SimState.h"

using SimPacket = std::vector<std::uint8_t>;

class CSimFirmware {
public:
    static constexpr std::size_t kMaxSamplesPerPiece = 65528;  // 65535 minus envelope, sub-code, channel
    static constexpr std::size_t kMaxBytesPerPiece = 65529;    // screen and text pieces
    static constexpr std::size_t kTextPiece = 1024;            // description pieces by default

    explicit CSimFirmware(const SimOptions& options);

    // One frame in, its answers out (possibly none).
    std::vector<SimPacket> HandleFrame(const std::uint8_t* frame, std::size_t length);

    SimState& State() { return m_state; }
    const SimState& State() const { return m_state; }

    int FramesHandled() const { return m_framesHandled; }
    int FramesRejected() const { return m_framesRejected; }

    std::string ProtocolDescription() const;
    std::string KeyDescription() const;

private:
    using Handler = std::vector<SimPacket> (CSimFirmware::*)(const std::vector<std::uint8_t>& args);

    std::vector<SimPacket> Dispatch(std::uint8_t code, const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> Disconnect(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> Status(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> Waveform(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> SmallTables(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> MenuEntry(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> SmallParam(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> ConfigFile(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> TakeBlock(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> ReadMode(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> Key(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> StoreMenuEntry(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> StoreSmallParam(const std::vector<std::uint8_t>& args);
    std::vector<SimPacket> Screen(const std::vector<std::uint8_t>& args);

    // Single sequence: captures once the trigger comes.
    void Advance();
    // A fresh acquisition while running and not held for reading.
    void Acquire();
    const SimRecords& Records();
    std::vector<SimPacket> Pieces(std::uint8_t code, const std::vector<std::uint8_t>& head,
                                  const std::uint8_t* data, std::size_t count, std::size_t piece) const;
    std::size_t PieceSize(std::size_t largest, std::size_t usual) const;

    SimState m_state;
    SimFaultPlan m_faults;
    int m_pieceBytes = 0;
    int m_framesHandled = 0;
    int m_framesRejected = 0;
    int m_protocolTransfers = 0;

    // The records last rendered, and what they were rendered for.
    SimRecords m_records;
    std::uint64_t m_recordsAcquisition = ~std::uint64_t{0};
    std::vector<std::uint8_t> m_recordsBlock;
    SimRunState m_recordsRun = SimRunState::Running;
};
