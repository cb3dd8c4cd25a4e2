#pragma once
// What an arithmetic window holds: one sample buffer with the CH1 record in
// bytes 0..L-1 and the CH2 record in bytes L..2L-1 (committed in the window's
// reservation, zero-filled on every reallocation), the two volts-per-division
// values, the time base, the user factor and the chosen operands and
// operation, by name and by code.
#include "analysis/Arithmetic.h"
#include "docs/MemberBlock.h"

#include <QRect>

#include <cstdint>
#include <span>
#include <string>

struct tagWaveformParam;

class CArithmeticData {
public:
    static constexpr std::int32_t kMaxRecordLength =
        static_cast<std::int32_t>(CMemberBlock::kReservedBytes / 2);

    // Names and the default operation in the given language (0 English,
    // 1 Chinese).
    explicit CArithmeticData(unsigned language = 0);

    QRect frameRect;
    double ch1VoltsPerDivision = 0;    // millivolts, probe included
    double ch2VoltsPerDivision = 0;
    double outputVoltsPerDivision = 0; // the larger of the two
    double timeBase = 0;               // time per division, ns
    double scaleFactor = 1.0;          // entered by the user; stored and restored

    // Names as chosen; a name that is none of the known ones changes neither
    // the name nor the code (a file keeps naming the operation in use).
    void SetFirstInputName(const std::string& name);
    void SetSecondInputName(const std::string& name);
    void SetOperationName(const std::string& name);
    const std::string& FirstInputName() const { return m_firstName; }
    const std::string& SecondInputName() const { return m_secondName; }
    const std::string& OperationName() const { return m_operationName; }
    int FirstInput() const { return m_firstInput; }
    int SecondInput() const { return m_secondInput; }
    int Operation() const { return m_operation; }

    // (Re)commits the buffer for 2 x length zero bytes; record and allocation
    // length become length. 0 (no buffer) for length outside
    // 1 .. kMaxRecordLength.
    int Allocate(std::int32_t length);
    // Copies both records (length bytes each), reallocating
    // when length differs from the allocation. A null record reads as zeros.
    int CopyRecords(const std::uint8_t* ch1, const std::uint8_t* ch2, std::int32_t length);
    // A completed transfer: both scales (µV / 1000), the time base and both
    // records. 0 when the buffer cannot be committed.
    int TakeTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1, const std::uint8_t* ch2,
                     std::int32_t length);
    // Sets both scales; the output scale becomes the larger.
    void SetScales(double ch1Volts, double ch2Volts);

    std::int32_t RecordLength() const { return m_recordLength; }
    // Samples per record in the buffer, at most the allocation (a file may
    // hold fewer than it allocates).
    void SetRecordLength(std::int32_t length);
    std::int32_t AllocationLength() const { return m_allocationLength; }
    // The first 2 x RecordLength() bytes of the buffer (CH1 then CH2).
    std::span<std::uint8_t> Samples();
    std::span<const std::uint8_t> Channel(int input) const;

    // The result of the chosen operation over the two records; it reads
    // them, so it is valid until the records change.
    ArithmeticResult Compute() const;

private:
    CMemberBlock m_block;
    std::uint8_t* m_buffer = nullptr;
    std::int32_t m_recordLength = 0;
    std::int32_t m_allocationLength = 0;
    std::string m_firstName = "CH1";
    std::string m_secondName = "CH2";
    std::string m_operationName;
    int m_firstInput = kInputCH1;
    int m_secondInput = kInputCH2;
    int m_operation = kArithAdd;
};
