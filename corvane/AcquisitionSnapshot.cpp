#include "corvane/AcquisitionSnapshot.h"

#include <algorithm>
#include <mutex>

namespace {
std::vector<uint8_t> CopyRecord(const unsigned char* buffer, size_t length)
{
    return buffer ? std::vector<uint8_t>(buffer, buffer + length) : std::vector<uint8_t>(length, 0);
}
}  // namespace

tagAcquisitionSnapshot TakeAcquisitionSnapshot()
{
    tagAcquisitionSnapshot s;
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    s.wfm = g_wfmParam;
    s.recordLength = waveDataLen;
    s.depth = g_DepthSize;
    s.samplesPerDivision = WaveDots;
    s.gridNum = g_GridNum;
    s.ch1Dex = g_CH1DexY;
    s.ch2Dex = g_CH2DexY;
    s.mathDex = g_MthDexY;
    std::copy(g_wfmShow, g_wfmShow + 3, s.show);
    const bool committed = ADBufferCH1 && ADBufferCH2 && g_DepthSize > 0;
    const size_t length = committed ? static_cast<size_t>(std::min(g_DepthSize, std::max(waveDataLen, 0))) : 0;
    s.ch1 = CopyRecord(ADBufferCH1, length);
    s.ch2 = CopyRecord(ADBufferCH2, length);
    return s;
}
