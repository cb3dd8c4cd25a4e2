#pragma once
// What a power spectrum window holds: its own copies of both channel records
// (committed in the window's reservation, CH1 from page 0 and CH2 from the
// page after it), the selected input and window, and the stored state of its
// two traces. The document owns it; the panel and the two trace views draw
// from it.
#include "docs/InputTrace.h"
#include "docs/MemberBlock.h"

#include <QRect>

#include <cstdint>

struct tagWaveformParam;

// Drawing parameters of the spectrum trace, in the order files store them.
struct SpectrumTraceState {
    std::int32_t timeBaseIndex = 10;
    std::int32_t dbPerDivision = 1;
    float freqPerDivision = 1.25e9f;  // millihertz
    std::int32_t dbCentre = 40;
    std::int32_t window = 2;          // window code of the spectrum routine

    bool operator==(const SpectrumTraceState&) const = default;
};

class CPowerSpectrumData {
public:
    // Largest record a window copies: both copies must fit the reservation.
    static constexpr std::int32_t kMaxRecordLength =
        static_cast<std::int32_t>(CMemberBlock::kReservedBytes / 2);

    QRect frameRect;                 // the window's frame, screen coordinates
    std::int32_t inputSelection = 0; // 0 CH1, 1 CH2
    std::int32_t windowSelection = 2;
    InputTraceScale inputTrace;
    SpectrumTraceState spectrum;

    // Recommits both copies for length bytes (zero-filled); the record length
    // becomes length too. 0 (no copies, lengths 0) when length is not in
    // 1 .. kMaxRecordLength.
    int Allocate(std::int32_t length);
    // Copies length bytes of each record, recommitting first when length
    // differs from the allocation. 0 when it cannot be committed.
    int CopyRecords(const std::uint8_t* ch1, const std::uint8_t* ch2, std::int32_t length);

    std::int32_t RecordLength() const { return m_recordLength; }
    std::int32_t AllocationLength() const { return m_allocationLength; }
    // Sets the number of bytes of each copy that hold samples (at most the
    // allocation); a file may hold fewer than it allocates.
    void SetRecordLength(std::int32_t length);
    std::uint8_t* Copy(int channel) { return channel == 1 ? m_ch2 : m_ch1; }
    const std::uint8_t* Copy(int channel) const { return channel == 1 ? m_ch2 : m_ch1; }
    const std::uint8_t* SelectedCopy() const { return Copy(inputSelection); }
    // The record length as the views read it (a stable address).
    const std::int32_t* RecordLengthAddress() const { return &m_recordLength; }

    // A completed transfer: copies both records and takes the input trace's
    // scale (the selected channel's) and the spectrum trace's parameters
    // (decibel centre of the selected channel's scale, decibels and
    // frequency per division, the window selection) from the acquisition's
    // parameters. 0 when the copies cannot be committed.
    int TakeTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1, const std::uint8_t* ch2,
                     std::int32_t length);
    // Re-derives the input trace's scale for the selected channel.
    void TakeScales(const tagWaveformParam& wfm);

    // Commit size (bytes) and offset (bytes from the start of the
    // reservation) of a copy, as files store them.
    std::int32_t CommitSize(int channel) const;
    std::int32_t CommitOffset(int channel) const;

private:
    CMemberBlock m_block;
    std::uint8_t* m_ch1 = nullptr;
    std::uint8_t* m_ch2 = nullptr;
    std::int32_t m_recordLength = 0;
    std::int32_t m_allocationLength = 0;
};
