#pragma once
// CAtomicFile: the one way the program writes a file. The bytes go to a new
// temporary file in the target's folder ("<name>.XXXXXX"), which is flushed
// to disk and then renamed over the target, and the folder is synced so the
// rename itself survives a power cut. Whoever reads the target, at any moment
// and after any crash, sees the old file whole or the new file whole.
//
// On any failure, and when the object goes away without Commit, the temporary
// file is removed and the old file is untouched. A process killed while
// writing leaves at most its temporary file, never a damaged target.
//
// The new file keeps the mode of the file it replaces (a new one gets
// 0666 less the umask); a symbolic link is followed, so the file it points to
// is replaced and the link stays.
#include <cstddef>
#include <string>
#include <string_view>

class CAtomicFile {
public:
    explicit CAtomicFile(std::string path);
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file. Non-zero on success.
    int Open();
    // Appends bytes. Non-zero on success; after a failure every later call
    // fails and Commit does nothing.
    int Write(const void* data, std::size_t size);
    int Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Syncs the temporary file and renames it over the target. Non-zero on
    // success; on failure the temporary file is gone and the target untouched.
    int Commit();
    // Drops the temporary file (also done by the destructor).
    void Discard();

    // Why the last call failed: the system's reason ("No space left on device").
    const std::string& Error() const { return m_error; }
    // The temporary file's path while one is open (tests).
    const std::string& TemporaryPath() const { return m_temporary; }

private:
    int Fail();

    std::string m_path;
    std::string m_temporary;
    std::string m_error;
    int m_fd = -1;
};

// Writes bytes to path through CAtomicFile. Non-zero on success; otherwise
// *error (when given) says why and the old file is untouched.
int SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);
