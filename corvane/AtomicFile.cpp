#include "corvane/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>

namespace {
constexpr mode_t kDefaultMode = 0666;
constexpr mode_t kDefaultUmask = 022;

// The process's umask, read without changing it (umask() would, for every thread).
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    return kDefaultUmask;
}

// The file a save replaces: the target of a symbolic link, else path itself.
std::string ResolvedTarget(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a finished rename durable; a folder that cannot be synced is no failure
// of the save (the file's own data already is on disk).
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
}  // namespace

CAtomicFile::CAtomicFile(std::string path) : m_path(ResolvedTarget(path)) {}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

int CAtomicFile::Fail()
{
    m_error = std::strerror(errno);
    Discard();
    return 0;
}

int CAtomicFile::Open()
{
    Discard();
    m_error.clear();
    std::string pattern = m_path + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail();
    m_fd = fd;
    m_temporary = std::move(pattern);
    struct stat old {};
    const mode_t mode = ::stat(m_path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (kDefaultMode & ~CurrentUmask());
    if (::fchmod(m_fd, mode) != 0)
        return Fail();
    return 1;
}

int CAtomicFile::Write(const void* data, std::size_t size)
{
    if (m_fd < 0) {
        if (m_error.empty())
            m_error = std::strerror(EBADF);
        return 0;
    }
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(m_fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return Fail();
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return 1;
}

int CAtomicFile::Commit()
{
    if (m_fd < 0) {
        if (m_error.empty())
            m_error = std::strerror(EBADF);
        return 0;
    }
    if (::fsync(m_fd) != 0)
        return Fail();
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        return Fail();
    if (std::rename(m_temporary.c_str(), m_path.c_str()) != 0)
        return Fail();
    m_temporary.clear();
    SyncFolder(FolderOf(m_path));
    return 1;
}

void CAtomicFile::Discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temporary.empty()) {
        const int saved = errno;
        ::unlink(m_temporary.c_str());
        errno = saved;
        m_temporary.clear();
    }
}

int SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error)
{
    CAtomicFile file(path);
    const int ok = file.Open() && file.Write(bytes) && file.Commit();
    if (!ok && error)
        *error = file.Error();
    return ok;
}
