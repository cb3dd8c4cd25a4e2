#include "settings/SettingsDecoder.h"

#include <algorithm>

#include "corvane/ScaleConversion.h"
#include "parlex/Parlex.h"
#include "settings/ChoiceLists.h"
#include "settings/SettingKinds.h"
#include "settings/ValueTexts.h"
#include "tessary/UI_Sys_table.h"

namespace {

const char* const kTriggerModeNames[] = {
    "COUP",       "EDGE-SLOPE", "VIDEO-NEG", "VIDEO-PAL",  "VIDEO-SYN",  "VIDEO-LINE",
    "PULSE-NEG",  "PULSE-WHEN", "PULSE-TIME", "SLOPE-SET", "SLOPE-WIN",  "SLOPE-V1",
    "SLOPE-V2",   "SLOPE-WHEN", "SLOPE-TIME",
};

void Append(std::vector<std::string>& out, const std::string& prefix, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        out.push_back(prefix + n);
}

std::vector<std::string> BuildOrder()
{
    std::vector<std::string> o;
    Append(o, "DISPLAY-", {"FORMAT", "PERSIST", "MODE", "CONTRAST", "GRID-KIND", "GRID-BRIGHT"});
    Append(o, "ACQURIE-", {"TYPE", "MODE", "AVG-CNT", "STATE", "STOP-AFTER", "STORE-DEPTH"});
    for (const char* ch : {"VERT-CH1-", "VERT-CH2-"})
        Append(o, ch, {"DISP", "20MHZ", "COUP", "POS", "VB", "CNT-FINE", "FINE", "PROBE", "RPHASE"});
    Append(o, "MATH-", {"DISP", "MODE", "FFT-SRC", "FFT-WIN", "FFT-FACTOR", "FFT-DB"});
    Append(o, "TRIG-", {"MODE", "TYPE", "SRC", "VPOS", "HOLDTIME", "HOLDTIME-MIN", "HOLDTIME-MAX", "FREQUENCY",
                        "STATE"});
    for (const char* n : kTriggerModeNames)
        o.push_back(std::string("TRIG-") + n);
    for (const char* swap : {"TRIG-SWAP-CH1-", "TRIG-SWAP-CH2-"}) {
        Append(o, swap, {"MODE", "TYPE"});
        for (const char* n : kTriggerModeNames)
            o.push_back(swap + std::string(n));
    }
    Append(o, "TRIG-OVERTIME-", {"NEG", "TIME"});
    for (int i = 1; i <= 8; ++i) {
        o.push_back("MEASURE-ITEM" + std::to_string(i));
        o.push_back("MEASURE-ITEM" + std::to_string(i) + "-SRC");
    }
    Append(o, "CONTROL-", {"MENUID", "DISP-MENU"});
    Append(o, "HORIZ-", {"WIN-STATE", "WIN-TB", "TRIGTIME", "TB"});
    return o;
}

bool EndsWith(const std::string& s, const char* tail)
{
    const std::string t = tail;
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

// Positions and levels can lie below the centre line.
bool IsSigned(const std::string& name)
{
    return EndsWith(name, "-POS") || name == "TRIG-VPOS" || EndsWith(name, "SLOPE-V1") || EndsWith(name, "SLOPE-V2");
}

// Parameters read over their whole width; all others are one signed byte.
bool IsCombined(const std::string& name)
{
    static const char* const whole[] = {
        "CONTROL-TYPE", "ACQURIE-MODE", "MATH-DISP", "MATH-MODE", "MATH-FFT-DB", "TRIG-VPOS", "TRIG-HOLDTIME",
        "TRIG-HOLDTIME-MIN", "TRIG-HOLDTIME-MAX", "TRIG-FREQUENCY", "TRIG-STATE", "TRIG-OVERTIME-TIME",
        "CONTROL-DISP-MENU", "CONTROL-MENUID", "HORIZ-TB", "HORIZ-WIN-TB", "HORIZ-WIN-STATE", "HORIZ-TRIGTIME",
    };
    if (std::find_if(std::begin(whole), std::end(whole), [&](const char* n) { return name == n; }) != std::end(whole))
        return true;
    if (name.rfind("VERT-", 0) == 0)
        return EndsWith(name, "-POS") || EndsWith(name, "-DISP") || EndsWith(name, "-VB") || EndsWith(name, "-CNT-FINE");
    if (name.rfind("TRIG-", 0) == 0)
        return EndsWith(name, "VIDEO-LINE") || EndsWith(name, "PULSE-TIME") || EndsWith(name, "SLOPE-V1") ||
               EndsWith(name, "SLOPE-V2") || EndsWith(name, "SLOPE-TIME");
    return false;
}

int64_t SignExtend(int64_t value, int width)
{
    if (width <= 0 || width >= 8)
        return value;
    const int shift = 64 - 8 * width;
    return static_cast<int64_t>(static_cast<uint64_t>(value) << shift) >> shift;
}

bool IsTimeBase(const std::string& name)
{
    return name == "HORIZ-TB" || name == "HORIZ-WIN-TB";
}

// The targets under which a kind has its own value.
std::vector<int> TargetsOf(const KindInfo& info)
{
    switch (info.scope) {
    case KindScope::Channel: return {1, 2};
    case KindScope::Measure: return {1, 2, 3, 4, 5, 6, 7, 8};
    case KindScope::Trigger: return {kTargetSwapCH1, kTargetSwapCH2, kTargetNormal};
    default: return {info.triggerType >= 0 || info.kind == KIND_TRIGGER_FREQUENCY ? kTargetNormal : 0};
    }
}

std::string TypedText(const KindInfo& info, int64_t value)
{
    switch (info.input) {
    case KindInput::Position: return DivisionText(value);
    case KindInput::Time: return TimeText(value);
    case KindInput::Line: return std::to_string(value);
    default: return info.kind == KIND_TRIGGER_FREQUENCY ? FrequencyText(value) : std::string();
    }
}

int64_t ProbeFactorOfCode(int64_t code)
{
    int64_t factor = 1;
    for (int64_t i = 0; i < std::clamp<int64_t>(code, 0, 3); ++i)
        factor *= 10;
    return factor;
}

int FindCode(const SegmentData& segment, int64_t code)
{
    for (int i = 0; i < segment.count; ++i)
        if (segment.values[i] == code)
            return i;
    return -1;
}

}  // namespace

const std::vector<std::string>& CSettingsDecoder::ParameterOrder()
{
    static const std::vector<std::string> order = BuildOrder();
    return order;
}

bool CSettingsDecoder::ReadParameter(const unsigned char* block, int32_t blockLen, const std::string& name,
                                     int64_t& value) const
{
    const CParlex::Place place = m_protocol.DSOdataToPCParam(name, blockLen);
    if (!block || place.first < 0 || place.second <= 0)
        return false;
    const unsigned char* at = block + place.first;
    if (IsCombined(name)) {
        const int64_t whole = Combine(at, place.second);
        value = IsSigned(name) ? SignExtend(whole, place.second) : whole;
    } else {
        value = static_cast<signed char>(at[0]);
    }
    return true;
}

void CSettingsDecoder::ReadParameters(const unsigned char* block, int32_t blockLen, const std::vector<std::string>& names,
                                      CSettingsRecords& records) const
{
    for (const std::string& name : names) {
        int64_t value = 0;
        if (ReadParameter(block, blockLen, name, value))
            records.raw[name] = value;
    }
}

void CSettingsDecoder::DecodeKind(const KindInfo& info, int target, CSettingsRecords& records) const
{
    const std::string name = KindParameter(info, target);
    auto it = records.raw.find(name);
    SettingValue* v = records.Find(info.kind, target);
    if (name.empty() || it == records.raw.end() || !v)
        return;
    const int64_t raw = it->second;
    if (info.table == ChoiceTable::Segment) {
        const SegmentData* segment = m_table.GetUISysData(KindSegment(info, target));
        if (!segment)
            return;  // without its segment the setting keeps what it showed
        const int code = static_cast<int>(IsTimeBase(name) ? raw - 1 : raw);
        v->value = m_table.GetUIIndex(code, *segment);
        v->text = v->value < segment->count ? segment->items[static_cast<size_t>(v->value)] : std::string();
        v->segment = segment;
    } else if (info.table != ChoiceTable::None) {
        v->value = raw;
        v->text = ChoiceText(info, target, m_table, raw);
    } else if (info.input == KindInput::VoltsPerDiv || info.input == KindInput::Level) {
        return;  // need other settings first
    } else {
        v->value = raw;
        v->text = TypedText(info, raw);
    }
    v->known = true;
}

// The stored code maps to its "VBASE" position as every other segment value
// does (GetUIIndex: the first entry for a code it does not hold).
void CSettingsDecoder::DecodeVoltsPerDiv(int channel, CSettingsRecords& records, VoltCodeReport& report) const
{
    const std::string prefix = channel == 0 ? "VERT-CH1-" : "VERT-CH2-";
    ChannelRecord& c = records.channel[channel];
    c.probeFactor = ProbeFactorOfCode(records.Raw(prefix + "PROBE"));
    c.fineMode = records.Raw(prefix + "FINE");
    auto vb = records.raw.find(prefix + "VB");
    const SegmentData* segment = m_table.GetUISysData("VBASE");
    if (vb == records.raw.end() || !segment)
        return;
    const int position = m_table.GetUIIndex(static_cast<int>(vb->second), *segment);
    if (position >= segment->count) {
        report.beyondList = true;
        return;
    }
    if (FindCode(*segment, vb->second) < 0 && report.unknownChannel < 0) {
        report.unknownChannel = channel;
        report.unknownCode = vb->second;
    }
    const int64_t fine = records.Raw(prefix + "CNT-FINE");
    const int64_t label = Assstring(segment->items[static_cast<size_t>(position)], 0, c.probeFactor);
    c.fineCount = fine;
    c.voltsPerDiv.value = fine == 0 ? label : label + fine * (label / 50);
    c.voltsPerDiv.text = VoltText(c.voltsPerDiv.value);
    c.voltsPerDiv.segment = segment;
    c.voltsPerDiv.known = true;
}

namespace {
void DecodeLevel(SettingValue& v, const CSettingsRecords& r, const std::string& name, int source)
{
    auto it = r.raw.find(name);
    if (it == r.raw.end())
        return;
    const ChannelRecord* c = source == kSourceCH1 || source == kSourceCH2 ? &r.channel[source] : nullptr;
    v.value = it->second;
    v.text = VoltText(CountsToLevelUv(it->second, source, c ? c->voltsPerDiv.value : 0, c ? c->position.value : 0));
    v.known = true;
}
}  // namespace

// Levels are shown in volts above their source's ground.
void CSettingsDecoder::DecodeLevels(CSettingsRecords& r) const
{
    TriggerRecord& t = r.trigger;
    DecodeLevel(t.level, r, "TRIG-VPOS", static_cast<int>(t.edgeSource.value));
    const int slopeSource = static_cast<int>(t.slopeSource.value);
    DecodeLevel(t.normal.slopeV1, r, "TRIG-SLOPE-V1", slopeSource);
    DecodeLevel(t.normal.slopeV2, r, "TRIG-SLOPE-V2", slopeSource);
    for (int ch = 0; ch < 2; ++ch) {
        const std::string swap = "TRIG-SWAP-CH" + std::to_string(ch + 1) + "-";
        DecodeLevel(t.swap[ch].slopeV1, r, swap + "SLOPE-V1", ch);
        DecodeLevel(t.swap[ch].slopeV2, r, swap + "SLOPE-V2", ch);
    }
}

void CSettingsDecoder::DecodeExtras(CSettingsRecords& r) const
{
    r.control.model.value = r.Raw("CONTROL-TYPE");
    r.control.model.known = r.raw.count("CONTROL-TYPE") != 0;
    r.menu.menuId = r.Raw("CONTROL-MENUID", r.menu.menuId);
    r.menu.menuShown = r.Raw("CONTROL-DISP-MENU", r.menu.menuShown);
    r.horizontal.mainTimePerDivNs = CalcTimeBase(static_cast<int>(r.Raw("HORIZ-TB", 1)));
    r.trigger.holdoffMinPs = r.Raw("TRIG-HOLDTIME-MIN");
    r.trigger.holdoffMaxPs = r.Raw("TRIG-HOLDTIME-MAX");
    if (const SegmentData* db = m_table.GetUISysData("FFTDB"); db && r.raw.count("MATH-FFT-DB")) {
        r.math.fftDb.value = m_table.GetUIIndex(static_cast<int>(r.Raw("MATH-FFT-DB")), *db);
        r.math.fftDb.text = r.math.fftDb.value < db->count ? db->items[static_cast<size_t>(r.math.fftDb.value)] : "";
        r.math.fftDb.segment = db;
        r.math.fftDb.known = true;
    }
}

VoltCodeReport CSettingsDecoder::DecodeSettings(CSettingsRecords& records) const
{
    for (const KindInfo* info = KindsBegin(); info != KindsEnd(); ++info) {
        if (info->scope == KindScope::None || info->scope == KindScope::Key)
            continue;
        for (int target : TargetsOf(*info))
            DecodeKind(*info, target, records);
    }
    VoltCodeReport report;
    DecodeVoltsPerDiv(0, records, report);
    DecodeVoltsPerDiv(1, records, report);
    DecodeLevels(records);
    DecodeExtras(records);
    return report;
}
