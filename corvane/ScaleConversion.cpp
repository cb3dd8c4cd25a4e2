#include "corvane/ScaleConversion.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "corvane/TextNumber.h"

const char* const strFormat[3][8] = {
    {"%1.0f %s", "%1.1f %s", "%1.2f %s", "%1.3f %s", "%1.4f %s", "%1.5f %s", "%1.7f %s", "%1.8f %s"},
    {"", "%2.0f %s", "%2.1f %s", "%2.2f %s", "%2.3f %s", "%2.4f %s", "%2.5f %s", "%2.6f %s"},
    {"", "", "%3.0f %s", "%3.1f %s", "%3.2f %s", "%3.3f %s", "%3.4f %s", "%3.5f %s"},
};

const char* const mark[kMarkRows][kMarkUnits] = {
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"kv", "v", "mv", "uv", "div"},
    {"s", "ms", "us", "ns", "ps"},
    {"GHz", "MHz", "kHz", "Hz", "mHz"},
    {"dB", "mdB", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
};

const int64_t voltScaleParam[kVoltScaleCount] = {
    2000,       5000,       10000,      20000,       50000,       100000,     200000,
    500000,     1000000,    2000000,    5000000,     10000000,    20000000,   50000000,
    100000000,  200000000,  500000000,  1000000000,  2000000000,  5000000000,
};

namespace {

constexpr int kFFTdBcenter[kVoltScaleCount] = {
    -75, -67, -61, -55, -47, -41, -35, -27, -21, -15,
    -7,  -1,  5,   13,  19,  25,  33,  39,  45,  53,
};

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

// One step of a 1-2-5 sequence: value × 2.5 truncated toward zero when
// wide is set, else value × 2; saturates instead of overflowing.
int64_t ScaleStep(int64_t value, bool wide)
{
    const int64_t factor = wide ? 5 : 2;
    if (value > kInt64Max / factor) {
        return kInt64Max;
    }
    if (value < -kInt64Max / factor) {
        return -kInt64Max;
    }
    return wide ? value * 5 / 2 : value * 2;
}

// The sequence that starts at first for index 1; step i multiplies by 2.5
// when i modulo 3 equals wideRemainder, else by 2.
int64_t StepSequence(int64_t first, int n, int wideRemainder)
{
    int64_t value = first;
    for (int i = 2; i <= n; ++i) {
        value = ScaleStep(value, i % 3 == wideRemainder);
        if (value == kInt64Max || value == -kInt64Max) {
            break;
        }
    }
    return value;
}

constexpr int kTimeWideRemainder = 0;  // 4, 8, 20: the third step is × 2.5
constexpr int kVoltWideRemainder = 2;  // 2, 5, 10: the second step is × 2.5

constexpr int kVoltUnitRow = 2;
constexpr int kUnitVolt = 1;
constexpr int kUnitMillivolt = 2;

}  // namespace

int64_t CalcTimeBase(int n)
{
    return StepSequence(4, n, kTimeWideRemainder);
}

int64_t CalcFqBase(int n)
{
    return StepSequence(250, n, kTimeWideRemainder);
}

int64_t CalcVoltBase(int n, int probe)
{
    return StepSequence(2 * static_cast<int64_t>(probe), n, kVoltWideRemainder);
}

int32_t CalcDbBase(int n)
{
    const int64_t value = StepSequence(1, n, kTimeWideRemainder);
    return value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                       : static_cast<int32_t>(value);
}

float CalcVoltBaseEx(int n, int& unit, std::string& text, int probe)
{
    float value;
    if (probe == 1000) {
        value = 2.0f;
        unit = kUnitVolt;
    } else {
        value = 2.0f * static_cast<float>(probe);
        unit = kUnitMillivolt;
    }
    for (int i = 2; i <= n; ++i) {
        value *= (i % 3 == kVoltWideRemainder) ? 2.5f : 2.0f;
        if (value >= 1000.0f && unit > 0) {
            value *= 0.001f;
            --unit;
        }
    }
    text = mark[kVoltUnitRow][unit];
    return value;
}

int CalcFFTdBcenter(int64_t voltsPerDivUv)
{
    for (int i = 0; i < kVoltScaleCount; ++i) {
        if (voltScaleParam[i] == voltsPerDivUv) {
            return kFFTdBcenter[i];
        }
    }
    return 0;
}

namespace {

// Digits before the decimal point (1..3) of a magnitude below 1000, or 0 when
// the value must move to the next smaller unit first.
int DigitsBeforePoint(float magnitude)
{
    if (magnitude >= 100.0f) {
        return 3;
    }
    if (magnitude >= 10.0f) {
        return 2;
    }
    if (magnitude >= 1.0f) {
        return 1;
    }
    return 0;
}

// Applies one strFormat entry ("%W.Pf %s") to value and unit without the C
// library's locale-dependent formatting; an empty entry gives an empty text.
std::string ApplyFormat(const char* format, double value, const char* unit)
{
    const std::string_view f(format);
    if (f.size() < 5 || f[0] != '%') {
        return std::string();
    }
    const int width = f[1] - '0';
    int precision = 0;
    std::from_chars(f.data() + 3, f.data() + f.size(), precision);
    std::string number = FormatFixed(value, precision);
    if (static_cast<int>(number.size()) < width) {
        number.insert(0, static_cast<std::size_t>(width) - number.size(), ' ');
    }
    return number + " " + unit;
}

}  // namespace

void DataAnalyse(float& value, int s, std::string& text, int r, int u)
{
    const int row = s + r - 1;
    if (s < 1 || s > 8 || row < 0 || row >= kMarkRows || std::isnan(value) ||
        std::fabs(value) >= 1000.0f) {
        return;
    }
    float v = value;
    int unit = u + 1;
    int digits = DigitsBeforePoint(std::fabs(v));
    while (digits == 0) {
        if (v == 0.0f) {
            unit = 1;
            digits = 1;
        } else if (unit >= kMarkUnits - 1) {
            // Below 1 in the smallest unit of the row: shown in that unit.
            digits = 1;
        } else {
            v *= 1000.0f;
            ++unit;
            digits = DigitsBeforePoint(std::fabs(v));
        }
    }
    unit = unit < 0 ? 0 : (unit >= kMarkUnits ? kMarkUnits - 1 : unit);
    const double scale = std::pow(10.0, s - digits);
    const double scaled = static_cast<double>(v) * scale + (v >= 0.0f ? 0.5 : -0.5);
    const double rounded = std::trunc(scaled) / scale;
    value = static_cast<float>(rounded);
    text = ApplyFormat(strFormat[digits - 1][s - 1], value, mark[row][unit]);
}

namespace {

// A time label in ns: "5.00ns", "2.50us", "100ms", "20.0s".
int64_t TimeLabel(std::string_view t)
{
    if (t.size() >= 2) {
        const std::string_view number = t.substr(0, t.size() - 2);
        switch (t[t.size() - 2]) {
        case 'n':
            return ReadLeadingInteger(number);
        case 'u':
            return SaturatingMultiply(ReadLeadingInteger(number), 1000);
        case 'm':
            return SaturatingMultiply(ReadLeadingInteger(number), 1000000);
        default:
            break;
        }
    }
    const std::string_view number = t.empty() ? t : t.substr(0, t.size() - 1);
    return SaturatingMultiply(ReadLeadingInteger(number), 1000000000);
}

// A voltage label in µV: "200mV", "5.00V".
int64_t VoltLabel(std::string_view t)
{
    if (t.size() >= 2 && t[t.size() - 2] == 'm') {
        return SaturatingMultiply(ReadLeadingInteger(t.substr(0, t.size() - 2)), 1000);
    }
    const std::string_view number = t.empty() ? t : t.substr(0, t.size() - 1);
    return SaturatingMultiply(ReadLeadingInteger(number), 1000000);
}

}  // namespace

int64_t Assstring(const std::string& text, int kind, int64_t factor)
{
    const std::string t = RemoveSpaces(text);
    if (kind == 1) {
        return TimeLabel(t);
    }
    if (kind == 0) {
        return SaturatingMultiply(VoltLabel(t), factor);
    }
    return 0;
}

int Ass_Depthstring(const std::string& text)
{
    const std::string t = RemoveSpaces(text);
    if (t.empty()) {
        return 0;
    }
    const int64_t number = ReadLeadingInteger(std::string_view(t).substr(0, t.size() - 1));
    if (t.back() == 'K') {
        switch (number) {
        case 4:
            return 4000;
        case 20:
            return 20000;
        case 40:
            return 40000;
        case 512:
            return 400000;
        default:
            return 0;
        }
    }
    if (t.back() == 'M' && number == 1) {
        return 800000;
    }
    return 0;
}

int64_t Combine(const unsigned char* bytes, int count)
{
    if (bytes == nullptr || count < 1) {
        return 0;
    }
    uint64_t value = 0;
    const int used = count < 8 ? count : 8;
    for (int i = 0; i < used; ++i) {
        value |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    }
    return static_cast<int64_t>(value);
}

namespace corvane {

int64_t round(double x)
{
    return SaturatingToInt64(x >= 0.0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5));
}

}  // namespace corvane
