#include "settings/SettingKinds.h"

#include <algorithm>
#include <iterator>

namespace {

using S = KindScope;
using I = KindInput;
using T = ChoiceTable;

KindInfo Shown(int kind, const char* param, S scope, const char* segment, T table, int row)
{
    KindInfo k;
    k.kind = kind;
    k.param = param;
    k.scope = scope;
    k.segment = segment;
    k.table = segment ? T::Segment : table;
    k.row = row;
    return k;
}

// A list kind: labels from a table row, or from the segment when one is given.
KindInfo List(int kind, const char* param, S scope, const char* segment, T table = T::None, int row = -1)
{
    KindInfo k = Shown(kind, param, scope, segment, table, row);
    k.input = I::List;
    return k;
}

KindInfo Typed(int kind, const char* param, S scope, I input, int timeKind = -1)
{
    KindInfo k;
    k.kind = kind;
    k.param = param;
    k.scope = scope;
    k.input = input;
    k.timeKind = timeKind;
    return k;
}

// A trigger kind; swappable ones exist once per trigger target.
KindInfo Trig(KindInfo k, bool swappable, int type)
{
    k.swappable = swappable;
    k.triggerType = type;
    return k;
}

KindInfo Key(int kind, const char* name)
{
    KindInfo k;
    k.kind = kind;
    k.param = name;
    k.scope = S::Key;
    return k;
}

KindInfo Command(int kind)
{
    KindInfo k;
    k.kind = kind;
    return k;
}

constexpr int kEdge = 0, kVideo = 1, kPulse = 2, kSlope = 3, kOvertime = 4;

const KindInfo kKinds[] = {
    List(0, "DISPLAY-FORMAT", S::Plain, nullptr, T::Ds, 0),
    List(1, "DISPLAY-PERSIST", S::Plain, "PERSIST"),
    List(2, "DISPLAY-MODE", S::Plain, nullptr, T::Ds, 2),
    List(3, "DISPLAY-CONTRAST", S::Plain, nullptr, T::Ds, 4),
    List(4, "DISPLAY-GRID-KIND", S::Plain, nullptr, T::Ds, 5),
    List(5, "DISPLAY-GRID-BRIGHT", S::Plain, nullptr, T::Ds, 6),
    List(6, "ACQURIE-TYPE", S::Plain, "ACTYPE"),
    List(7, "ACQURIE-MODE", S::Plain, nullptr, T::Ac, 1),
    List(8, "ACQURIE-AVG-CNT", S::Plain, "ACAVG"),
    Shown(9, "ACQURIE-STATE", S::Plain, nullptr, T::Ac, 3),
    Shown(10, "ACQURIE-STOP-AFTER", S::Plain, nullptr, T::Ac, 4),
    List(11, "ACQURIE-STORE-DEPTH", S::Plain, "ACDEPTH"),
    List(12, "DISP", S::Channel, nullptr, T::Vt, 0),
    List(13, "20MHZ", S::Channel, nullptr, T::Vt, 1),
    List(14, "COUP", S::Channel, "VCOUP"),
    Typed(15, "POS", S::Channel, I::Position),
    Typed(16, "VB", S::Channel, I::VoltsPerDiv),
    List(17, "PROBE", S::Channel, "PROBE"),
    List(18, "RPHASE", S::Channel, nullptr, T::Vt, 8),
    List(19, "MATH-DISP", S::Plain, nullptr, T::Mt, 0),
    List(20, "MATH-MODE", S::Plain, "MTMODE"),
    List(21, "MATH-FFT-SRC", S::Plain, nullptr, T::Mt, 2),
    List(22, "MATH-FFT-WIN", S::Plain, "FFTWIN"),
    List(23, "MATH-FFT-FACTOR", S::Plain, "FFTFACTOR"),
    List(24, "HORIZ-WIN-STATE", S::Plain, nullptr, T::Hz, 0),
    List(26, "HORIZ-WIN-TB", S::Plain, "WINTB"),
    Typed(27, "HORIZ-TRIGTIME", S::Plain, I::Time, 0),
    List(28, "HORIZ-TB", S::Plain, "TB"),
    Typed(29, "TRIG-HOLDTIME", S::Plain, I::Time, 1),
    Typed(30, "TRIG-VPOS", S::Plain, I::Level),
    Trig(List(31, "MODE", S::Trigger, nullptr, T::Tg, 0), true, -1),
    Trig(List(32, "TYPE", S::Trigger, "TGTYPE"), true, -1),
    Trig(List(33, "COUP", S::Trigger, "TGCOUP"), true, -1),
    Trig(List(34, "EDGE-SLOPE", S::Trigger, nullptr, T::Tg, 3), true, kEdge),
    Trig(List(35, "TRIG-SRC", S::Plain, "TGSRC"), false, kEdge),
    Trig(List(36, "VIDEO-NEG", S::Trigger, nullptr, T::Tg, 5), true, kVideo),
    Trig(List(37, "VIDEO-PAL", S::Trigger, nullptr, T::Tg, 6), true, kVideo),
    Trig(List(38, "TRIG-SRC", S::Plain, "TGVIDEOSRC"), false, kVideo),
    Trig(List(39, "VIDEO-SYN", S::Trigger, "TGSYN"), true, kVideo),
    Trig(Typed(40, "VIDEO-LINE", S::Trigger, I::Line), true, kVideo),
    Trig(List(41, "TRIG-SRC", S::Plain, "TGPLUESRC"), false, kPulse),
    Trig(List(42, "PULSE-NEG", S::Trigger, nullptr, T::Tg, 10), true, kPulse),
    Trig(List(43, "PULSE-WHEN", S::Trigger, "TGWHEN"), true, kPulse),
    Trig(Typed(44, "PULSE-TIME", S::Trigger, I::Time, 2), true, kPulse),
    Trig(List(45, "TRIG-SRC", S::Plain, "TGSLOPESRC"), false, kSlope),
    Trig(List(46, "SLOPE-SET", S::Trigger, nullptr, T::Tg, 13), true, kSlope),
    Trig(List(47, "SLOPE-WIN", S::Trigger, nullptr, T::Tg, 14), true, kSlope),
    Trig(Typed(48, "SLOPE-V1", S::Trigger, I::Level), true, kSlope),
    Trig(Typed(49, "SLOPE-V2", S::Trigger, I::Level), true, kSlope),
    Trig(List(50, "SLOPE-WHEN", S::Trigger, "TGWHEN"), true, kSlope),
    Trig(Typed(51, "SLOPE-TIME", S::Trigger, I::Time, 3), true, kSlope),
    Trig(List(52, "TRIG-SRC", S::Plain, "TGOVERTSRC"), false, kOvertime),
    Trig(List(53, "TRIG-OVERTIME-NEG", S::Plain, nullptr, T::Tg, 10), false, kOvertime),
    Trig(Typed(54, "TRIG-OVERTIME-TIME", S::Plain, I::Time, 4), false, kOvertime),
    Shown(55, "TRIG-FREQUENCY", S::Plain, nullptr, T::None, -1),
    Shown(56, "TRIG-STATE", S::Plain, "TGSTATE", T::None, -1),
    List(57, "-SRC", S::Measure, "MSSRC"),
    List(58, "", S::Measure, "MSITEM"),
    Key(59, "CT-AUTOSET-KEY"),
    Key(60, "CT-DS-KEY"),
    Key(62, "CT-RS-KEY"),
    Key(63, "CT-RS-KEY"),
    Key(64, "TG-PHALF-KEY"),
    Key(65, "TG-FORCE-KEY"),
    Command(66),
    Command(67),
    Command(68),
};

bool IsTriggerKind(const KindInfo& info)
{
    return info.kind >= KIND_TRIGGER_MODE && info.kind <= KIND_OVERTIME_TIME;
}

}  // namespace

const KindInfo* KindsBegin()
{
    return std::begin(kKinds);
}

const KindInfo* KindsEnd()
{
    return std::end(kKinds);
}

const KindInfo* FindKind(int kind)
{
    const KindInfo* it = std::find_if(KindsBegin(), KindsEnd(), [kind](const KindInfo& k) { return k.kind == kind; });
    return it == KindsEnd() ? nullptr : it;
}

const char* KindSegment(const KindInfo& info, int target)
{
    if (info.kind == KIND_TRIGGER_TYPE && (target == kTargetSwapCH1 || target == kTargetSwapCH2))
        return "SWAPTGTYPE";
    return info.segment;
}

bool IsValidTarget(const KindInfo& info, int target)
{
    switch (info.scope) {
    case KindScope::Channel: return target == 1 || target == 2;
    case KindScope::Measure: return target >= 1 && target <= 8;
    case KindScope::Trigger: return target >= kTargetSwapCH1 && target <= kTargetNormal;
    default: return !IsTriggerKind(info) || (target >= kTargetSwapCH1 && target <= kTargetNormal);
    }
}

std::string KindParameter(const KindInfo& info, int target)
{
    if (!info.param || !IsValidTarget(info, target))
        return {};
    const std::string name = info.param;
    switch (info.scope) {
    case KindScope::Plain: return name;
    case KindScope::Channel: return "VERT-CH" + std::to_string(target) + "-" + name;
    case KindScope::Measure: return "MEASURE-ITEM" + std::to_string(target) + name;
    case KindScope::Trigger:
        return target == kTargetNormal ? "TRIG-" + name : "TRIG-SWAP-CH" + std::to_string(target) + "-" + name;
    default: return {};
    }
}
