// The main frame: Open by extension, the workspace file, the close questions,
// Options with "Param.ini", the front panel's gate.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "FakeView.h"
#include "QtPrinters.h"
#include "ScopedPrompts.h"
#include "app/AppSettings.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "ui/PlaceholderView.h"
#include "ui/ShellHooks.h"
#include "app/WorkspaceFile.h"
#include "corvane/SharedState.h"
#include "docs/Archive.h"
#include "link/LinkSession.h"
#include "sim/SimInstrument.h"

namespace {
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        settingsPath = dir.filePath("Param.ini").toStdString();
        CAppSettings settings;
        settings.interval = 2000;
        frame = std::make_unique<CMainFrame>(CreateSimInstrument("", nullptr), settings, settingsPath);
        SetParamBlock({1, 2, 3, 4});
    }
    void TearDown() override
    {
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetParamBlock({});
    }

    static void SetParamBlock(std::vector<unsigned char> bytes)
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        delete[] g_pSysParamBuffer;
        g_pSysParamBuffer = bytes.empty() ? nullptr : new unsigned char[bytes.size()];
        if (!bytes.empty())
            std::memcpy(g_pSysParamBuffer, bytes.data(), bytes.size());
        g_SysParamLen = static_cast<int32_t>(bytes.size());
    }
    QStringList Titles() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList titles;
        for (CChildFrame* f : frame->ChildFrames())
            titles << f->windowTitle();
        return titles;
    }
    static FakeView* Fake(CChildFrame* f) { return static_cast<FakeView*>(f->View()); }
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    static QByteArray Bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    std::string settingsPath;
    std::unique_ptr<CMainFrame> frame;
};
}  // namespace

TEST_F(MainFrameTest, OpenPicksTheKindByTheExactLowerCaseExtension)
{
    ScopedFakeViews fakes{"YTSheet"};
    ScopedPrompts prompts;

    CChildFrame* sheet = frame->OpenDataFile(Path("trace.wfm"));
    ASSERT_NE(sheet, nullptr);
    EXPECT_STREQ(sheet->Kind().typeName, "YTSheet");
    EXPECT_EQ(Fake(sheet)->loadedPath, Path("trace.wfm"));
    EXPECT_EQ(sheet->windowTitle(), "trace.wfm");
    EXPECT_EQ(frame->MdiArea()->activeSubWindow(), sheet);

    EXPECT_EQ(frame->OpenDataFile(Path("TRACE.WFM")), nullptr);
    EXPECT_EQ(frame->OpenDataFile(Path("trace.txt")), nullptr);
    EXPECT_EQ(frame->OpenDataFile(Path("wfm")), nullptr);
    EXPECT_EQ(Titles(), QStringList{"trace.wfm"});

    // A kind without its window yet opens the placeholder that says so.
    struct WithoutView {
        ChildViewFactory saved = SetChildViewFactory("WaveformMeasurement", {});
        ~WithoutView() { SetChildViewFactory("WaveformMeasurement", saved); }
    } noMeasurementView;
    CChildFrame* measurement = frame->OpenDataFile(Path("m.mes"));
    ASSERT_NE(measurement, nullptr);
    ASSERT_TRUE(measurement->View()->IsPlaceholder());
    EXPECT_TRUE(static_cast<CPlaceholderView*>(measurement->View())->Text().contains(".mes"));

    // A file the view refuses leaves no window behind and tells the user.
    SetChildViewFactory("YTSheet", [](const ChildViewContext&) {
        auto v = std::make_unique<FakeView>();
        v->failLoad = true;
        return std::unique_ptr<IChildView>(std::move(v));
    });
    EXPECT_EQ(frame->OpenDataFile(Path("bad.wfm")), nullptr);
    EXPECT_EQ(prompts.notices, QStringList{"damaged file"});
    EXPECT_EQ(Titles(), (QStringList{"m.mes", "trace.wfm"}));
}

TEST_F(MainFrameTest, WorkspaceRoundTripRestoresWindowsWithNumberedTitles)
{
    ScopedFakeViews fakes{"YTSheet", "WaveformTabular"};
    ScopedPlaceholderKinds placeholders{"PowerSpectrum"};
    ScopedPrompts prompts;
    const DocKind& sheet = *KindByTypeName("YTSheet");
    const DocKind& table = *KindByTypeName("WaveformTabular");
    Fake(frame->NewWindow(sheet))->state = 11;
    Fake(frame->NewWindow(table))->state = 33;
    Fake(frame->NewWindow(sheet))->state = 22;
    frame->NewWindow(*KindByTypeName("PowerSpectrum"));   // placeholder: not in the file
    ASSERT_TRUE(frame->WriteWorkspace(Path("desk.wrk")));
    EXPECT_EQ(frame->WorkspaceName(), Path("desk.wrk"));

    // The layout: panel record, name, N, then the windows in kind order.
    CArchive ar(Bytes(Path("desk.wrk")));
    ASSERT_TRUE(ar.ReadClass("CPartTreeView"));
    EXPECT_EQ(ar.ReadI32(), 4);
    EXPECT_EQ(ar.ReadU32(), 0x04030201u);
    EXPECT_EQ(ar.ReadString(), "desk.wrk");
    EXPECT_EQ(ar.ReadI32(), 3);
    std::vector<int> kindsAndStates;
    for (int i = 0; i < 6; ++i)
        kindsAndStates.push_back(ar.ReadI32());
    EXPECT_EQ(kindsAndStates, (std::vector<int>{3, 33, 1, 11, 1, 22}));
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_FALSE(ar.Failed());

    prompts.answers = {QMessageBox::No};
    ASSERT_TRUE(frame->CloseWorkspace());
    EXPECT_EQ(prompts.questions.size(), 1);   // no per-window question
    EXPECT_TRUE(Titles().isEmpty());
    EXPECT_EQ(frame->WorkspaceName(), " ");

    SetParamBlock({9});
    // Already open: stays, and does not shift the numbering of the records.
    const QString openTitle = frame->NewWindow(sheet)->windowTitle();
    ASSERT_EQ(frame->ReadWorkspace(Path("desk.wrk")), 3);
    EXPECT_EQ(Titles(), (QStringList{"Data_1", openTitle, "Wave_1", "Wave_2"}));
    const QList<CChildFrame*> frames = frame->ChildFrames();
    EXPECT_EQ(Fake(frames[0])->state, 33);
    EXPECT_EQ(Fake(frames[2])->state, 11);
    EXPECT_EQ(Fake(frames[3])->state, 22);
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        ASSERT_EQ(g_SysParamLen, 4);
        EXPECT_EQ(g_pSysParamBuffer[3], 4);
    }

    frames[1]->CloseWithoutAsking();
    ASSERT_TRUE(frame->SaveWorkspace());   // attached: no dialog, same file
    EXPECT_EQ(prompts.fileDialogs, 0);
    CArchive again(Bytes(Path("desk.wrk")));
    EXPECT_EQ(again.Buffer(), ar.Buffer());
}

TEST_F(MainFrameTest, EmptyWorkspaceHoldsPanelRecordNameAndZero)
{
    ScopedPrompts prompts;
    prompts.chosenFile = Path("empty");
    ASSERT_TRUE(frame->SaveWorkspace());
    EXPECT_EQ(prompts.fileDialogs, 1);
    const QByteArray bytes = Bytes(Path("empty.wrk"));
    // 0xFFFF, schema, name length, "CPartTreeView", N, 4 bytes, "empty.wrk", 0
    EXPECT_EQ(bytes.size(), 2 + 2 + 2 + 13 + 4 + 4 + 1 + 9 + 4);
    EXPECT_EQ(bytes.right(4), QByteArray(4, '\0'));

    prompts.chosenFile = Path("kept.wrk");
    ASSERT_TRUE(frame->SaveWorkspaceAs());
    EXPECT_TRUE(QFile::exists(Path("kept.wrk")));
    EXPECT_FALSE(QFile::exists(Path("kept.wrk.wrk")));

    prompts.chosenFile.clear();
    EXPECT_FALSE(frame->SaveWorkspaceAs());
    EXPECT_EQ(frame->WorkspaceName(), Path("kept.wrk"));
}

TEST_F(MainFrameTest, DamagedWorkspaceIsRefusedWithoutHarm)
{
    ScopedFakeViews fakes{"YTSheet"};
    ScopedPrompts prompts;
    frame->NewWindow(*KindByTypeName("YTSheet"));
    frame->NewWindow(*KindByTypeName("YTSheet"));
    ASSERT_TRUE(frame->WriteWorkspace(Path("two.wrk")));
    const QByteArray whole = Bytes(Path("two.wrk"));
    frame->CloseAllWindows();

    QFile cut(Path("cut.wrk"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.left(whole.size() - 2));   // the second window's state is short
    cut.close();
    SetParamBlock({7, 7});
    EXPECT_EQ(frame->ReadWorkspace(Path("cut.wrk")), -1);
    EXPECT_EQ(prompts.notices.size(), 1);
    EXPECT_EQ(Titles(), (QStringList{"Wave_1", "Wave_2"}));   // made before the damage, kept

    // A window count far beyond the file's size is refused before anything opens.
    frame->CloseAllWindows();
    QByteArray huge = whole;
    const int countAt = whole.size() - 2 * 8 - 4;
    huge.replace(countAt, 4, QByteArray("\xff\xff\xff\x7f", 4));
    QFile f(Path("huge.wrk"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(huge);
    f.close();
    EXPECT_EQ(frame->ReadWorkspace(Path("huge.wrk")), -1);
    EXPECT_TRUE(Titles().isEmpty());
    EXPECT_EQ(frame->ReadWorkspace(Path("missing.wrk")), -1);
}

TEST_F(MainFrameTest, ClosingTheProgramFollowsTheWorkspaceAnswer)
{
    ScopedFakeViews fakes{"YTSheet"};
    ScopedPrompts prompts;
    frame->NewWindow(*KindByTypeName("YTSheet"));

    prompts.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompts.questions.value(0), "Save the changes to the Current WorkSpace?");
    EXPECT_EQ(Titles().size(), 1);

    prompts.answers = {QMessageBox::Yes};   // then the save dialog is cancelled
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompts.fileDialogs, 1);
    EXPECT_EQ(Titles().size(), 1);

    prompts.answers = {QMessageBox::Yes};
    prompts.chosenFile = Path("last");
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(QFile::exists(Path("last.wrk")));
    EXPECT_EQ(frame->WorkspaceName(), " ");
    EXPECT_TRUE(Titles().isEmpty());
    EXPECT_EQ(prompts.questions.size(), 3);   // no per-window question on the way out
}

TEST_F(MainFrameTest, CloseWorkspaceWithYesSavesFirstAndCancelKeepsWindows)
{
    ScopedPrompts prompts;
    frame->NewWindow(*KindByTypeName("Arithmetic"));
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(frame->CloseWorkspace());   // save dialog cancelled
    EXPECT_EQ(Titles(), QStringList{"Arith_1"});

    prompts.answers = {QMessageBox::Yes};
    prompts.chosenFile = Path("ws");
    EXPECT_TRUE(frame->CloseWorkspace());
    EXPECT_TRUE(QFile::exists(Path("ws.wrk")));
    EXPECT_TRUE(Titles().isEmpty());
    EXPECT_EQ(frame->WorkspaceName(), " ");
}

TEST_F(MainFrameTest, OptionsAreWrittenToParamIniAndReadBack)
{
    ScopedPrompts prompts;
    {
        QFile f(QString::fromStdString(settingsPath));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[USB]\nBackend=sim\n");
    }
    EXPECT_EQ(CAppSettings::Read(dir.filePath("none.ini").toStdString()).interval, 0);

    CAppSettings chosen = frame->Settings();
    chosen.interval = 5000;
    chosen.hardwareCheck = 1;
    ASSERT_TRUE(frame->ApplyOptions(chosen));
    EXPECT_TRUE(prompts.notices.isEmpty());
    EXPECT_EQ(frame->AcquisitionInterval(), 5000);

    chosen.language = 1;
    ASSERT_TRUE(frame->ApplyOptions(chosen));
    ASSERT_EQ(prompts.notices.size(), 1);
    EXPECT_EQ(prompts.notices[0], "Please run the application again,then new language active!");

    const CAppSettings read = CAppSettings::Read(settingsPath);
    EXPECT_EQ(read.interval, 5000);
    EXPECT_EQ(read.hardwareCheck, 1);
    EXPECT_EQ(read.language, 1);
    const QByteArray text = Bytes(QString::fromStdString(settingsPath));
    EXPECT_TRUE(text.contains("Backend=sim"));
    EXPECT_TRUE(text.contains("Interval=5000"));
    EXPECT_EQ(g_nLanguage, 0u);   // the running program keeps its language
    EXPECT_EQ(read.UiLanguage(), 1);
    CAppSettings odd;
    odd.language = 7;
    EXPECT_EQ(odd.UiLanguage(), 1);
}

TEST_F(MainFrameTest, FrontPanelOpensOnlyWithTheKeyTable)
{
    ScopedPrompts prompts;
    const FrontPanelFactory saved = FrontPanelHook();
    int made = 0;
    CLinkSession* seen = nullptr;
    RegisterFrontPanelFactory([&](const ShellPanelContext& c) {
        ++made;
        seen = c.session;
        return new QWidget(c.parent, Qt::Window);
    });

    g_bVKTable.store(0);
    EXPECT_FALSE(frame->OpenFrontPanel());
    EXPECT_EQ(prompts.notices, QStringList{"The Virtual Keyboard of configuration files  not exist!"});
    EXPECT_EQ(made, 0);

    g_bVKTable.store(1);
    EXPECT_TRUE(frame->OpenFrontPanel());
    EXPECT_TRUE(frame->OpenFrontPanel());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(seen, &frame->Session());
    g_bVKTable.store(0);
    RegisterFrontPanelFactory(saved);
}

// File > Save Setup File and Open Setup File run the settings panel's commands.
TEST_F(MainFrameTest, FileMenuReachesTheSetupFileCommands)
{
    ScopedPrompts prompts;
    QMenu* file = frame->menuBar()->actions().first()->menu();
    ASSERT_TRUE(file->actions().contains(frame->Action(kIdSaveSetupFile)));
    ASSERT_TRUE(file->actions().contains(frame->Action(kIdOpenSetupFile)));
    prompts.chosenFile = Path("menu");
    frame->Action(kIdSaveSetupFile)->trigger();
    EXPECT_EQ(Bytes(Path("menu.set")).size(), 23 + 4);
    SetParamBlock({9, 9, 9, 9});
    prompts.chosenFile = Path("menu.set");
    frame->Action(kIdOpenSetupFile)->trigger();
    EXPECT_EQ(prompts.fileDialogs, 2);
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    ASSERT_EQ(g_SysParamLen, 4);
    EXPECT_EQ(g_pSysParamBuffer[0], 1);
    g_openFileFlag.store(0);
    g_openFileName.clear();
}

// Sheets, measurements and data tables count every open data window: the
// tenth opens, the eleventh is refused. The analysis kinds count their own
// windows: the tenth power spectrum is refused. A refused window takes no
// title number, and File > Save goes to the active window's own save.
TEST_F(MainFrameTest, WindowLimitsRefuseWithoutTakingATitleNumber)
{
    ScopedFakeViews fakes{"YTSheet", "WaveformTabular", "PowerSpectrum"};
    ScopedPrompts prompts;
    const DocKind& sheet = *KindByTypeName("YTSheet");
    const DocKind& table = *KindByTypeName("WaveformTabular");
    const DocKind& power = *KindByTypeName("PowerSpectrum");
    CChildFrame* first = frame->NewWindow(sheet);
    ASSERT_NE(first, nullptr);
    const int n = first->windowTitle().mid(5).toInt();
    for (int i = 0; i < 9; ++i)
        ASSERT_NE(frame->NewWindow(power), nullptr);   // nine power spectra: ten windows in all
    EXPECT_EQ(frame->NewWindow(power), nullptr);
    ASSERT_EQ(prompts.notices.size(), 1);
    EXPECT_EQ(prompts.notices[0], "Exceed maximum window numbers limit!");
    EXPECT_EQ(frame->NewWindow(sheet), nullptr);   // the eleventh window
    EXPECT_EQ(frame->NewWindow(table), nullptr);
    EXPECT_EQ(prompts.notices.size(), 3);

    first->CloseWithoutAsking();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    CChildFrame* next = frame->NewWindow(sheet);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->windowTitle(), QStringLiteral("Wave_%1").arg(n + 1));

    frame->MdiArea()->setActiveSubWindow(next);
    EXPECT_TRUE(frame->SaveActiveDocument(true));
    EXPECT_TRUE(frame->SaveActiveDocument(false));
    EXPECT_EQ(Fake(next)->saveCommands, (std::vector<bool>{true, false}));
}

// A workspace written by an earlier version: its windows open, and saving
// the workspace again writes the same bytes (the sheets keep the placement
// they were stored with while they stand where the file put them).
TEST_F(MainFrameTest, OldWorkspaceIsWrittenBackByteForByte)
{
    const QByteArray old = Bytes(QStringLiteral(QV_SOURCE_DIR "/tests/fixtures/two-sheets.wrk"));
    ASSERT_FALSE(old.isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkpath("read") && QDir(dir.path()).mkpath("written"));
    QFile copy(Path("read/two-sheets.wrk"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly) && copy.write(old) == old.size());
    copy.close();
    SetParamBlock({});   // the file's panel record is empty: never connected
    ASSERT_EQ(frame->ReadWorkspace(copy.fileName()), 2);
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame->WriteWorkspace(Path("written/two-sheets.wrk")));
    const QByteArray again = Bytes(Path("written/two-sheets.wrk"));
    int first = 0;
    while (first < std::min(again.size(), old.size()) && again[first] == old[first])
        ++first;
    EXPECT_TRUE(again == old) << "first difference at byte " << first << " of " << old.size();
}
