// Setup files: the whole parameter block saved and opened again, damaged
// files refused without touching the block, the block sent once when the
// link is up, and the panel's commands around the file dialogs.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "PanelTestSupport.h"
#include "ScopedPrompts.h"
#include "corvane/SharedState.h"
#include "settings/view/SettingsPanel.h"
#include "settings/view/SetupFile.h"

namespace {
constexpr int kBlockBytes = 120;

class SetupFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetBlock(Pattern(7));
        g_openFileFlag.store(0);
        g_openFileName.clear();
    }
    void TearDown() override
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        delete[] g_pSysParamBuffer;
        g_pSysParamBuffer = nullptr;
        g_SysParamLen = 0;
        g_openFileFlag.store(0);
        g_openFileName.clear();
        g_bRunThreadR.store(0);
    }
    static std::vector<unsigned char> Pattern(int seed)
    {
        std::vector<unsigned char> bytes(kBlockBytes);
        for (int i = 0; i < kBlockBytes; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<unsigned char>(i * seed + 3);
        return bytes;
    }
    static void SetBlock(const std::vector<unsigned char>& bytes)
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        delete[] g_pSysParamBuffer;
        g_pSysParamBuffer = new unsigned char[bytes.size()];
        std::memcpy(g_pSysParamBuffer, bytes.data(), bytes.size());
        g_SysParamLen = static_cast<int32_t>(bytes.size());
    }
    static std::vector<unsigned char> Block()
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        if (!g_pSysParamBuffer)
            return {};
        return {g_pSysParamBuffer, g_pSysParamBuffer + g_SysParamLen};
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray ReadAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void WriteAll(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
};
}  // namespace

TEST_F(SetupFileTest, NamesGetTheEndingUnlessTheyHaveItExactly)
{
    EXPECT_EQ(SetupFileName("test"), QString("test.set"));
    EXPECT_EQ(SetupFileName("test.set"), QString("test.set"));
    EXPECT_EQ(SetupFileName("test.SET"), QString("test.SET.set"));
    EXPECT_EQ(SetupFileName("/a.set/b"), QString("/a.set/b.set"));
}

TEST_F(SetupFileTest, SavedBlockComesBackAndIsSentOnceWhileConnected)
{
    const QString path = Path("a.set");
    ASSERT_EQ(SaveSetupFile(path), 1);
    const QByteArray file = ReadAll(path);
    ASSERT_EQ(file.size(), 143);
    EXPECT_EQ(file.left(6), QByteArray::fromHex("ffff03000d00"));
    EXPECT_EQ(file.mid(6, 13), QByteArray("CPartTreeView"));
    EXPECT_EQ(file.mid(19, 4), QByteArray::fromHex("78000000"));
    EXPECT_EQ(static_cast<unsigned char>(file[23 + 5]), Pattern(7)[5]);

    SetBlock(Pattern(3));
    CRecordingSender sender;
    ASSERT_EQ(OpenSetupFile(path, sender), 1);   // not connected: loaded, not sent
    EXPECT_EQ(Block(), Pattern(7));
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_EQ(g_openFileFlag.load(), 1);
    EXPECT_EQ(QString::fromStdString(g_openFileName), path);

    g_bRunThreadR.store(1);
    ASSERT_EQ(OpenSetupFile(path, sender), 1);
    ASSERT_EQ(sender.sent.size(), 1u);
    EXPECT_EQ(sender.sent[0].nCmd, kCmdSysParamBlock);
}

TEST_F(SetupFileTest, DamagedFilesLeaveTheBlockAsItWas)
{
    const QString good = Path("good.set");
    ASSERT_EQ(SaveSetupFile(good), 1);
    const QByteArray bytes = ReadAll(good);
    SetBlock(Pattern(5));
    CRecordingSender sender;
    g_bRunThreadR.store(1);

    const QString shortFile = Path("short.set");
    WriteAll(shortFile, bytes.left(bytes.size() - 1));
    EXPECT_EQ(OpenSetupFile(shortFile, sender), 0);
    QByteArray otherClass = bytes;
    otherClass[6] = 'X';
    const QString otherFile = Path("other.set");
    WriteAll(otherFile, otherClass);
    EXPECT_EQ(OpenSetupFile(otherFile, sender), 0);
    EXPECT_EQ(OpenSetupFile(Path("missing.set"), sender), 0);

    EXPECT_EQ(Block(), Pattern(5));
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_EQ(g_openFileFlag.load(), 0);
}

TEST_F(SetupFileTest, PanelCommandsAskOnlyWhenNoSetupFileIsOpen)
{
    ScopedPrompts prompts;
    CSettingsPanel panel(nullptr);
    EXPECT_EQ(panel.SaveSetupCommand(), 0);   // Cancel
    EXPECT_EQ(prompts.fileDialogs, 1);

    prompts.chosenFile = Path("typed");
    ASSERT_EQ(panel.SaveSetupCommand(), 1);
    EXPECT_TRUE(QFile::exists(Path("typed.set")));

    prompts.chosenFile = Path("typed.set");
    ASSERT_EQ(panel.OpenSetupCommand(), 1);
    SetBlock(Pattern(9));
    ASSERT_EQ(panel.SaveSetupCommand(), 1);   // to the open file, without asking
    EXPECT_EQ(prompts.fileDialogs, 3);
    EXPECT_EQ(ReadAll(Path("typed.set")).size(), 143);
    EXPECT_EQ(static_cast<unsigned char>(ReadAll(Path("typed.set"))[23 + 1]), Pattern(9)[1]);

    const QString junk = Path("junk.set");
    WriteAll(junk, QByteArray("not a setup file"));
    prompts.chosenFile = junk;
    EXPECT_EQ(panel.OpenSetupCommand(), 0);
    ASSERT_EQ(prompts.notices.size(), 1);
    EXPECT_TRUE(prompts.notices[0].contains("junk.set"));
    EXPECT_EQ(Block(), Pattern(9));
}
