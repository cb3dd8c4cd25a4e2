#include "settings/SettingsListing.h"

#include <utility>

#include "corvane/ValueTables.h"
#include "settings/SettingKinds.h"

namespace {

// A setting item of the tree: the item numbers of its parents below "Setup"
// and its own, with its kind and target.
struct Leaf {
    std::vector<int> items;
    int kind;
    int target;
};

using ItemKind = std::pair<int, int>;  // tree item number, setting kind

void AddGroup(std::vector<Leaf>& out, const std::vector<int>& parents, std::initializer_list<ItemKind> items,
              int target)
{
    for (const ItemKind& ik : items) {
        std::vector<int> path = parents;
        path.push_back(ik.first);
        out.push_back({path, ik.second, target});
    }
}

// The trigger settings that each swap channel has again.
const std::initializer_list<ItemKind> kSwapItems = {
    {56, 31}, {57, 32}, {59, 33}, {60, 34}, {63, 36}, {64, 37}, {66, 39}, {67, 40}, {71, 42},
    {72, 43}, {73, 44}, {76, 46}, {77, 47}, {78, 48}, {79, 49}, {80, 50}, {81, 51},
};

std::vector<Leaf> BuildLeaves()
{
    std::vector<Leaf> l;
    AddGroup(l, {14}, {{15, 0}, {16, 1}, {17, 2}, {18, 3}, {19, 4}, {20, 5}}, 0);
    AddGroup(l, {21}, {{22, 6}, {23, 7}, {24, 8}, {27, 11}}, 0);
    for (int ch = 1; ch <= 2; ++ch)
        AddGroup(l, {28, 28 + ch}, {{31, 12}, {32, 13}, {33, 14}, {34, 15}, {35, 16}, {36, 17}, {37, 18}}, ch);
    AddGroup(l, {38}, {{39, 19}, {40, 20}}, 0);
    AddGroup(l, {38, 41}, {{42, 21}, {43, 22}, {44, 23}}, 0);
    AddGroup(l, {45}, {{46, 24}}, 0);
    AddGroup(l, {45, 47}, {{48, 26}}, 0);
    AddGroup(l, {45, 49}, {{50, 27}, {51, 28}}, 0);
    AddGroup(l, {52, 53}, {{54, 29}, {55, 30}, {56, 31}, {57, 32}, {59, 33}}, kTargetNormal);
    AddGroup(l, {52, 53, 58}, {{60, 34}, {61, 35}}, kTargetNormal);
    AddGroup(l, {52, 53, 62}, {{63, 36}, {64, 37}, {65, 38}, {66, 39}, {67, 40}}, kTargetNormal);
    AddGroup(l, {52, 53, 68}, {{69, 41}}, kTargetNormal);
    AddGroup(l, {52, 53, 68, 70}, {{71, 42}, {72, 43}, {73, 44}}, kTargetNormal);
    AddGroup(l, {52, 53, 74}, {{75, 45}, {76, 46}, {77, 47}, {78, 48}, {79, 49}, {80, 50}, {81, 51}}, kTargetNormal);
    AddGroup(l, {52, 53, 84}, {{85, 52}, {86, 53}, {87, 54}}, kTargetNormal);
    AddGroup(l, {52}, {{88, 55}, {89, 56}}, kTargetNormal);
    for (int t = kTargetSwapCH1; t <= kTargetSwapCH2; ++t)
        AddGroup(l, {52, 81 + t}, kSwapItems, t);
    for (int m = 1; m <= 8; ++m)
        AddGroup(l, {90, 90 + m}, {{99, 57}, {100, 58}}, m);
    return l;
}

const std::vector<Leaf>& Leaves()
{
    static const std::vector<Leaf> leaves = BuildLeaves();
    return leaves;
}

std::string PathText(const Leaf& leaf)
{
    std::string path;
    for (int item : leaf.items) {
        if (!path.empty())
            path += "/";
        path += TreeItemName(item);
    }
    return path;
}

}  // namespace

std::vector<SettingLine> ListSettings(const CSettingsRecords& records)
{
    std::vector<SettingLine> lines;
    for (const Leaf& leaf : Leaves()) {
        const SettingValue* v = records.Find(leaf.kind, leaf.target);
        lines.push_back({PathText(leaf), leaf.items, leaf.kind, leaf.target, v && v->known ? v->text : std::string()});
    }
    return lines;
}

std::string SettingPath(int kind, int target)
{
    for (const Leaf& leaf : Leaves())
        if (leaf.kind == kind && (leaf.target == target || leaf.target == 0))
            return PathText(leaf);
    return {};
}
