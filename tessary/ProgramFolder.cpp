#include "tessary/ProgramFolder.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {
const char kInstalledData[] = "/../share/quorvex";

bool HasConfigFolder(const std::string& folder)
{
    std::error_code error;
    return std::filesystem::is_directory(folder + "/config", error);
}

bool IsInstalledCopy(const std::string& programFolder)
{
    return !HasConfigFolder(programFolder) && HasConfigFolder(programFolder + kInstalledData);
}

std::string UserConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return std::string(xdg) + "/quorvex";
    const char* home = std::getenv("HOME");
    if (home && *home == '/')
        return std::string(home) + "/.config/quorvex";
    return std::string();
}
}  // namespace

std::string ProgramFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length > 0) {
        const std::string executable(path, static_cast<std::size_t>(length));
        const std::size_t slash = executable.rfind('/');
        if (slash != std::string::npos)
            return slash == 0 ? std::string("/") : executable.substr(0, slash);
    }
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

std::string ProgramDataFolder(const std::string& programFolder)
{
    if (!IsInstalledCopy(programFolder))
        return programFolder;
    std::error_code error;
    const std::filesystem::path data =
        std::filesystem::weakly_canonical(std::filesystem::path(programFolder + kInstalledData), error);
    return error ? programFolder + kInstalledData : data.string();
}

std::string ProgramDataFolder()
{
    return ProgramDataFolder(ProgramFolder());
}

std::string ProgramSettingsFolder(const std::string& programFolder)
{
    if (!IsInstalledCopy(programFolder))
        return programFolder;
    const std::string user = UserConfigFolder();
    return user.empty() ? programFolder : user;
}

std::string ProgramSettingsFolder()
{
    return ProgramSettingsFolder(ProgramFolder());
}

std::string ProgramSettingsFile()
{
    return ProgramSettingsFolder() + "/Param.ini";
}
