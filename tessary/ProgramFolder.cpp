#include "tessary/ProgramFolder.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <system_error>

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
