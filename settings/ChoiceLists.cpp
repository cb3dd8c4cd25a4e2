#include "settings/ChoiceLists.h"

#include <cstdint>

#include "corvane/ValueTables.h"
#include "tessary/UI_Sys_table.h"

namespace {

template <std::size_t Rows2, std::size_t Cols>
std::vector<std::string> Row(const std::string (&table)[Rows2][Cols], const int (&counts)[Rows2 / 2], int row)
{
    std::vector<std::string> labels;
    const int count = ChoiceCount(counts, row);
    for (int i = 0; i < count; ++i)
        labels.push_back(ChoiceLabel(table, counts, row, i));
    return labels;
}

std::vector<std::string> TableRow(ChoiceTable table, int row)
{
    switch (table) {
    case ChoiceTable::Vt: return Row(strVtParam, nVtParam, row);
    case ChoiceTable::Tg: return Row(strTgParam, nTgParam, row);
    case ChoiceTable::Mt: return Row(strMtParam, nMtParam, row);
    case ChoiceTable::Ac: return Row(strAcParam, nAcParam, row);
    case ChoiceTable::Ds: return Row(strDsParam, nDsParam, row);
    case ChoiceTable::Hz: return Row(strHzParam, nHzParam, row);
    default: return {};
    }
}

}  // namespace

std::vector<std::string> ChoiceList(const KindInfo& info, int target, const CUI_Sys_table& table)
{
    if (info.table != ChoiceTable::Segment)
        return TableRow(info.table, info.row);
    const SegmentData* segment = table.GetUISysData(KindSegment(info, target));
    if (!segment)
        return {};
    return std::vector<std::string>(segment->items.begin(), segment->items.end());
}

std::string ChoiceText(const KindInfo& info, int target, const CUI_Sys_table& table, int64_t position)
{
    const std::vector<std::string> labels = ChoiceList(info, target, table);
    if (position < 0 || position >= static_cast<int64_t>(labels.size()))
        return {};
    return labels[static_cast<size_t>(position)];
}
