// The shipped per-model settings files: both languages complete and aligned,
// and the entries the settings code relies on (scales that parse back to
// their codes, the fast and scan time bases, the deep store depth).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "corvane/ScaleConversion.h"
#include "corvane/SharedState.h"
#include "tessary/UI_Sys_table.h"

namespace {

struct Loaded {
    std::vector<std::string> labels;
    std::vector<int32_t> values;
};

std::string ProgramConfigFolder()
{
    return CUI_Sys_table().Folder() + "/config";
}

// Every model that has an English file under the program's config folder.
std::vector<std::string> ShippedModels()
{
    std::vector<std::string> models;
    const std::string suffix = "_eng.ini";
    for (const auto& entry : std::filesystem::directory_iterator(ProgramConfigFolder())) {
        const std::string name = entry.path().filename().string();
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            models.push_back(name.substr(0, name.size() - suffix.size()));
    }
    return models;
}

Loaded Segment(const CUI_Sys_table& table, const std::string& name)
{
    Loaded loaded;
    const SegmentData* segment = table.GetUISysData(name);
    if (!segment)
        return loaded;
    loaded.labels = segment->items;
    for (int32_t i = 0; i < segment->count; ++i)
        loaded.values.push_back(segment->values[i]);
    return loaded;
}

}  // namespace

TEST(SettingsFiles, EveryShippedModelIsKnownAndBothLanguagesAreCompleteAndAligned)
{
    const std::vector<std::string> models = ShippedModels();
    ASSERT_GE(models.size(), 2u);
    std::set<std::string> known(std::begin(g_Machinetype), std::end(g_Machinetype));
    EXPECT_TRUE(std::find(models.begin(), models.end(), g_Machinetype[0]) != models.end());

    for (const std::string& model : models) {
        SCOPED_TRACE(model);
        EXPECT_TRUE(known.count(model)) << "not a model name of g_Machinetype";
        CUI_Sys_table english;
        CUI_Sys_table chinese;
        ASSERT_EQ(english.ConfigueParam(model.c_str(), 0), 1);
        ASSERT_EQ(chinese.ConfigueParam(model.c_str(), 1), 1);
        ASSERT_EQ(english.SegmentCount(), 26);
        ASSERT_EQ(chinese.SegmentCount(), 26);
        for (const char* name : CUI_Sys_table::kSegmentNames) {
            SCOPED_TRACE(name);
            const Loaded en = Segment(english, name);
            const Loaded zh = Segment(chinese, name);
            EXPECT_FALSE(en.values.empty());
            EXPECT_EQ(en.values, zh.values);
            ASSERT_EQ(en.labels.size(), zh.labels.size());
            for (std::size_t i = 0; i < en.labels.size(); ++i) {
                EXPECT_FALSE(en.labels[i].empty()) << i;
                EXPECT_FALSE(zh.labels[i].empty()) << i;
            }
            EXPECT_EQ(std::set<int32_t>(en.values.begin(), en.values.end()).size(), en.values.size())
                << "duplicate instrument values";
        }
    }
}

TEST(SettingsFiles, ScaleEntriesParseToTheScaleTheirCodeNames)
{
    for (const std::string& model : ShippedModels()) {
        for (unsigned language = 0; language < 2; ++language) {
            SCOPED_TRACE(model + (language ? " Chinese" : " English"));
            CUI_Sys_table table;
            ASSERT_EQ(table.ConfigueParam(model.c_str(), language), 1);

            const Loaded vbase = Segment(table, "VBASE");
            for (std::size_t i = 0; i < vbase.values.size(); ++i) {
                EXPECT_EQ(vbase.values[i], static_cast<int32_t>(i)) << "codes are the list positions";
                EXPECT_EQ(Assstring(vbase.labels[i], 0, 1), CalcVoltBase(vbase.values[i] + 1, 1) * 1000)
                    << vbase.labels[i];
            }

            const Loaded wintb = Segment(table, "WINTB");
            for (std::size_t i = 0; i < wintb.values.size(); ++i)
                EXPECT_EQ(Assstring(wintb.labels[i], 1, 1), CalcTimeBase(wintb.values[i] + 1)) << wintb.labels[i];

            // TB: the two fast entries are window entries 6 and 7, every window
            // code from 6 up has a main entry, and the scan range says "Scan".
            const Loaded tb = Segment(table, "TB");
            ASSERT_GE(tb.values.size(), 2u);
            ASSERT_GE(wintb.values.size(), 8u);
            EXPECT_EQ(tb.values[0], wintb.values[6]);
            EXPECT_EQ(tb.values[1], wintb.values[7]);
            for (std::size_t w = 6; w < wintb.values.size(); ++w) {
                EXPECT_EQ(table.GetGlobeIndex(table.GetUIIndex(wintb.values[w], table.GetUISysData("TB")),
                                              table.GetUISysData("TB")),
                          wintb.values[w]);
            }
            bool scan = false;
            for (std::size_t i = 0; i < tb.labels.size(); ++i) {
                if (tb.labels[i] == "Scan")
                    scan = true;
                else
                    EXPECT_EQ(Assstring(tb.labels[i], 1, 1), CalcTimeBase(tb.values[i] + 1)) << tb.labels[i];
            }
            EXPECT_TRUE(scan);

            // Store depths: every label is a depth, position 0 the smallest,
            // and the deep-memory entry (value 7) is 1M.
            const Loaded depth = Segment(table, "ACDEPTH");
            int deep = 0;
            for (std::size_t i = 0; i < depth.labels.size(); ++i) {
                EXPECT_GT(Ass_Depthstring(depth.labels[i]), 0) << depth.labels[i];
                EXPECT_LE(Ass_Depthstring(depth.labels[0]), Ass_Depthstring(depth.labels[i]));
                if (depth.values[i] == 7) {
                    ++deep;
                    EXPECT_EQ(Ass_Depthstring(depth.labels[i]), 800000);
                }
            }
            EXPECT_EQ(deep, 1);

            // Run is allowed at trigger-state positions 0 and 5: the stopped states.
            const Loaded state = Segment(table, "TGSTATE");
            ASSERT_GE(state.labels.size(), 6u);
            EXPECT_EQ(state.labels[0], "STOP");
            EXPECT_EQ(state.labels[5], "Astop");
        }
    }
}
