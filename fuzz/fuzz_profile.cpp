// libFuzzer driver: arbitrary bytes as "Param.ini" and as a model's table file
// (config/<model>_eng.ini). A key the program sets must read back as set
// from the text it stores, whatever else the file holds. The model table must
// hold every segment within its limits and map list positions and instrument
// values consistently.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzScratch.h"
#include "tessary/ProfileFile.h"
#include "tessary/UI_Sys_table.h"

namespace {
std::string s_folder;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// What the program writes into "Param.ini" reads back from the stored text.
void CheckProfile(const std::string& text)
{
    CProfileFile profile;
    profile.Parse(text);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } kWrites[] = {{"Language", "Language", "1"}, {"USB", "Backend", "auto"}, {"USB", "VID", "0x04b4"}};
    for (const auto& w : kWrites) {
        if (!profile.SetString(w.section, w.key, w.value))
            continue;
        CProfileFile stored;
        stored.Parse(profile.Text());
        Check(stored.GetString(w.section, w.key, "?") == w.value);
        Check(stored.GetString(w.section, w.key, "?") == profile.GetString(w.section, w.key, "?"));
    }
}

void CheckModelTable(const std::string& text)
{
    {
        std::ofstream out(s_folder + "/config/QXFUZZ_eng.ini", std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    CUI_Sys_table table(s_folder);
    table.ConfigueParam("QXFUZZ", 0);
    Check(table.SegmentCount() >= 0 && table.SegmentCount() <= CUI_Sys_table::kSegmentNameCount);
    for (int i = 0; i < table.SegmentCount(); ++i) {
        const SegmentData* segment = table.GetUISysData(CUI_Sys_table::kSegmentNames[i]);
        if (!segment)
            continue;
        Check(segment->count >= 0 && segment->count <= CUI_Sys_table::kMaxEntries);
        Check(segment->items.size() == static_cast<std::size_t>(segment->count));
        for (int position = 0; position < std::min(segment->count, 64); ++position) {
            Check(segment->items[position].size() <= CUI_Sys_table::kMaxLabelBytes);
            const int value = table.GetGlobeIndex(position, *segment);
            const int found = table.GetUIIndex(value, *segment);
            Check(found >= 0 && found <= position && table.GetGlobeIndex(found, *segment) == value);
        }
    }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    s_folder = FuzzScratchFolder().string();
    std::filesystem::create_directories(s_folder + "/config");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckProfile(text);
    CheckModelTable(text);
    return 0;
}
