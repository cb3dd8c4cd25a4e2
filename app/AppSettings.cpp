#include "app/AppSettings.h"

#include <filesystem>
#include <system_error>

#include "tessary/ProfileFile.h"
#include "tessary/ProgramFolder.h"

namespace {
constexpr std::size_t kValueBuffer = 256;  // 255 characters and the terminator

int ReadValue(const CProfileFile& file, const char* section, const char* key)
{
    return CProfileFile::ParseInt(file.GetString(section, key, "", kValueBuffer));
}
}  // namespace

CAppSettings CAppSettings::Read(const std::string& path)
{
    CProfileFile file;
    file.Load(path);
    CAppSettings s;
    s.interval = ReadValue(file, "Time", "Interval");
    s.hardwareCheck = ReadValue(file, "Startup", "hardwareCheck");
    s.language = ReadValue(file, "Language", "Language");
    return s;
}

bool CAppSettings::Write(const std::string& path) const
{
    std::error_code error;   // an installed copy's settings folder may not exist yet
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    CProfileFile file;
    file.Load(path);
    return file.SetInt("Time", "Interval", interval) && file.SetInt("Startup", "hardwareCheck", hardwareCheck) &&
           file.SetInt("Language", "Language", language) && file.Save(path);
}

std::string ParamIniPath()
{
    return ProgramSettingsFile();
}
