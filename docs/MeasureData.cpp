#include "docs/MeasureData.h"

#include "corvane/TextNumber.h"

#include <cmath>
#include <string_view>

namespace {

struct UnitScale {
    std::string_view unit;
    double factor;  // to µV, ns or Hz
};

// The units DataAnalyse writes (corvane mark rows 2, 3 and 4).
constexpr UnitScale kUnitScales[] = {
    {"kv", 1e9}, {"v", 1e6}, {"mv", 1e3}, {"uv", 1},          //
    {"s", 1e9},  {"ms", 1e6}, {"us", 1e3}, {"ns", 1}, {"ps", 1e-3},  //
    {"GHz", 1e9}, {"MHz", 1e6}, {"kHz", 1e3}, {"Hz", 1}, {"mHz", 1e-3},
};

double UnitFactor(std::string_view unit, bool& known) {
    known = true;
    if (unit == "%") return 0.01;
    for (const UnitScale& u : kUnitScales)
        if (u.unit == unit) return u.factor;
    known = false;
    return 0;
}

}  // namespace

float MeasureValueOfText(const MeasureItem& item, const std::string& text) {
    std::string_view t = text;
    if (item.slot == MES_SLEW_RATE && t.ends_with("/us")) t.remove_suffix(3);
    const size_t blank = t.rfind(' ');
    if (blank == std::string_view::npos) return 0;
    const std::string number = RemoveSpaces(t.substr(0, blank));
    double value = 0;
    bool known = false;
    const double factor = UnitFactor(t.substr(blank + 1), known);
    if (!known || !ParseTypedNumber(number, value)) return 0;
    return static_cast<float>(value * factor);
}

void CMeasureData::Apply(const MeasureResult& result) {
    text = result.text;
    value = result.value;
}

void CMeasureData::Clear() {
    text.fill("?");
    value = tagMeasureValue{};
}

void CMeasureData::ValuesFromTexts() {
    value = tagMeasureValue{};
    for (int k = 0; k < kMeasureItemCount; ++k) {
        const MeasureItem& item = kMeasureItems[static_cast<size_t>(k)];
        value.value[item.slot] = MeasureValueOfText(item, text[static_cast<size_t>(k)]);
    }
}
