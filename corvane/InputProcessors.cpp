#include "corvane/InputProcessors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "corvane/ScaleConversion.h"
#include "corvane/TextNumber.h"

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();

// A typed value split into its number and the power of ten that takes the
// number to the processor's base unit (ps for times, µV for voltages).
struct TypedValue {
    double number = 0.0;
    int exponent = 0;
};

constexpr int kExpSecond = 12;       // s -> ps
constexpr int kExpMillisecond = 9;   // ms -> ps
constexpr int kExpKilovolt = 9;      // kV -> µV
constexpr int kExpVolt = 6;          // V -> µV

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Power of ten for a time prefix letter, -1 when c is none.
int TimePrefixExponent(char c)
{
    switch (Lower(c)) {
    case 'm':
        return 9;
    case 'u':
        return 6;
    case 'n':
        return 3;
    case 'p':
        return 0;
    default:
        return -1;
    }
}

// Power of ten for a voltage prefix letter, -1 when c is none.
int VoltPrefixExponent(char c)
{
    switch (Lower(c)) {
    case 'k':
        return 9;
    case 'm':
        return 3;
    case 'u':
        return 0;
    default:
        return -1;
    }
}

// "1.5ms", "20 NS", "0.5s", "0.5": a trailing s must follow a digit or a prefix.
bool ParseTime(const std::string& typed, TypedValue& value)
{
    std::string t = RemoveSpaces(typed);
    int exponent = kExpSecond;
    if (!t.empty() && Lower(t.back()) == 's') {
        t.pop_back();
        if (t.empty()) {
            return false;
        }
        const int prefix = TimePrefixExponent(t.back());
        if (prefix >= 0) {
            exponent = prefix;
            t.pop_back();
        } else if (!IsDecimalDigit(t.back())) {
            return false;
        }
    }
    value.exponent = exponent;
    return ParseTypedNumber(t, value.number);
}

// "20mV", "1.5v", "2KV", "0.3": volts unless a unit says otherwise.
bool ParseVolt(const std::string& typed, TypedValue& value)
{
    std::string t = RemoveSpaces(typed);
    int exponent = kExpVolt;
    if (!t.empty() && Lower(t.back()) == 'v') {
        t.pop_back();
        const int prefix = t.empty() ? -1 : VoltPrefixExponent(t.back());
        if (prefix >= 0) {
            exponent = prefix;
            t.pop_back();
        }
    }
    value.exponent = exponent;
    return ParseTypedNumber(t, value.number);
}

// A voltage in µV rounded half away from zero; kilovolts are rounded to
// whole millivolts first.
int64_t RoundedMicrovolts(const TypedValue& v)
{
    if (v.exponent == kExpKilovolt) {
        return SaturatingMultiply(corvane::round(v.number * 1e6), 1000);
    }
    return corvane::round(v.number * std::pow(10.0, v.exponent));
}

// value cut toward zero to a multiple of step (step 0 leaves it).
int64_t SnapTowardZero(int64_t value, int64_t step)
{
    return step == 0 ? value : value / step * step;
}

// The text DataAnalyse writes for value with s significant digits in the
// largest unit of its row. A value that DataAnalyse cannot show (1000 of the
// largest unit or more) is written plainly with the largest unit, so that the
// text always matches the value handed back.
std::string ScaleText(double largestUnitValue, int significant, const char* largestUnit)
{
    float value = static_cast<float>(largestUnitValue);
    std::string text;
    DataAnalyse(value, significant, text, 0, -1);
    if (text.empty()) {
        text = FormatFixed(largestUnitValue, 0) + " " + largestUnit;
    }
    return text;
}

// The limits of a typed time: a display value below lowSeconds becomes lowPs,
// one above highSeconds becomes highPs.
struct TimeLimits {
    bool active = false;
    double lowSeconds = 0.0;
    int64_t lowPs = 0;
    double highSeconds = 0.0;
    int64_t highPs = 0;
};

constexpr int64_t kHoldOffFloorPs = 500000;            // 500 ns
constexpr int64_t kTimeFloorPs = 20000;                // 20 ns
constexpr int64_t kTimeCeilingPs = 10000000000000LL;   // 10 s

// Trigger position (kind 0) for a time per division T in ns: at most a cap
// that depends on T, at least four divisions before the trigger.
TimeLimits TrigPositionLimits(int64_t t)
{
    TimeLimits l;
    if (t >= 5 && t <= 10) {
        l.highSeconds = 0.02;
        l.highPs = 20000000000LL;
    } else if (t >= 25 && t <= 100000) {
        l.highSeconds = 0.05;
        l.highPs = 50000000000LL;
    } else if (t >= 250000 && t <= 50000000000LL) {
        l.highSeconds = 50.0;
        l.highPs = 50000000000000LL;
    } else {
        return l;
    }
    l.active = true;
    l.lowPs = -4000 * t;
    l.lowSeconds = static_cast<double>(-4 * t) * 1e-9;
    return l;
}

TimeLimits TimeLimitsOf(TIME_PROCESS_TYPE kind, int64_t timePerDivNs, float a, float b)
{
    switch (kind) {
    case TIME_TRIG_POSITION:
        return TrigPositionLimits(timePerDivNs);
    case TIME_HOLDOFF:
        return {true, static_cast<double>(a) * 1e-9, kHoldOffFloorPs, static_cast<double>(b), kTimeCeilingPs};
    default:
        return {true, 20e-9, kTimeFloorPs, 10.0, kTimeCeilingPs};
    }
}

// Holds a display value (seconds) at the limits; true when it was held.
bool HoldTime(const TimeLimits& l, double seconds, int64_t& ps)
{
    if (!l.active)
        return false;
    if (seconds < l.lowSeconds) {
        ps = l.lowPs;
        return true;
    }
    if (seconds > l.highSeconds) {
        ps = l.highPs;
        return true;
    }
    return false;
}

}  // namespace

int TimeProcess(const std::string& typed, int64_t timePerDivNs, std::string& text, int64_t& valuePs,
                TIME_PROCESS_TYPE kind, float a, float b)
{
    TypedValue v;
    if (kind < TIME_TRIG_POSITION || kind > TIME_OVERTIME || !ParseTime(typed, v)) {
        return 0;
    }
    double seconds = v.number * std::pow(10.0, v.exponent - kExpSecond);
    const double product = v.number * std::pow(10.0, v.exponent);
    int64_t ps = 0;
    if (product != 0.0 && std::fabs(product) < 1.0) {
        seconds = 0.0;
    } else if (v.exponent == kExpSecond) {
        ps = SaturatingMultiply(corvane::round(v.number * 1e6), 1000000);  // whole µs
    } else if (v.exponent == kExpMillisecond) {
        ps = SaturatingMultiply(corvane::round(v.number * 1e6), 1000);     // whole ns
    } else {
        ps = corvane::round(product);
    }

    // The limits hold the typed display value. A value inside them that the
    // rounding to the typed unit's resolution carries across a limit is held
    // there too. Either way the text shows the value handed back.
    const TimeLimits limits = TimeLimitsOf(kind, timePerDivNs, a, b);
    if (!HoldTime(limits, seconds, ps))
        HoldTime(limits, static_cast<double>(ps) * 1e-12, ps);
    seconds = static_cast<double>(ps) * 1e-12;

    text = ScaleText(seconds, 4, "s");
    valuePs = ps;
    return 1;
}

int VtScaleProcess(const std::string& typed, uint32_t probe, std::string& text, int64_t& valueUv,
                   int64_t minimumUv, int64_t maximumUv)
{
    TypedValue v;
    if (!ParseVolt(typed, v)) {
        return 0;
    }
    const double volts = v.number * std::pow(10.0, v.exponent - kExpVolt);
    int64_t uv = RoundedMicrovolts(v);
    const int64_t low = SaturatingMultiply(static_cast<int64_t>(probe), minimumUv);
    const int64_t high = SaturatingMultiply(static_cast<int64_t>(probe), maximumUv);
    if (uv <= low) {
        uv = low;
    } else if (uv >= high) {
        uv = high;
    }
    text = ScaleText(volts / 1000.0, 3, "kv");
    valueUv = uv;
    return 1;
}

namespace {

constexpr int64_t kExtRangeUv = 1600000;
constexpr int64_t kExtStepUv = 8000;
constexpr int64_t kExt5RangeUv = 8000000;
constexpr int64_t kExt5StepUv = 40000;

int64_t HoldExternalLevel(int64_t level, int64_t range, int64_t step)
{
    return SnapTowardZero(std::clamp(level, -range, range), step);
}

// Keeps level + offset within ±8 divisions of a channel.
int64_t HoldChannelLevel(int64_t level, int64_t voltsPerDivUv, int64_t offsetUv)
{
    const int64_t screen = SaturatingMultiply(8, voltsPerDivUv);
    const int64_t negOffset = offsetUv == kInt64Min ? kInt64Max : -offsetUv;
    const int64_t onScreen = SaturatingAdd(level, offsetUv);
    if (onScreen > screen) {
        return SaturatingAdd(screen, negOffset);
    }
    if (onScreen < -screen) {
        return SaturatingAdd(-screen, negOffset);
    }
    return level;
}

}  // namespace

int TgVoltProcess(const std::string& typed, uint32_t source, int64_t voltsPerDivUv, int64_t offsetUv,
                  std::string& text, int64_t& levelUv)
{
    TypedValue v;
    if (!ParseVolt(typed, v)) {
        return 0;
    }
    const double product = v.number * std::pow(10.0, v.exponent);
    int64_t level = (product != 0.0 && std::fabs(product) < 1.0) ? 0 : RoundedMicrovolts(v);
    level = SnapTowardZero(level, voltsPerDivUv / 25);
    switch (source) {
    case kTrigSourceCH1:
    case kTrigSourceCH2:
        level = HoldChannelLevel(level, voltsPerDivUv, offsetUv);
        break;
    case kTrigSourceExt:
        level = HoldExternalLevel(level, kExtRangeUv, kExtStepUv);
        break;
    case kTrigSourceExt5:
        level = HoldExternalLevel(level, kExt5RangeUv, kExt5StepUv);
        break;
    default:
        break;
    }
    text = ScaleText(static_cast<double>(level) / 1e9, 3, "kv");
    levelUv = level;
    return 1;
}

int VtPosProcess(const std::string& typed, int64_t voltsPerDivUv, uint16_t probe, std::string& text,
                 int64_t& position)
{
    double divisions = 0.0;
    if (!ParseTypedNumber(RemoveSpaces(typed), divisions)) {
        return 0;
    }
    const int64_t p = probe;
    const int64_t vb = voltsPerDivUv;
    int64_t limit = 0;
    if (vb >= 2000 * p && vb <= 200000 * p) {
        limit = 2000000 * p;
    } else if (vb > 200000 * p && vb <= 5000000 * p) {
        limit = 50000000 * p;
    }
    if (limit != 0 && vb != 0) {
        const double offset = divisions * static_cast<double>(vb);
        if (offset > static_cast<double>(limit)) {
            divisions = static_cast<double>(limit / vb);
        } else if (offset < -static_cast<double>(limit)) {
            divisions = static_cast<double>(-limit / vb);
        }
    }
    // Hundredths, cut toward zero to the instrument's step of 0.04 division.
    const int64_t hundredths = corvane::round(divisions * 100.0) / 4 * 4;
    text = FormatFixed(static_cast<double>(hundredths) / 100.0, 2);
    position = hundredths / 4;  // × 25 / 100, exact on a multiple of 4
    return 1;
}

int TgLineProcess(const std::string& typed, uint32_t standard, std::string& text, int& line)
{
    const std::string t = RemoveSpaces(typed);
    const bool numeric = std::all_of(t.begin(), t.end(), [](char c) { return IsDecimalDigit(c) || c == '.'; });
    const std::string_view number = numeric ? std::string_view(t) : std::string_view("1");
    const int64_t maximum = standard == kVideoNTSC ? 525 : 625;
    line = static_cast<int>(std::clamp<int64_t>(ReadLeadingInteger(number), 1, maximum));
    text = std::to_string(line);
    return 1;
}
