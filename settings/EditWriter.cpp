#include "settings/EditWriter.h"

#include <algorithm>

#include "corvane/InputProcessors.h"
#include "corvane/ScaleConversion.h"
#include "settings/ChoiceLists.h"
#include "settings/SettingKinds.h"
#include "settings/ValueTexts.h"
#include "tessary/UI_Sys_table.h"

namespace {
constexpr int kMathFFT = 3;
constexpr int kWindowThresholdTwoChannels = 7;
constexpr int kWindowThresholdOneChannel = 6;
constexpr int kWindowFastEntries = 7;   // window time bases below this list position need a fast main one
constexpr int64_t kDefaultHoldoffMaxPs = 10'000'000'000'000;

// The trigger menus of the instrument, and the menu of each trigger type.
bool IsTriggerMenu(int64_t menu)
{
    static const int menus[] = {5, 6, 7, 8, 22, 23, 38, 39};
    return std::find(std::begin(menus), std::end(menus), menu) != std::end(menus);
}

int MenuOfTriggerType(int position)
{
    static const int menus[] = {5, 8, 6, 22, 38};
    return position >= 0 && position < 5 ? menus[position] : -1;
}

std::string ChannelName(int channel, const char* setting)
{
    return "VERT-CH" + std::to_string(channel) + "-" + setting;
}

// The sources TgVoltProcess knows; the line input behaves as EXT.
uint32_t ProcessorSource(int source)
{
    return source >= kSourceCH1 && source <= kSourceExt5 ? static_cast<uint32_t>(source) : kTrigSourceExt;
}
}  // namespace

const SegmentData* CEditWriter::Segment(const KindInfo& info, int target) const
{
    const char* name = KindSegment(info, target);
    return name ? m_table.GetUISysData(name) : nullptr;
}

int CEditWriter::Code(const char* segment, int position) const
{
    const SegmentData* s = m_table.GetUISysData(segment);
    if (!s || position < 0 || position >= s->count)
        return -1;
    return m_table.GetGlobeIndex(position, *s);
}

int CEditWriter::ChosenCode(int kind, int target, int position) const
{
    const KindInfo* info = FindKind(kind);
    const char* segment = info ? KindSegment(*info, target) : nullptr;
    return segment ? Code(segment, position) : -1;
}

WriteStatus CEditWriter::Writes(int kind, int target, const SettingChoice& choice, std::vector<ParamWrite>& out,
                                std::string* shownText) const
{
    out.clear();
    const KindInfo* info = FindKind(kind);
    if (!info || !info->param || !IsValidTarget(*info, target) || info->scope == KindScope::Key)
        return WriteStatus::NotEditable;
    if (info->input == KindInput::List)
        return ListWrites(*info, target, choice.position, out);
    if (info->input == KindInput::None)
        return WriteStatus::NotEditable;
    std::string shown;
    const WriteStatus status = TypedWrites(*info, target, choice.text, out, shown);
    if (shownText && status == WriteStatus::Ok)
        *shownText = shown;
    return status;
}

WriteStatus CEditWriter::ListWrites(const KindInfo& info, int target, int position, std::vector<ParamWrite>& out) const
{
    int code = position;
    if (info.table == ChoiceTable::Segment) {
        const SegmentData* segment = Segment(info, target);
        if (!segment)
            return WriteStatus::NoSegment;
        if (position < 0 || position >= segment->count)
            return WriteStatus::OutOfList;
        code = m_table.GetGlobeIndex(position, *segment);
    } else if (position < 0 || position >= static_cast<int>(ChoiceList(info, target, m_table).size())) {
        return WriteStatus::OutOfList;
    }
    switch (info.kind) {
    case KIND_ACQUIRE_TYPE: AcquireTypeWrites(position, code, out); break;
    case KIND_CHANNEL_ON: ChannelOnWrites(target, position, out); break;
    case KIND_INVERT: InvertWrites(target, position, out); break;
    case KIND_MATH_OPERATION:
        out.push_back({"MATH-MODE", code});
        out.push_back({"DISPLAY-FORMAT", position == kMathFFT ? 2 : 0});
        break;
    case KIND_WINDOW_TIME_BASE: WindowTimeBaseWrites(position, out); break;
    case KIND_MAIN_TIME_BASE: MainTimeBaseWrites(position, out); break;
    case KIND_TRIGGER_TYPE: TriggerTypeWrites(target, position, code, out); break;
    default: out.push_back({KindParameter(info, target), code}); break;
    }
    // A time-base rule that needs an entry the model does not list writes nothing.
    const bool missingEntry = std::any_of(out.begin(), out.end(), [](const ParamWrite& w) {
        return w.value < 1 && (w.name == "HORIZ-TB" || w.name == "HORIZ-WIN-TB");
    });
    if (missingEntry)
        out.clear();
    return missingEntry ? WriteStatus::NoSegment : WriteStatus::Ok;
}

void CEditWriter::AcquireTypeWrites(int position, int code, std::vector<ParamWrite>& out) const
{
    out.push_back({"ACQURIE-TYPE", code});
    if (position == 1 && m_r.acquire.storeDepth.value != 0) {
        const int depth = Code("ACDEPTH", 0);
        if (depth >= 0)
            out.push_back({"ACQURIE-STORE-DEPTH", depth});
    }
}

// Time bases hold their code + 1; a missing entry gives 0, which ListWrites
// refuses.
void CEditWriter::ChannelOnWrites(int channel, int on, std::vector<ParamWrite>& out) const
{
    if (on == 0 && m_r.horizontal.windowTimeBase.value < kWindowFastEntries)
        out.push_back({"HORIZ-TB", Code("TB", 0) + 1});
    if (on == 1 && m_r.horizontal.mainTimeBase.value == 0)
        out.push_back({"HORIZ-TB", Code("TB", 1) + 1});
    out.push_back({ChannelName(channel, "DISP"), on});
}

void CEditWriter::MainTimeBaseWrites(int position, std::vector<ParamWrite>& out) const
{
    const bool both = m_r.channel[0].display.value != 0 && m_r.channel[1].display.value != 0;
    const int used = std::max(position, both ? 1 : 0);
    const int value = Code("TB", used) + 1;
    out.push_back({"HORIZ-TB", value});
    out.push_back({"HORIZ-WIN-TB", value});
}

void CEditWriter::WindowTimeBaseWrites(int position, std::vector<ParamWrite>& out) const
{
    const bool both = m_r.channel[0].display.value != 0 && m_r.channel[1].display.value != 0;
    const int threshold = both ? kWindowThresholdTwoChannels : kWindowThresholdOneChannel;
    const int window = Code("WINTB", position) + 1;
    out.push_back({"HORIZ-WIN-TB", window});
    out.push_back({"HORIZ-TB", position >= threshold ? window : Code("TB", both ? 1 : 0) + 1});
}

// The instrument's trigger menu follows the type of the normal trigger.
void CEditWriter::TriggerTypeWrites(int target, int position, int code, std::vector<ParamWrite>& out) const
{
    out.push_back({KindParameter(*FindKind(KIND_TRIGGER_TYPE), target), code});
    const int menu = MenuOfTriggerType(position);
    if (target == kTargetNormal && IsTriggerMenu(m_r.menu.menuId) && menu >= 0)
        out.push_back({"CONTROL-MENUID", menu});
}

// Inverting the edge source mirrors the trigger level about its position.
void CEditWriter::InvertWrites(int channel, int invert, std::vector<ParamWrite>& out) const
{
    const int32_t current = channel == 1 ? m_wfm.nCH1Invert : m_wfm.nCH2Invert;
    if (m_r.trigger.edgeSource.value == channel - 1 && invert != current)
        out.push_back({"TRIG-VPOS", 2 * m_r.channel[channel - 1].position.value - m_r.trigger.level.value});
    out.push_back({ChannelName(channel, "RPHASE"), invert});
}

WriteStatus CEditWriter::TypedWrites(const KindInfo& info, int target, const std::string& text,
                                     std::vector<ParamWrite>& out, std::string& shown) const
{
    switch (info.input) {
    case KindInput::Position: return PositionWrites(target, text, out, shown);
    case KindInput::VoltsPerDiv: return VoltsWrites(target, text, out, shown);
    case KindInput::Level: return LevelWrites(info, target, text, out, shown);
    case KindInput::Line: {
        int line = 1;
        TgLineProcess(text, static_cast<uint32_t>(m_r.TriggerMode(target).videoStandard.value), shown, line);
        out.push_back({KindParameter(info, target), line});
        return WriteStatus::Ok;
    }
    case KindInput::Time: {
        const float minNs = static_cast<float>(m_r.trigger.holdoffMinPs) / 1000.0f;
        const int64_t maxPs = m_r.trigger.holdoffMaxPs > 0 ? m_r.trigger.holdoffMaxPs : kDefaultHoldoffMaxPs;
        const float maxS = static_cast<float>(static_cast<double>(maxPs) / 1e12);
        int64_t ps = 0;
        if (!TimeProcess(text, m_r.horizontal.mainTimePerDivNs, shown, ps,
                         static_cast<TIME_PROCESS_TYPE>(info.timeKind), minNs, maxS))
            return WriteStatus::Rejected;
        out.push_back({KindParameter(info, target), ps});
        return WriteStatus::Ok;
    }
    default: return WriteStatus::NotEditable;
    }
}

// Moving the edge source's trace moves its trigger level with it.
WriteStatus CEditWriter::PositionWrites(int channel, const std::string& text, std::vector<ParamWrite>& out,
                                        std::string& shown) const
{
    const ChannelRecord& c = m_r.channel[channel - 1];
    int64_t position = 0;
    if (!VtPosProcess(text, c.voltsPerDiv.value, static_cast<uint16_t>(c.probeFactor), shown, position))
        return WriteStatus::Rejected;
    if (m_r.trigger.edgeSource.value == channel - 1)
        out.push_back({"TRIG-VPOS", m_r.trigger.level.value + (position - c.position.value)});
    out.push_back({ChannelName(channel, "POS"), position});
    return WriteStatus::Ok;
}

bool CEditWriter::VoltsPosition(int64_t v, int64_t probe, int& position, int64_t& fine) const
{
    const SegmentData* s = m_table.GetUISysData("VBASE");
    if (!s || s->count <= 0)
        return false;
    position = 0;
    fine = 0;
    for (int i = 1; i < s->count; ++i) {
        const int64_t below = Assstring(s->items[static_cast<size_t>(i - 1)], 0, probe);
        const int64_t at = Assstring(s->items[static_cast<size_t>(i)], 0, probe);
        if (below < v && v <= at) {
            const int64_t step = Assstring(s->items[static_cast<size_t>(i - 1)], 0, 1) / 50 * probe;
            position = i;
            fine = step > 0 ? (v - below) / step : 0;
            return true;
        }
    }
    if (v > Assstring(s->items[static_cast<size_t>(s->count - 1)], 0, probe))
        position = s->count - 1;
    return true;
}

// Volts per division: the entry at or above the value with fine mode off; the
// entry below plus a fine count with it on.
WriteStatus CEditWriter::VoltsWrites(int channel, const std::string& text, std::vector<ParamWrite>& out,
                                     std::string& shown) const
{
    const SegmentData* s = m_table.GetUISysData("VBASE");
    if (!s || s->count <= 0)
        return WriteStatus::NoSegment;
    const ChannelRecord& c = m_r.channel[channel - 1];
    const int64_t minimum = Assstring(s->items.front(), 0, 1);
    const int64_t maximum = Assstring(s->items.back(), 0, 1);
    int64_t v = 0;
    if (!VtScaleProcess(text, static_cast<uint32_t>(c.probeFactor), shown, v, minimum, maximum))
        return WriteStatus::Rejected;
    int position = 0;
    int64_t fine = 0;
    VoltsPosition(v, c.probeFactor, position, fine);
    const bool fineMode = c.fineMode != 0;
    const int entry = fineMode ? std::max(position - 1, 0) : position;
    out.push_back({ChannelName(channel, "VB"), m_table.GetGlobeIndex(entry, *s)});
    out.push_back({ChannelName(channel, "CNT-FINE"), fineMode && position > 0 ? fine : 0});
    out.push_back({ChannelName(channel, "FINE"), fineMode ? 1 : 0});
    return WriteStatus::Ok;
}

WriteStatus CEditWriter::LevelWrites(const KindInfo& info, int target, const std::string& text,
                                     std::vector<ParamWrite>& out, std::string& shown) const
{
    int source = static_cast<int>(m_r.trigger.edgeSource.value);
    if (info.kind != KIND_TRIGGER_LEVEL)
        source = target == kTargetNormal ? static_cast<int>(m_r.trigger.slopeSource.value) : target - 1;
    const bool channel = source == kSourceCH1 || source == kSourceCH2;
    const int64_t volts = channel ? m_r.channel[source].voltsPerDiv.value : (source == kSourceExt5 ? 1000000 : 200000);
    const int64_t position = channel ? m_r.channel[source].position.value : 0;
    int64_t level = 0;
    if (volts <= 0 || !TgVoltProcess(text, ProcessorSource(source), volts, position * volts / 25, shown, level))
        return WriteStatus::Rejected;
    const std::string name = info.kind == KIND_TRIGGER_LEVEL ? "TRIG-VPOS" : KindParameter(info, target);
    out.push_back({name, LevelToCounts(level, source, volts, position)});
    return WriteStatus::Ok;
}
