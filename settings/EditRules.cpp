#include "settings/EditRules.h"

#include "corvane/MessageTables.h"
#include "settings/SettingKinds.h"

namespace {
constexpr int kFormatXY = 1;
constexpr int kMathFFT = 3;
constexpr int kAcquireTypeEqual = 1;
constexpr int kAcquireModeAverage = 2;
constexpr int kEdgeSourceLine = 4;
constexpr int kTypeVideo = 1;
constexpr int kVideoSyncLine = 1;

bool Between(int kind, int first, int last)
{
    return kind >= first && kind <= last;
}

bool RefusedInXY(int kind)
{
    return Between(kind, KIND_MATH_ON, KIND_FFT_ZOOM) || Between(kind, KIND_WINDOW_TIME_BASE, KIND_MAIN_TIME_BASE) ||
           kind == KIND_TRIGGER_LEVEL || kind == KIND_PULSE_WIDTH || kind == KIND_LEVEL_50;
}
}  // namespace

bool CEditRules::IsXY() const
{
    return m_r.display.format.value == kFormatXY;
}

bool CEditRules::IsMathFFT() const
{
    return m_r.math.operation.value == kMathFFT;
}

bool CEditRules::IsFFTShown() const
{
    return IsMathFFT() && m_r.math.display.value == 1;
}

bool CEditRules::IsScan() const
{
    return m_r.horizontal.mainTimeBase.text == "Scan";
}

bool CEditRules::ChannelShown(int channel) const
{
    return channel >= 1 && channel <= 2 && m_r.channel[channel - 1].display.value != 0;
}

int CEditRules::ShownChannels() const
{
    return ChannelShown(1) + ChannelShown(2);
}

// Store depth: FFT, then acquisition type, then acquisition mode.
RefusalMessage CEditRules::RefuseStoreDepth() const
{
    if (IsFFTShown())
        return szFFTMode;
    if (m_r.acquire.type.value == kAcquireTypeEqual)
        return szACType;
    if (m_r.acquire.mode.value == kAcquireModeAverage)
        return szACAvg;
    return nullptr;
}

// XY format, FFT, scan range and hidden channels.
RefusalMessage CEditRules::RefuseByDisplay(int kind, int target) const
{
    if (IsXY() && RefusedInXY(kind))
        return szXYMode;
    if (Between(kind, KIND_FFT_SOURCE, KIND_FFT_ZOOM) && !IsMathFFT())
        return szMathMode;
    if (kind == KIND_TRIGGER_POSITION && IsFFTShown())
        return szFFTMode;
    if ((kind == KIND_TRIGGER_POSITION || kind == KIND_TRIGGER_LEVEL) && IsScan())
        return szScanMode;
    if ((kind == KIND_VERT_POSITION || kind == KIND_VOLTS_PER_DIV) && !ChannelShown(target) && !IsXY())
        return szState;
    return nullptr;
}

RefusalMessage CEditRules::RefuseByTrigger(int kind, int target) const
{
    const KindInfo* info = FindKind(kind);
    if (!info)
        return nullptr;
    const int64_t type = m_r.TriggerTypeOf(target);
    if (kind == KIND_TRIGGER_COUPLING) {
        if (m_r.trigger.edgeSource.value == kEdgeSourceLine)
            return szTGSrc;
        if (type == kTypeVideo)
            return szTGCoup;
        return nullptr;
    }
    if (info->triggerType >= 0 && type != info->triggerType)
        return szTGType;
    if (kind == KIND_VIDEO_LINE && m_r.trigger.normal.videoSync.value != kVideoSyncLine)
        return szTgVideoSync;
    return nullptr;
}

RefusalMessage CEditRules::RefuseByAcquisition(int kind) const
{
    if ((kind == KIND_ACQUIRE_MODE || kind == KIND_AVERAGE_COUNT) && m_r.acquire.type.value == kAcquireTypeEqual)
        return szACType;
    if (kind == KIND_AVERAGE_COUNT && m_r.acquire.mode.value != kAcquireModeAverage)
        return szACAvg;
    return nullptr;
}

RefusalMessage CEditRules::RefuseOnState(int kind, int target) const
{
    if (kind == KIND_STORE_DEPTH)
        return RefuseStoreDepth();
    if (RefusalMessage m = RefuseByDisplay(kind, target))
        return m;
    if (RefusalMessage m = RefuseByTrigger(kind, target))
        return m;
    return RefuseByAcquisition(kind);
}

RefusalMessage CEditRules::RefuseChoice(int kind, int position, int code) const
{
    if (kind == KIND_STORE_DEPTH && code == kDeepDepthCode &&
        (ShownChannels() != 1 || m_wfm.fMeasureTimeBase > kDeepDepthSlowestNs))
        return szState;
    if (kind == KIND_MATH_OPERATION && position == kMathFFT && m_r.acquire.storeDepth.value != 0)
        return szACStoreDepth;
    return nullptr;
}
