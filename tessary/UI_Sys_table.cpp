#include "tessary/UI_Sys_table.h"

#include <algorithm>

#include "tessary/ProfileFile.h"
#include "tessary/ProgramFolder.h"

const char* const CUI_Sys_table::kSegmentNames[kSegmentNameCount] = {
    "VBASE",     "VCOUP",      "PROBE",      "TGSTATE",    "TGTYPE", "TGSRC",  "TGVIDEOSRC",
    "TGPLUESRC", "TGSLOPESRC", "TGOVERTSRC", "TGCOUP",     "TGSYN",  "TGWHEN", "SWAPTGTYPE",
    "TB",        "WINTB",      "MTMODE",     "FFTWIN",     "FFTFACTOR", "FFTDB", "PERSIST",
    "ACAVG",     "ACTYPE",     "ACDEPTH",    "MSSRC",      "MSITEM",
};

CUI_Sys_table g_UISysTable;

namespace {

bool ValidModelName(const char* model)
{
    if (!model || !*model)
        return false;
    const std::string name(model);
    return name.find_first_of("/\\") == std::string::npos && name != "." && name != "..";
}

void ReadSegment(const CProfileFile& profile, const char* name, SegmentData& segment)
{
    segment.name = name;
    const int32_t total = std::clamp(profile.GetInt(name, "TotalItems", 0), 0, CUI_Sys_table::kMaxEntries);
    if (total == 0)
        return;
    segment.values = std::make_unique<int32_t[]>(static_cast<std::size_t>(total));
    segment.items.reserve(static_cast<std::size_t>(total));
    for (int32_t j = 1; j <= total; ++j) {
        const std::string number = std::to_string(j);
        segment.values[j - 1] = profile.GetInt(name, "Oppo" + number, 0);
        segment.items.push_back(profile.GetString(name, "Item" + number, "", CUI_Sys_table::kMaxLabelBytes + 1));
    }
    segment.count = total;
}

}  // namespace

CUI_Sys_table::CUI_Sys_table() : m_strFolder(ProgramDataFolder()) {}

CUI_Sys_table::CUI_Sys_table(std::string folder) : m_strFolder(std::move(folder)) {}

CUI_Sys_table::~CUI_Sys_table()
{
    ReleaseFile();
}

std::string CUI_Sys_table::SettingsFilePath(const std::string& model, unsigned int language) const
{
    return m_strFolder + "/config/" + model + (language != 0 ? ".ini" : "_eng.ini");
}

int CUI_Sys_table::ConfigueParam(const char* model, unsigned int language)
{
    ReleaseFile();
    if (!ValidModelName(model))
        return 0;
    CProfileFile profile;
    if (!profile.Load(SettingsFilePath(model, language)))
        return 0;
    const int32_t wanted = profile.GetInt("SEGNUM", "Key", 0);
    if (wanted <= 0)
        return 0;
    m_nSegments = std::min(wanted, kSegmentNameCount);
    for (int i = 0; i < m_nSegments; ++i)
        ReadSegment(profile, kSegmentNames[i], m_segments[i]);
    return 1;
}

SegmentData* CUI_Sys_table::GetUISysData(const std::string& name)
{
    for (int i = 0; i < m_nSegments; ++i) {
        if (m_segments[i].name == name)
            return &m_segments[i];
    }
    return nullptr;
}

const SegmentData* CUI_Sys_table::GetUISysData(const std::string& name) const
{
    return const_cast<CUI_Sys_table*>(this)->GetUISysData(name);
}

int CUI_Sys_table::GetUIIndex(const int& value, const SegmentData& segment) const
{
    if (!segment.values)
        return 0;
    for (int32_t i = 0; i < segment.count; ++i) {
        if (segment.values[i] == value)
            return i;
    }
    return 0;
}

int CUI_Sys_table::GetUIIndex(const int& value, const SegmentData* segment) const
{
    return segment ? GetUIIndex(value, *segment) : 0;
}

int CUI_Sys_table::GetGlobeIndex(const int& position, const SegmentData& segment) const
{
    if (!segment.values || segment.count <= 0)
        return 0;
    if (position < 0 || position >= segment.count)
        return segment.values[0];
    return segment.values[position];
}

int CUI_Sys_table::GetGlobeIndex(const int& position, const SegmentData* segment) const
{
    return segment ? GetGlobeIndex(position, *segment) : 0;
}

void CUI_Sys_table::ReleaseFile()
{
    for (int i = 0; i < m_nSegments; ++i) {
        SegmentData& segment = m_segments[i];
        segment.name.clear();
        segment.items.clear();
        segment.values.reset();
        segment.count = 0;
    }
    m_nSegments = 0;
}
