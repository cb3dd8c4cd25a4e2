#include "settings/SettingsRecords.h"

#include "corvane/ScaleConversion.h"
#include "corvane/ValueTables.h"
#include "settings/SettingKinds.h"

namespace {

SettingValue* TriggerModeSetting(TriggerModeRecord& r, int kind)
{
    switch (kind) {
    case KIND_TRIGGER_MODE: return &r.mode;
    case KIND_TRIGGER_TYPE: return &r.type;
    case KIND_TRIGGER_COUPLING: return &r.coupling;
    case KIND_EDGE_SLOPE: return &r.edgeSlope;
    case KIND_VIDEO_POLARITY: return &r.videoPolarity;
    case KIND_VIDEO_STANDARD: return &r.videoStandard;
    case KIND_VIDEO_SYNC: return &r.videoSync;
    case KIND_VIDEO_LINE: return &r.videoLine;
    case KIND_PULSE_POLARITY: return &r.pulsePolarity;
    case KIND_PULSE_WHEN: return &r.pulseWhen;
    case KIND_PULSE_WIDTH: return &r.pulseWidth;
    case KIND_SLOPE_SET: return &r.slopeSet;
    case KIND_SLOPE_WINDOW: return &r.slopeWindow;
    case KIND_SLOPE_V1: return &r.slopeV1;
    case KIND_SLOPE_V2: return &r.slopeV2;
    case KIND_SLOPE_WHEN: return &r.slopeWhen;
    case KIND_SLOPE_TIME: return &r.slopeTime;
    default: return nullptr;
    }
}

SettingValue* ChannelSetting(ChannelRecord& r, int kind)
{
    switch (kind) {
    case KIND_CHANNEL_ON: return &r.display;
    case KIND_BANDWIDTH: return &r.bandwidth;
    case KIND_COUPLING: return &r.coupling;
    case KIND_VERT_POSITION: return &r.position;
    case KIND_VOLTS_PER_DIV: return &r.voltsPerDiv;
    case KIND_PROBE: return &r.probe;
    case KIND_INVERT: return &r.invert;
    default: return nullptr;
    }
}

SettingValue* TriggerSetting(TriggerRecord& r, int kind)
{
    switch (kind) {
    case KIND_HOLDOFF: return &r.holdoff;
    case KIND_TRIGGER_LEVEL: return &r.level;
    case KIND_EDGE_SOURCE: return &r.edgeSource;
    case KIND_VIDEO_SOURCE: return &r.videoSource;
    case KIND_PULSE_SOURCE: return &r.pulseSource;
    case KIND_SLOPE_SOURCE: return &r.slopeSource;
    case KIND_OVERTIME_SOURCE: return &r.overtimeSource;
    case KIND_OVERTIME_POLARITY: return &r.overtimePolarity;
    case KIND_OVERTIME_TIME: return &r.overtimeTime;
    case KIND_TRIGGER_FREQUENCY: return &r.frequency;
    case KIND_TRIGGER_STATE: return &r.state;
    default: return nullptr;
    }
}

SettingValue* PlainSetting(CSettingsRecords& r, int kind)
{
    switch (kind) {
    case KIND_DISPLAY_FORMAT: return &r.display.format;
    case KIND_PERSISTENCE: return &r.display.persistence;
    case KIND_DISPLAY_STYLE: return &r.display.style;
    case KIND_CONTRAST: return &r.display.contrast;
    case KIND_GRID_KIND: return &r.display.gridKind;
    case KIND_GRID_BRIGHT: return &r.display.gridBright;
    case KIND_ACQUIRE_TYPE: return &r.acquire.type;
    case KIND_ACQUIRE_MODE: return &r.acquire.mode;
    case KIND_AVERAGE_COUNT: return &r.acquire.averageCount;
    case KIND_ACQUIRE_STATE: return &r.acquire.state;
    case KIND_STOP_AFTER: return &r.acquire.stopAfter;
    case KIND_STORE_DEPTH: return &r.acquire.storeDepth;
    case KIND_MATH_ON: return &r.math.display;
    case KIND_MATH_OPERATION: return &r.math.operation;
    case KIND_FFT_SOURCE: return &r.math.fftSource;
    case KIND_FFT_WINDOW: return &r.math.fftWindow;
    case KIND_FFT_ZOOM: return &r.math.fftZoom;
    case KIND_HORIZ_VIEW: return &r.horizontal.view;
    case KIND_WINDOW_TIME_BASE: return &r.horizontal.windowTimeBase;
    case KIND_TRIGGER_POSITION: return &r.horizontal.triggerPosition;
    case KIND_MAIN_TIME_BASE: return &r.horizontal.mainTimeBase;
    default: return TriggerSetting(r.trigger, kind);
    }
}

}  // namespace

SettingValue* CSettingsRecords::Find(int kind, int target)
{
    const KindInfo* info = FindKind(kind);
    if (!info || !IsValidTarget(*info, target))
        return nullptr;
    switch (info->scope) {
    case KindScope::Channel: return ChannelSetting(channel[target - 1], kind);
    case KindScope::Measure: return kind == KIND_MEASURE_SOURCE ? &measure[target - 1].source : &measure[target - 1].item;
    case KindScope::Trigger:
        return TriggerModeSetting(target == kTargetNormal ? trigger.normal : trigger.swap[target - 1], kind);
    default: return PlainSetting(*this, kind);
    }
}

const SettingValue* CSettingsRecords::Find(int kind, int target) const
{
    return const_cast<CSettingsRecords*>(this)->Find(kind, target);
}

const TriggerModeRecord& CSettingsRecords::TriggerMode(int target) const
{
    if (target == kTargetSwapCH1 || target == kTargetSwapCH2)
        return trigger.swap[target - 1];
    return trigger.normal;
}

int64_t CSettingsRecords::TriggerTypeOf(int target) const
{
    return TriggerMode(target).type.value;
}

int64_t CSettingsRecords::Raw(const std::string& name, int64_t fallback) const
{
    auto it = raw.find(name);
    return it == raw.end() ? fallback : it->second;
}

namespace {

int32_t ProbeFactor(const CSettingsRecords& r, int ch)
{
    return static_cast<int32_t>(r.channel[ch].probeFactor);
}

// The math trace's position follows the operation on the two channel positions.
int16_t MathPosition(int64_t operation, int16_t ch1, int16_t ch2)
{
    switch (operation) {
    case 0: return static_cast<int16_t>(ch1 + ch2);
    case 1: return static_cast<int16_t>(ch1 - ch2);
    case 2: return static_cast<int16_t>(ch2 - ch1);
    default: return 0;
    }
}

void BindChannels(const CSettingsRecords& r, tagWaveformParam& p)
{
    const char* names[2] = {"VERT-CH1-", "VERT-CH2-"};
    int32_t* shown[2] = {&p.nCH1Show, &p.nCH2Show};
    int16_t* pos[2] = {&p.nCH1Pos, &p.nCH2Pos};
    int32_t* invert[2] = {&p.nCH1Invert, &p.nCH2Invert};
    int64_t* offset[2] = {&p.llCH1Offset, &p.llCH2Offset};
    int64_t* volts[2] = {&p.llCH1VoltBase, &p.llCH2VoltBase};
    std::string* voltText[2] = {&p.strCH1VoltBase, &p.strCH2VoltBase};
    int32_t* index[2] = {&p.nCH1VoltIndex, &p.nCH2VoltIndex};
    int32_t* probe[2] = {&p.nCH1Probe, &p.nCH2Probe};
    int32_t* coupling[2] = {&p.nCH1Coupling, &p.nCH2Coupling};
    int32_t* override[2] = {&p.nCH1ScaleOverride, &p.nCH2ScaleOverride};
    for (int ch = 0; ch < 2; ++ch) {
        const ChannelRecord& c = r.channel[ch];
        const std::string n = names[ch];
        *shown[ch] = static_cast<int32_t>(c.display.value);
        *pos[ch] = static_cast<int16_t>(c.position.value);
        *invert[ch] = static_cast<int32_t>(c.invert.value);
        *volts[ch] = c.voltsPerDiv.value;
        *voltText[ch] = c.voltsPerDiv.text;
        *offset[ch] = c.position.value * c.voltsPerDiv.value / 25;
        *index[ch] = static_cast<int32_t>(r.Raw(n + "VB"));
        *probe[ch] = ProbeFactor(r, ch);
        *coupling[ch] = static_cast<int32_t>(r.Raw(n + "COUP"));
        *override[ch] = c.fineCount != 0 ? 1 : 0;
    }
    p.nMathShow = static_cast<int32_t>(r.math.display.value);
    p.nMathPos = MathPosition(r.Raw("MATH-MODE"), p.nCH1Pos, p.nCH2Pos);
}

// The time base "HORIZ-TB" holds its scale code + 1, which is the index the
// conversions take.
void BindHorizontal(const CSettingsRecords& r, tagWaveformParam& p)
{
    const int tbIndex = static_cast<int>(r.Raw("HORIZ-TB", 1));
    const int64_t tdivNs = r.horizontal.mainTimePerDivNs;
    p.nTimeBaseIndex = tbIndex - 1;
    p.nWinTimeBase = static_cast<int32_t>(r.Raw("HORIZ-WIN-TB", 1) - 1);
    // The sheets' horizontal scale is the time-base scale code, not the
    // position in the model's list (the fast entries come first there).
    p.nHorizScaleIndex = p.nTimeBaseIndex;
    p.nHorizWinState = static_cast<int32_t>(r.horizontal.view.value);
    p.fMeasureTimeBase = static_cast<float>(tdivNs);
    p.fTableTimeBase = static_cast<float>(tdivNs);
    p.strTimeBase = r.horizontal.mainTimeBase.text;
    // Trigger x position in 1/40 division (the views place it at 5 logical
    // units per step on a 200-unit division).
    const int64_t psPerDiv = tdivNs * 1000;
    p.nHorizPos = psPerDiv > 0 ? static_cast<int32_t>(r.horizontal.triggerPosition.value * 40 / psPerDiv) : 0;
    // FFT frequency per division: ten times the inverse of the time per
    // division, the step whose index mirrors the time base's.
    const int fqIndex = 32 - tbIndex;
    p.fFFTFreqBase = static_cast<float>(CalcFqBase(fqIndex)) / 1000.0f;
    p.strFFTFreqBase = ChoiceLabel(strFqParam, nFqParam, 1, fqIndex - 1);
}

void BindMath(const CSettingsRecords& r, tagWaveformParam& p)
{
    p.nMathOperation = static_cast<int32_t>(r.Raw("MATH-MODE"));
    p.nFFTSource = static_cast<int32_t>(r.math.fftSource.value);
    p.nFFTWindow = static_cast<int32_t>(r.Raw("MATH-FFT-WIN"));
    p.nFFTFactor = static_cast<int32_t>(r.Raw("MATH-FFT-FACTOR"));
    p.nFFTDbBase = CalcDbBase(static_cast<int>(r.Raw("MATH-FFT-DB")) + 1);
    p.strFFTDbBase = r.math.fftDb.text;
    const int src = p.nFFTSource == 1 ? 1 : 0;
    p.nFFTRefLevel = CalcFFTdBcenter(r.channel[src].voltsPerDiv.value);
}

// The trigger level relative to the position of its source channel, as the
// trigger marker of a trace is placed at level + position.
void BindTrigger(const CSettingsRecords& r, tagWaveformParam& p)
{
    const int64_t source = r.trigger.edgeSource.value;
    const int64_t base = source == 0 || source == 1 ? r.channel[source].position.value : 0;
    p.nTrigLevel = static_cast<int16_t>(r.trigger.level.value - base);
    const TriggerModeRecord* modes[3] = {&r.trigger.normal, &r.trigger.swap[0], &r.trigger.swap[1]};
    for (int i = 0; i < 3; ++i) {
        p.nTrigAux[2 * i] = static_cast<int16_t>(modes[i]->slopeV1.value);
        p.nTrigAux[2 * i + 1] = static_cast<int16_t>(modes[i]->slopeV2.value);
    }
    p.strState = r.trigger.state.text;
    p.nTrigState = static_cast<int32_t>(r.Raw("TRIG-STATE"));
}

}  // namespace

void BindToWaveformParam(const CSettingsRecords& r, tagWaveformParam& p)
{
    BindChannels(r, p);
    BindHorizontal(r, p);
    BindMath(r, p);
    BindTrigger(r, p);
    p.nAcquireMode = static_cast<int32_t>(r.acquire.mode.value);
    p.nDisplayFormat = static_cast<int32_t>(r.Raw("DISPLAY-FORMAT"));
}
