// Atomic saves: a writer killed at any moment leaves the old file or the new
// one, whole; a normal save leaves nothing beside the file; a failed save
// leaves the old file and no temporary.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "corvane/AtomicFile.h"

namespace fs = std::filesystem;

namespace {
class TempFolder {
public:
    explicit TempFolder(const fs::path& parent = fs::temp_directory_path())
    {
        std::string pattern = (parent / "qv-atomic-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// Contents that differ at every byte and in length, so that any mixture of
// the two is neither.
std::string Pattern(std::size_t size, unsigned char seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + (i % 251) * 2);
    return bytes;
}

// Saves in pieces, the way a long export does.
int SaveInPieces(const std::string& path, const std::string& bytes)
{
    constexpr std::size_t kPiece = 64 * 1024;
    CAtomicFile file(path);
    if (!file.Open())
        return 0;
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        if (!file.Write(bytes.data() + at, std::min(kPiece, bytes.size() - at)))
            return 0;
    }
    return file.Commit();
}
}  // namespace

TEST(AtomicFile, KilledWriterLeavesOldFileOrNewOneNeverAMixture)
{
    // In memory where there is such a folder: a kill is about the process, not
    // the disk, and syncing to a shared disk would make each run slow.
    TempFolder folder(fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path());
    ASSERT_FALSE(folder.Path().empty());
    const std::string target = (folder.Path() / "capture.csv").string();
    const std::string contents[2] = {Pattern(2 << 20, 1), Pattern((2 << 20) + 4097, 2)};

    // A normal save, timed: the kills below land before, inside and after it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_NE(SaveInPieces(target, contents[0]), 0);
    const auto saveTime = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"capture.csv"});
    ASSERT_EQ(ReadAll(target), contents[0]);

    std::mt19937 random(20);
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 3 / 2).count() + 200;
    std::uniform_int_distribution<long> delay(0, longest);
    int held = 0, killedOld = 0, completedNew = 0;
    for (int run = 0; run < 300; ++run) {
        const std::string& next = contents[1 - held];
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(SaveInPieces(target, next) ? 0 : 1);
        // Every tenth writer may finish: the new file then has to be there whole.
        if (run % 10 != 9) {
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (run % 10 == 9)
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << run;

        const std::string now = ReadAll(target);
        if (now == next) {
            held = 1 - held;
            ++completedNew;
        } else {
            ASSERT_EQ(now.size(), contents[held].size()) << "run " << run;
            ASSERT_TRUE(now == contents[held]) << "run " << run << ": a mixture of old and new";
            ++killedOld;
        }
        // What a killed writer may leave is its own temporary file, nothing else.
        for (const std::string& name : folder.Names()) {
            if (name == "capture.csv")
                continue;
            ASSERT_EQ(name.rfind("capture.csv.", 0), 0u) << name;
            fs::remove(folder.Path() / name);
        }
    }
    EXPECT_GT(killedOld, 0);
    EXPECT_GE(completedNew, 30);
}

TEST(AtomicFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporary)
{
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const fs::path folderTarget = folder.Path() / "Param.ini";
    fs::create_directory(folderTarget);   // rename over a folder fails
    std::string error;
    EXPECT_EQ(SaveFileAtomically(folderTarget.string(), "x", &error), 0);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(folderTarget));
    EXPECT_EQ(SaveFileAtomically((folder.Path() / "missing" / "a.set").string(), "x", &error), 0);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Param.ini"});

    // A save that is given up: the old file stays, the temporary goes.
    const fs::path kept = folder.Path() / "kept.wfm";
    ASSERT_NE(SaveFileAtomically(kept.string(), "old", &error), 0);
    {
        CAtomicFile file(kept.string());
        ASSERT_NE(file.Open(), 0);
        ASSERT_NE(file.Write("new, not committed"), 0);
    }
    EXPECT_EQ(ReadAll(kept), "old");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Param.ini", "kept.wfm"}));
}

TEST(AtomicFile, ReplacementKeepsTheModeAndTheSymbolicLink)
{
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const fs::path real = folder.Path() / "real.ini";
    const fs::path link = folder.Path() / "Param.ini";
    ASSERT_NE(SaveFileAtomically(real.string(), "a=1\n"), 0);
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink(real, link);

    ASSERT_NE(SaveFileAtomically(link.string(), "a=2\n"), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "a=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}
