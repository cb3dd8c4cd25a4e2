#include "docs/ArithmeticData.h"

#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"

#include <algorithm>
#include <cstring>

CArithmeticData::CArithmeticData(unsigned language)
    : m_operationName(szMthOperation[language == 1 ? 1 : 0][kArithAdd]) {}

namespace {

// Takes name and its code when the name is known; an unknown name leaves
// both as they were, so the stored name always names the code in use.
template <class FromName>
void TakeName(const std::string& name, std::string& storedName, int& code, FromName fromName) {
    constexpr int kUnknown = -1;
    const int found = fromName(name, kUnknown);
    if (found == kUnknown) return;
    storedName = name;
    code = found;
}

} // namespace

void CArithmeticData::SetFirstInputName(const std::string& name) {
    TakeName(name, m_firstName, m_firstInput, ArithmeticInputFromName);
}

void CArithmeticData::SetSecondInputName(const std::string& name) {
    TakeName(name, m_secondName, m_secondInput, ArithmeticInputFromName);
}

void CArithmeticData::SetOperationName(const std::string& name) {
    TakeName(name, m_operationName, m_operation, ArithmeticOperationFromName);
}

int CArithmeticData::Allocate(std::int32_t length) {
    m_block.FreeAll();
    m_buffer = nullptr;
    m_recordLength = m_allocationLength = 0;
    if (length <= 0 || length > kMaxRecordLength) return 0;
    m_buffer = m_block.Commit(2 * length);
    if (!m_buffer) return 0;
    m_recordLength = m_allocationLength = length;
    return 1;
}

int CArithmeticData::CopyRecords(const std::uint8_t* ch1, const std::uint8_t* ch2, std::int32_t length) {
    if (length != m_allocationLength ? !Allocate(length) : !m_buffer) return 0;
    m_recordLength = length;
    const auto take = [&](std::uint8_t* half, const std::uint8_t* record) {
        if (record)
            std::memcpy(half, record, static_cast<std::size_t>(length));
        else
            std::memset(half, 0, static_cast<std::size_t>(length));
    };
    take(m_buffer, ch1);
    take(m_buffer + length, ch2);
    return 1;
}

void CArithmeticData::SetRecordLength(std::int32_t length) {
    m_recordLength = std::clamp(length, 0, m_allocationLength);
}

void CArithmeticData::SetScales(double ch1Volts, double ch2Volts) {
    ch1VoltsPerDivision = ch1Volts;
    ch2VoltsPerDivision = ch2Volts;
    outputVoltsPerDivision = std::max(ch1Volts, ch2Volts);
}

std::span<std::uint8_t> CArithmeticData::Samples() {
    return m_buffer ? std::span(m_buffer, 2 * static_cast<std::size_t>(m_recordLength)) : std::span<std::uint8_t>();
}

std::span<const std::uint8_t> CArithmeticData::Channel(int input) const {
    if (!m_buffer) return {};
    const std::size_t length = static_cast<std::size_t>(m_recordLength);
    return {m_buffer + (input == kInputCH2 ? length : 0), length};
}

ArithmeticResult CArithmeticData::Compute() const {
    const ArithmeticSources sources{Channel(kInputCH1), Channel(kInputCH2), ch1VoltsPerDivision,
                                    ch2VoltsPerDivision};
    return ComputeArithmetic(sources, m_firstInput, m_secondInput, m_operation);
}

int CArithmeticData::TakeTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1, const std::uint8_t* ch2,
                                  std::int32_t length) {
    SetScales(static_cast<double>(wfm.llCH1VoltBase) / 1000, static_cast<double>(wfm.llCH2VoltBase) / 1000);
    timeBase = wfm.fMeasureTimeBase;
    return CopyRecords(ch1, ch2, length);
}
