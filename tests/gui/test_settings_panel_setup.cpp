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

#include "support/MessageRecorder.h"
#include "PanelTestSupport.h"
#include "ScopedPrompts.h"
#include "corvane/SharedState.h"
#include "settings/view/SettingsPanel.h"
#include "settings/view/SetupFile.h"
#include "docs/Archive.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsModel.h"

namespace {
constexpr int kBlockBytes = 120;
// A description of a 120-byte block with parameters beyond the first 40 bytes.
constexpr char kDescription[] =
    "[TOTAL] 120\n[START]\n[CONTROL-TYPE] 1\n[CONTROL-PAD] 99\n[DISPLAY-FORMAT] 1\n[VERT-CH1-VB] 2\n"
    "[TRIG-VPOS] 2\n[END]\n";


// A panel record written by hand from the setup file's field table.
QByteArray Record(uint16_t schema, uint32_t length, const std::vector<unsigned char>& block, const char* tail = "")
{
    QByteArray bytes = QByteArray::fromHex("ffff");
    bytes.append(char(schema & 0xff)).append(char(schema >> 8));
    bytes.append(QByteArray::fromHex("0d00")).append("CPartTreeView");
    for (int i = 0; i < 4; ++i)
        bytes.append(char((length >> (8 * i)) & 0xff));
    bytes.append(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
    return bytes.append(tail);
}

class SetupFileTest : public ::testing::Test {
protected:
    CMessageRecorder recorder;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ParlexParam.TableClear();
        ASSERT_EQ(ParlexParam.Trans_Init(kDescription), 1);
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
        g_bTransfering.store(0);
        ParlexParam.TableClear();
    }
    static std::vector<unsigned char> Pattern(int seed, int length = kBlockBytes)
    {
        std::vector<unsigned char> bytes(static_cast<size_t>(length));
        for (int i = 0; i < length; ++i)
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
    ASSERT_EQ(SaveSetupFile(path), SetupStatus::Ok);
    const QByteArray file = ReadAll(path);
    ASSERT_EQ(file.size(), 143);
    EXPECT_EQ(file.left(6), QByteArray::fromHex("ffff03000d00"));
    EXPECT_EQ(file.mid(6, 13), QByteArray("CPartTreeView"));
    EXPECT_EQ(file.mid(19, 4), QByteArray::fromHex("78000000"));
    EXPECT_EQ(static_cast<unsigned char>(file[23 + 5]), Pattern(7)[5]);

    SetBlock(Pattern(3));
    CRecordingSender sender;
    ASSERT_EQ(OpenSetupFile(path, sender), SetupStatus::Ok);   // not connected: loaded, not sent
    EXPECT_EQ(Block(), Pattern(7));
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_EQ(g_openFileFlag.load(), 1);
    EXPECT_EQ(QString::fromStdString(g_openFileName), path);

    g_bRunThreadR.store(1);
    ASSERT_EQ(OpenSetupFile(path, sender), SetupStatus::Ok);
    ASSERT_EQ(sender.sent.size(), 1u);
    EXPECT_EQ(sender.sent[0].nCmd, kCmdSysParamBlock);
}

TEST_F(SetupFileTest, DamagedFilesLeaveTheBlockAsItWas)
{
    const QString good = Path("good.set");
    ASSERT_EQ(SaveSetupFile(good), SetupStatus::Ok);
    const QByteArray bytes = ReadAll(good);
    SetBlock(Pattern(5));
    CRecordingSender sender;
    g_bRunThreadR.store(1);

    const QString shortFile = Path("short.set");
    WriteAll(shortFile, bytes.left(bytes.size() - 1));
    EXPECT_EQ(OpenSetupFile(shortFile, sender), SetupStatus::NotSetupFile);
    QByteArray otherClass = bytes;
    otherClass[6] = 'X';
    const QString otherFile = Path("other.set");
    WriteAll(otherFile, otherClass);
    EXPECT_EQ(OpenSetupFile(otherFile, sender), SetupStatus::NotSetupFile);
    EXPECT_EQ(OpenSetupFile(Path("missing.set"), sender), SetupStatus::Unreadable);

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

// Files made by hand: each is opened with the link down and up (the
// instrument's block is 120 bytes); what is refused leaves the block and
// sends nothing, what is taken is the file's block and, with the link up,
// exactly that block is sent once.
TEST_F(SetupFileTest, HandMadeFilesFollowTheLoadingRules)
{
    const std::vector<unsigned char> block = Pattern(11);
    const std::vector<unsigned char> small = Pattern(13, 40);
    struct Case {
        const char* what;
        QByteArray bytes;
        SetupStatus down, up;
        std::vector<unsigned char> loaded;
    } cases[] = {
        {"other schema", Record(2, kBlockBytes, block), SetupStatus::NotSetupFile, SetupStatus::NotSetupFile, {}},
        {"trailing bytes", Record(3, kBlockBytes, block, "tail"), SetupStatus::Ok, SetupStatus::Ok, block},
        {"no block", Record(3, 0, {}), SetupStatus::NoSettings, SetupStatus::NoSettings, {}},
        {"shorter block", Record(3, 40, small), SetupStatus::Ok, SetupStatus::OtherInstrument, small},
        {"length past the end", Record(3, 4000, block), SetupStatus::NotSetupFile, SetupStatus::NotSetupFile, {}},
    };
    for (const Case& c : cases) {
        const QString path = Path("hand.set");
        WriteAll(path, c.bytes);
        for (const bool up : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (up ? ", link up" : ", link down"));
            SetBlock(Pattern(5));
            g_bRunThreadR.store(up ? 1 : 0);
            CRecordingSender sender;
            const SetupStatus expected = up ? c.up : c.down;
            EXPECT_EQ(OpenSetupFile(path, sender), expected);
            if (expected != SetupStatus::Ok) {
                EXPECT_EQ(Block(), Pattern(5));
                EXPECT_TRUE(sender.sent.empty());
                continue;
            }
            EXPECT_EQ(Block(), c.loaded);
            ASSERT_EQ(sender.sent.size(), up ? 1u : 0u);
            if (up) {
                EXPECT_EQ(sender.sent[0].nCmd, kCmdSysParamBlock);
                EXPECT_EQ(sender.sent[0].payload, c.loaded);
            }
        }
    }
}

// A block shorter than the description (opened while the link was down):
// an edit and a decode stay inside it.
TEST_F(SetupFileTest, ShortBlockIsNeverReadOrWrittenPastItsEnd)
{
    const QString path = Path("short.set");
    std::vector<unsigned char> small = Pattern(13, 40);
    small[0] = 0;   // CONTROL-TYPE: a model with settings files, so the decode runs through
    WriteAll(path, Record(3, 40, small));
    CRecordingSender sender;
    ASSERT_EQ(OpenSetupFile(path, sender), SetupStatus::Ok);
    CSettingsModel model;
    g_bTransfering.store(1);
    g_bRunThreadR.store(1);
    EXPECT_EQ(model.ApplyChoice(KIND_DISPLAY_FORMAT, 0, {1, ""}).outcome, EditOutcome::Unchanged);
    EXPECT_EQ(model.OnSettingsChanged(), 0);
    EXPECT_EQ(model.DecodeCount(), 1u);
    EXPECT_EQ(Block(), small);
}

// A workspace's panel record replaces the block but never sends it; one
// without a block or for another instrument keeps the block in memory.
TEST_F(SetupFileTest, WorkspaceRecordKeepsTheBlockItCannotUse)
{
    g_bRunThreadR.store(1);
    CArchive other(Record(3, 40, Pattern(13, 40)));
    EXPECT_EQ(SerializeWorkspacePanel(other), 1);
    EXPECT_EQ(Block(), Pattern(7));
    EXPECT_EQ(CMessageRecorder::Messages().size(), 1u);
    CArchive empty(Record(3, 0, {}));
    EXPECT_EQ(SerializeWorkspacePanel(empty), 1);
    EXPECT_EQ(Block(), Pattern(7));
    CArchive same(Record(3, kBlockBytes, Pattern(11)));
    EXPECT_EQ(SerializeWorkspacePanel(same), 1);
    EXPECT_EQ(Block(), Pattern(11));
    CArchive schema(Record(4, kBlockBytes, Pattern(3)));
    EXPECT_EQ(SerializeWorkspacePanel(schema), 0);
    EXPECT_EQ(Block(), Pattern(11));
}
