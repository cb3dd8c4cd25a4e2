#include "docs/PowerData.h"

#include "corvane/ScaleConversion.h"
#include "corvane/SharedState.h"

#include <algorithm>
#include <cmath>
#include <cstring>

int CPowerSpectrumData::Allocate(std::int32_t length) {
    m_block.FreeAll();
    m_ch1 = m_ch2 = nullptr;
    m_recordLength = m_allocationLength = 0;
    if (length <= 0 || length > kMaxRecordLength) return 0;
    m_ch1 = m_block.Commit(length);
    m_ch2 = m_ch1 ? m_block.Commit(length) : nullptr;
    if (!m_ch2) {
        m_block.FreeAll();
        m_ch1 = nullptr;
        return 0;
    }
    m_recordLength = m_allocationLength = length;
    return 1;
}

int CPowerSpectrumData::CopyRecords(const std::uint8_t* ch1, const std::uint8_t* ch2, std::int32_t length) {
    if (length != m_allocationLength && !Allocate(length)) return 0;
    m_recordLength = length;
    for (auto [from, to] : {std::pair{ch1, m_ch1}, std::pair{ch2, m_ch2}}) {
        if (from)
            std::memcpy(to, from, static_cast<std::size_t>(length));
        else
            std::memset(to, 0, static_cast<std::size_t>(length));
    }
    return 1;
}

void CPowerSpectrumData::SetRecordLength(std::int32_t length) {
    m_recordLength = std::clamp(length, 0, m_allocationLength);
}

std::int32_t CPowerSpectrumData::CommitSize(int channel) const {
    return m_block.Blocks().size() == 2 ? m_allocationLength : 0;
}

std::int32_t CPowerSpectrumData::CommitOffset(int channel) const {
    const auto& blocks = m_block.Blocks();
    if (blocks.size() != 2) return 0;
    return blocks[channel == 1 ? 1 : 0].nStartPage * kWavePageSize;
}

namespace {

// Probe factor 1, 10, 100, 1000 as the probe index 0..3 of the input trace.
std::int32_t ProbeIndex(std::int32_t factor) {
    std::int32_t index = 0;
    for (std::int32_t f = factor; f >= 10 && index < 3; f /= 10) ++index;
    return index;
}

} // namespace

void CPowerSpectrumData::TakeScales(const tagWaveformParam& wfm) {
    const bool ch2 = inputSelection == 1;
    const std::int64_t voltsUv = ch2 ? wfm.llCH2VoltBase : wfm.llCH1VoltBase;
    const std::int32_t probe = std::max(ch2 ? wfm.nCH2Probe : wfm.nCH1Probe, 1);
    inputTrace.timeBaseIndex = wfm.nTimeBaseIndex;
    inputTrace.timePerDivision = wfm.fMeasureTimeBase;
    inputTrace.probe = ProbeIndex(probe);
    inputTrace.voltScaleIndex = ch2 ? wfm.nCH2VoltIndex : wfm.nCH1VoltIndex;
    inputTrace.voltsPerDivision = static_cast<std::int32_t>(voltsUv / 1000 / probe);
    spectrum.timeBaseIndex = wfm.nTimeBaseIndex;
    spectrum.dbCentre = CalcFFTdBcenter(voltsUv);
    spectrum.dbPerDivision = wfm.nFFTDbBase;
    spectrum.freqPerDivision = wfm.fFFTFreqBase * 1000.0f;
    spectrum.window = windowSelection;
}

int CPowerSpectrumData::TakeTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1,
                                     const std::uint8_t* ch2, std::int32_t length) {
    TakeScales(wfm);
    return CopyRecords(ch1, ch2, length);
}
