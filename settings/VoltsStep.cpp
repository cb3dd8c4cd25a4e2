#include "settings/VoltsStep.h"

#include <vector>

#include "corvane/InputProcessors.h"
#include "corvane/ScaleConversion.h"
#include "settings/ValueTexts.h"
#include "tessary/UI_Sys_table.h"

namespace {
std::vector<int64_t> Sequence(const SegmentData& bases, int64_t probe)
{
    std::vector<int64_t> values;
    for (const std::string& label : bases.items)
        values.push_back(Assstring(label, 0, probe));
    return values;
}
}  // namespace

bool VoltsLimits(const CUI_Sys_table& table, int64_t probe, int64_t& lowest, int64_t& highest)
{
    const SegmentData* bases = table.GetUISysData("VBASE");
    if (!bases || bases->items.empty())
        return false;
    lowest = Assstring(bases->items.front(), 0, probe);
    highest = Assstring(bases->items.back(), 0, probe);
    return true;
}

std::string StepVoltsText(const CUI_Sys_table& table, int64_t probe, const std::string& typed, int step)
{
    const SegmentData* bases = table.GetUISysData("VBASE");
    if (!bases || bases->items.empty() || probe <= 0)
        return {};
    std::string shown;
    int64_t v = 0;
    const int64_t minimum = Assstring(bases->items.front(), 0, 1);
    const int64_t maximum = Assstring(bases->items.back(), 0, 1);
    if (!VtScaleProcess(typed, static_cast<uint32_t>(probe), shown, v, minimum, maximum))
        return {};
    const std::vector<int64_t> values = Sequence(*bases, probe);
    int64_t next = step > 0 ? values.back() : values.front();
    if (step > 0) {
        for (int64_t value : values)
            if (value > v) {
                next = value;
                break;
            }
    } else {
        for (int64_t value : values)
            if (value < v)
                next = value;
    }
    return VoltText(next);
}
