// The UI system table: for the attached instrument model, each kind of
// choice (a segment such as "VBASE" or "TB") with the labels the user sees
// and, in the same order, the value the instrument uses for each. The
// settings code maps a list position to the instrument's value with
// GetGlobeIndex before writing a parameter, and a value read from the
// instrument back to a list position with GetUIIndex.
//
// The table is read from the model's settings file
//   <data folder>/config/<model>_eng.ini   (English)
//   <data folder>/config/<model>.ini       (Chinese)
// a profile file with section "SEGNUM" (key "Key": how many of the 26
// segment names below to read) and one section per segment ("TotalItems",
// "Item1".."ItemN" labels, "Oppo1".."OppoN" instrument values).
// The data folder is beside the program, or share/quorvex of an installed copy
// (tessary/ProgramFolder.h). Used on the user-interface
// thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One kind of choice.
struct SegmentData {
    std::string name;                  // segment name, as "VBASE"
    std::vector<std::string> items;    // labels in list order
    std::unique_ptr<int32_t[]> values; // instrument value per list position; null without entries
    int32_t count = 0;                 // number of entries
};

class CUI_Sys_table {
public:
    static constexpr int kMaxSegments = 100;
    static constexpr int kSegmentNameCount = 26;
    static constexpr int kMaxEntries = 1000;    // entries read per segment at most
    static constexpr int kMaxLabelBytes = 99;   // label length at most
    static const char* const kSegmentNames[kSegmentNameCount];

    // The folder is the program's folder.
    CUI_Sys_table();
    explicit CUI_Sys_table(std::string folder);
    virtual ~CUI_Sys_table();
    CUI_Sys_table(const CUI_Sys_table&) = delete;
    CUI_Sys_table& operator=(const CUI_Sys_table&) = delete;

    // Reads the settings file of model in language (0 English, else Chinese),
    // releasing what an earlier call loaded. 1 when the file named a segment
    // count above 0, else 0 (table empty). A model name that is empty or holds
    // a path separator is refused with 0.
    int ConfigueParam(const char* model, unsigned int language);

    // The segment of that name among those in use (exact match), or null.
    SegmentData* GetUISysData(const std::string& name);
    const SegmentData* GetUISysData(const std::string& name) const;

    // List position of the first entry whose value equals value; 0 when there
    // is none or the segment is empty or null.
    int GetUIIndex(const int& value, const SegmentData& segment) const;
    int GetUIIndex(const int& value, const SegmentData* segment) const;

    // Instrument value at list position. A position outside 0 .. count - 1
    // gives the first entry's value; an empty or null segment gives 0.
    int GetGlobeIndex(const int& position, const SegmentData& segment) const;
    int GetGlobeIndex(const int& position, const SegmentData* segment) const;

    // Empties every segment in use and sets the number in use to 0.
    void ReleaseFile();

    int SegmentCount() const { return m_nSegments; }
    const std::string& Folder() const { return m_strFolder; }
    void SetFolder(std::string folder) { m_strFolder = std::move(folder); }

    // The settings file ConfigueParam reads for model and language.
    std::string SettingsFilePath(const std::string& model, unsigned int language) const;

private:
    SegmentData m_segments[kMaxSegments];
    int m_nSegments = 0;
    std::string m_strFolder;
};

// The one table of the program.
extern CUI_Sys_table g_UISysTable;
