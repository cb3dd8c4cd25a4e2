// UI system table: reading a settings file, lookups both ways, reloads, the
// program folder, and files or calls that must not cause harm.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "tessary/ProgramFolder.h"
#include "tessary/UI_Sys_table.h"

namespace {

std::string Segment(const std::string& name, const std::string& body)
{
    return "[" + name + "]\n" + body + "\n";
}

}  // namespace

TEST(UISysTable, ReadsTheFirstSegmentsTheFileCountsInFixedOrder)
{
    TempFolder folder;
    const std::string sections = Segment("VBASE", "TotalItems=2\nItem1=2.0mV\nOppo1=0\nItem2=5.0mV\nOppo2=1") +
                                 Segment("VCOUP", "TotalItems=1\nItem1=DC\nOppo1=0") +
                                 Segment("PROBE", "TotalItems=1\nItem1=1×\nOppo1=0") +
                                 Segment("TGTYPE", "TotalItems=1\nItem1=EDGE\nOppo1=0");
    folder.Write("config/M3_eng.ini", "[SEGNUM]\nKey=3\n" + sections);
    folder.Write("config/M40_eng.ini", "[SEGNUM]\nKey=40\n" + sections);

    CUI_Sys_table table(folder.Path());
    ASSERT_EQ(table.ConfigueParam("M3", 0), 1);
    EXPECT_EQ(table.SegmentCount(), 3);
    ASSERT_NE(table.GetUISysData("VBASE"), nullptr);
    EXPECT_EQ(table.GetUISysData("VBASE")->items, (std::vector<std::string>{"2.0mV", "5.0mV"}));
    EXPECT_EQ(table.GetUISysData("PROBE")->items[0], "1×");
    EXPECT_EQ(table.GetUISysData("TGTYPE"), nullptr);  // in the file, but past the count
    EXPECT_EQ(table.GetUISysData("vbase"), nullptr);   // names are exact

    ASSERT_EQ(table.ConfigueParam("M40", 0), 1);
    EXPECT_EQ(table.SegmentCount(), 26);
    ASSERT_NE(table.GetUISysData("MSITEM"), nullptr);  // named, but its section is missing
    EXPECT_EQ(table.GetUISysData("MSITEM")->count, 0);
    EXPECT_EQ(table.GetUISysData("MSITEM")->values, nullptr);
    EXPECT_EQ(table.GetUISysData("TGTYPE")->items[0], "EDGE");
    for (int i = 0; i < CUI_Sys_table::kSegmentNameCount; ++i)
        EXPECT_NE(table.GetUISysData(CUI_Sys_table::kSegmentNames[i]), nullptr) << i;
}

TEST(UISysTable, MapsValuesAndPositionsBothWays)
{
    TempFolder folder;
    folder.Write("config/M.ini", "[SEGNUM]\nKey=1\n" +
                                     Segment("VBASE", "TotalItems=4\nItem1=a\nOppo1=7\nItem2=b\nOppo2=9\n"
                                                      "Item3=c\nOppo3=7\nOppo4=-3"));
    CUI_Sys_table table(folder.Path());
    ASSERT_EQ(table.ConfigueParam("M", 1), 1);
    const SegmentData& segment = *table.GetUISysData("VBASE");
    ASSERT_EQ(segment.count, 4);
    EXPECT_EQ(segment.items[3], "");  // missing label
    EXPECT_EQ(table.GetUIIndex(7, segment), 0);
    EXPECT_EQ(table.GetUIIndex(9, segment), 1);
    EXPECT_EQ(table.GetUIIndex(-3, segment), 3);
    EXPECT_EQ(table.GetUIIndex(8, segment), 0);  // no entry: position 0
    EXPECT_EQ(table.GetGlobeIndex(1, segment), 9);
    EXPECT_EQ(table.GetGlobeIndex(2, segment), 7);
    EXPECT_EQ(table.GetGlobeIndex(3, segment), -3);

    // Outside the entries: the first entry's value, never a read past the array.
    EXPECT_EQ(table.GetGlobeIndex(4, segment), 7);
    EXPECT_EQ(table.GetGlobeIndex(-1, segment), 7);
    EXPECT_EQ(table.GetGlobeIndex(1 << 30, segment), 7);
    // A missing or empty segment gives 0 both ways.
    const SegmentData* missing = table.GetUISysData("TB");
    ASSERT_EQ(missing, nullptr);
    EXPECT_EQ(table.GetUIIndex(7, missing), 0);
    EXPECT_EQ(table.GetGlobeIndex(0, missing), 0);
    const SegmentData empty;
    EXPECT_EQ(table.GetUIIndex(7, empty), 0);
    EXPECT_EQ(table.GetGlobeIndex(0, empty), 0);
    EXPECT_EQ(table.GetGlobeIndex(2, &segment), 7);
}

TEST(UISysTable, LanguagePicksTheFileAndReloadsReplaceTheTable)
{
    TempFolder folder;
    folder.Write("config/QX_eng.ini", "[SEGNUM]\nKey=1\n" + Segment("VBASE", "TotalItems=2\nItem1=DC\nOppo1=0\nItem2=AC\nOppo2=1"));
    folder.Write("config/QX.ini", "[SEGNUM]\nKey=1\n" + Segment("VBASE", "TotalItems=2\nItem1=直流\nOppo1=0\nItem2=交流\nOppo2=1"));
    CUI_Sys_table table(folder.Path());
    EXPECT_EQ(table.SettingsFilePath("QX", 0), folder.Path() + "/config/QX_eng.ini");
    EXPECT_EQ(table.SettingsFilePath("QX", 1), folder.Path() + "/config/QX.ini");
    EXPECT_EQ(table.SettingsFilePath("QX", 7), folder.Path() + "/config/QX.ini");

    ASSERT_EQ(table.ConfigueParam("QX", 0), 1);
    EXPECT_EQ(table.GetUISysData("VBASE")->items[1], "AC");
    ASSERT_EQ(table.ConfigueParam("QX", 0), 1);
    EXPECT_EQ(table.GetUISysData("VBASE")->count, 2);
    EXPECT_EQ(table.GetUISysData("VBASE")->items.size(), 2u);  // not twice as many
    ASSERT_EQ(table.ConfigueParam("QX", 1), 1);
    EXPECT_EQ(table.GetUISysData("VBASE")->items[1], "交流");

    // A failed load leaves an empty table, not the previous one.
    EXPECT_EQ(table.ConfigueParam("Absent", 0), 0);
    EXPECT_EQ(table.SegmentCount(), 0);
    EXPECT_EQ(table.GetUISysData("VBASE"), nullptr);

    table.ConfigueParam("QX", 0);
    table.ReleaseFile();
    EXPECT_EQ(table.SegmentCount(), 0);
    EXPECT_EQ(table.GetUISysData("VBASE"), nullptr);
}

TEST(UISysTable, AbsurdFilesAndNamesAreRefusedOrBounded)
{
    TempFolder folder;
    folder.Write("config/Huge_eng.ini", "[SEGNUM]\nKey=2\n" + Segment("VBASE", "TotalItems=100000000\nOppo5=4") +
                                            Segment("VCOUP", "TotalItems=-5\nItem1=x\nOppo1=1"));
    folder.Write("config/Negative_eng.ini", "[SEGNUM]\nKey=-3\n" + Segment("VBASE", "TotalItems=1\nOppo1=1"));
    folder.Write("config/Zero_eng.ini", "[SEGNUM]\nKey=0\n" + Segment("VBASE", "TotalItems=1\nOppo1=1"));
    folder.Write("config/NoCount_eng.ini", Segment("VBASE", "TotalItems=1\nOppo1=1"));
    folder.Write("config/Long_eng.ini", "[SEGNUM]\nKey=1\n" + Segment("VBASE", "TotalItems=1\nItem1=" + std::string(150, 'L')));
    folder.Write("outside_eng.ini", "[SEGNUM]\nKey=1\n");

    CUI_Sys_table table(folder.Path());
    ASSERT_EQ(table.ConfigueParam("Huge", 0), 1);
    const SegmentData* vbase = table.GetUISysData("VBASE");
    EXPECT_EQ(vbase->count, CUI_Sys_table::kMaxEntries);
    EXPECT_EQ(table.GetGlobeIndex(4, *vbase), 4);
    EXPECT_EQ(table.GetUISysData("VCOUP")->count, 0);

    EXPECT_EQ(table.ConfigueParam("Negative", 0), 0);
    EXPECT_EQ(table.ConfigueParam("Zero", 0), 0);
    EXPECT_EQ(table.ConfigueParam("NoCount", 0), 0);
    EXPECT_EQ(table.SegmentCount(), 0);

    ASSERT_EQ(table.ConfigueParam("Long", 0), 1);
    EXPECT_EQ(table.GetUISysData("VBASE")->items[0], std::string(99, 'L'));

    EXPECT_EQ(table.ConfigueParam("../outside", 0), 0);
    EXPECT_EQ(table.ConfigueParam("", 0), 0);
    EXPECT_EQ(table.ConfigueParam(nullptr, 0), 0);
}

TEST(UISysTable, TheProgramTableFindsItsFilesBesideTheExecutableFromAnyDirectory)
{
    const std::filesystem::path binaries = std::filesystem::canonical(QV_BIN_DIR);
    EXPECT_EQ(std::filesystem::path(ProgramFolder()), binaries);
    EXPECT_EQ(std::filesystem::path(g_UISysTable.Folder()), binaries);

    const std::filesystem::path previous = std::filesystem::current_path();
    TempFolder elsewhere;
    std::filesystem::current_path(elsewhere.Path());
    const int loaded = g_UISysTable.ConfigueParam("QX1022", 0);
    std::filesystem::current_path(previous);
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(g_UISysTable.SegmentCount(), 26);
    g_UISysTable.ReleaseFile();
}
