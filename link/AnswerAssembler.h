#pragma once
// Turns the byte stream of a bulk IN pipe back into whole answer packets, so
// that one read of the libusb backend hands on exactly one answer, however
// the pipe cut it: in the header, a byte before the end, at packet-size
// boundaries, across read slices, or two answers in one transfer.
//
// The rule: once an answer's first byte has arrived, reading goes on until
// the answer's own length (bytes 1-2, plus 3) is there; bytes beyond it stay
// for the next read. A short packet ends a transfer, not an answer (the
// instrument may send one answer in several transfers). Bytes that cannot
// start an answer (no "S", or a code outside 0x80-0xA0) are handed on as they
// are, so the receive loop drops them and the stream is in step again at the
// next answer. An answer that stops arriving for gapSlices empty read slices,
// or that lost bytes in an overflow, is handed on as far as it came (the
// receive loop drops it as short and releases the command sender).
//
// Used by one reading thread at a time.
#include <cstdint>
#include <functional>
#include <vector>

#include "link/UsbBulkTransport.h"

class CAnswerAssembler {
public:
    // Bytes asked for per bulk transfer: a multiple of every bulk packet size
    // (64, 512, 1024), so the device can never overflow a transfer.
    static constexpr std::uint32_t kTransferBytes = 65536;

    CAnswerAssembler(IUsbBulkTransport& transport, unsigned sliceMs, unsigned gapSlices);

    // Reads until one answer is complete and copies at most capacity bytes of
    // it into buffer. keepReading is asked before every transfer; returns 0
    // when it says no or the pipe fails, 1 with the answer otherwise. Slices
    // that time out before any byte of an answer arrived just go on.
    int ReadAnswer(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received,
                   const std::function<bool()>& keepReading);

    // Reads and throws away what waits in the pipe (an earlier session's
    // answers), at most maxTransfers transfers of waitMs each; forgets every
    // byte held. Returns the number of bytes thrown away.
    std::uint64_t Drain(unsigned waitMs, int maxTransfers);

    std::size_t BytesHeld() const { return m_bytes.size(); }

private:
    bool TakeAnswer(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, bool gapExpired);
    std::uint32_t AnswerLength() const;  // bytes of the answer at the front, 0 while unknown
    void HandOn(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::size_t count,
                std::size_t consumed);

    IUsbBulkTransport& m_transport;
    const unsigned m_sliceMs;
    const unsigned m_gapSlices;
    std::vector<std::uint8_t> m_transfer;  // one transfer's bytes
    std::vector<std::uint8_t> m_bytes;     // received and not yet handed on
    bool m_damaged = false;                // an overflow lost bytes of the answer held
};
