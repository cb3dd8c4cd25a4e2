// What a new user meets first: the message pane without a connection, knobs
// turned with the wheel and by dragging, key tooltips, the screen growing with
// the panel, file dialogs in the folder last used, the program's icons.
#include <QAbstractButton>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

#include "PanelTestSupport.h"
#include "ScopedPrompts.h"
#include "app/AppSettings.h"
#include "app/ChildFrame.h"
#include "app/Icons.h"
#include "app/MainFrame.h"
#include "link/view/LCDCtrl.h"
#include "link/view/PanelKnob.h"
#include "link/view/VirtualPanel.h"
#include "sim/SimInstrument.h"
#include "ui/DocKinds.h"
#include "ui/RecentFolders.h"
#include "ui/UserPrompts.h"

namespace {
// Every key of the panel's knobs, at positions 0..10.
const char* const kKnobKeys[] = {
    "VT-CH1-PADD-KEY", "VT-CH1-PSUB-KEY", "VT-CH1-PZERO-KEY", "HZ-PADD-KEY",   "HZ-PSUB-KEY",  "HZ-PZERO-KEY",
    "TG-PADD-KEY",     "TG-PSUB-KEY",     "FN-MRIGHT-KEY",    "FN-MLEFT-KEY", "FN-MZERO-KEY",
};

void LoadKnobKeyTable()
{
    std::string text = "[TOTAL] " + std::to_string(std::size(kKnobKeys)) + "\n[START]\n";
    for (const char* key : kKnobKeys)
        text += std::string("[") + key + "]\n";
    g_VKTable.TableClear();
    g_VKTable.VKTrans_Init((text + "[END]\n").c_str());
    g_bVKTable.store(1);
}

std::vector<std::string> SentKeyNames(const CRecordingSender& sender)
{
    std::vector<std::string> names;
    for (const auto& s : sender.sent)
        names.push_back(s.llValue >= 0 && s.llValue < static_cast<int64_t>(std::size(kKnobKeys)) ? kKnobKeys[s.llValue]
                                                                                               : "?");
    return names;
}

void Wheel(QWidget* w, int delta)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Presses the knob, moves it by (dx, dy) in 3-pixel moves, releases it.
void Drag(QWidget* w, int dx, int dy)
{
    const QPoint start(w->width() / 2, w->height() / 2);
    Mouse(w, QEvent::MouseButtonPress, start, Qt::LeftButton);
    const int moves = std::max(std::abs(dx), std::abs(dy)) / 3;
    for (int i = 1; i <= moves; ++i)
        Mouse(w, QEvent::MouseMove, start + QPoint(dx * i / moves, dy * i / moves), Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, start + QPoint(dx, dy), Qt::NoButton);
}

class FirstUseTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPanelState(); }
    void TearDown() override { ResetPanelState(); }
};
}  // namespace

TEST_F(FirstUseTest, KnobsTurnOneStepPerWheelNotchAndPerDragDistanceTheWayTheArrowsPoint)
{
    LoadKnobKeyTable();
    struct Case {
        const char* what;
        int knob;
        std::function<void(QWidget*)> act;
        std::vector<std::string> expected;
    };
    const int drag = CPanelKnob::kDragPixels;
    const Case cases[] = {
        {"CH1 wheel forward 2 notches", 1052, [](QWidget* w) { Wheel(w, 240); }, {"VT-CH1-PADD-KEY", "VT-CH1-PADD-KEY"}},
        {"CH1 wheel back 1 notch", 1052, [](QWidget* w) { Wheel(w, -120); }, {"VT-CH1-PSUB-KEY"}},
        {"half notches add up", 1071, [](QWidget* w) { Wheel(w, 60); Wheel(w, 60); Wheel(w, 60); }, {"TG-PADD-KEY"}},
        {"wheel over an arrow key", 1056, [](QWidget* w) { Wheel(w, -120); }, {"TG-PSUB-KEY"}},
        {"horizontal wheel forward", 1067, [](QWidget* w) { Wheel(w, 120); }, {"HZ-PADD-KEY"}},
        {"CH1 drag up 3 steps", 1052, [=](QWidget* w) { Drag(w, 0, -3 * drag); },
         {"VT-CH1-PADD-KEY", "VT-CH1-PADD-KEY", "VT-CH1-PADD-KEY"}},
        {"trigger drag down 2 steps", 1071, [=](QWidget* w) { Drag(w, 0, 2 * drag); }, {"TG-PSUB-KEY", "TG-PSUB-KEY"}},
        {"horizontal drag left", 1067, [=](QWidget* w) { Drag(w, -drag, 0); }, {"HZ-PSUB-KEY"}},
        {"multipurpose drag right", 1074, [=](QWidget* w) { Drag(w, 2 * drag, 0); }, {"FN-MRIGHT-KEY", "FN-MRIGHT-KEY"}},
        {"a click still pushes the knob", 1074, [](QWidget* w) { Drag(w, 0, 0); }, {"FN-MZERO-KEY"}},
        {"a press that wobbles is a click", 1052, [](QWidget* w) { Drag(w, 2, 1); }, {"VT-CH1-PZERO-KEY"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRecordingSender sender;
        CVirtualPanel panel(&sender);
        panel.resize(900, 700);
        c.act(panel.Button(c.knob));
        EXPECT_EQ(SentKeyNames(sender), c.expected);
    }
}

TEST_F(FirstUseTest, KeyTooltipsAreCaptionsAndTheScreenGrowsWithThePanelKeepingItsShape)
{
    CRecordingSender sender;
    CVirtualPanel panel(&sender);
    for (int id = 1013; id <= 1094; ++id) {
        const QAbstractButton* key = panel.Button(id);
        if (!key || !CVirtualPanel::KeyName(id))
            continue;
        SCOPED_TRACE(id);
        EXPECT_FALSE(key->toolTip().isEmpty());
        EXPECT_FALSE(key->toolTip().contains(QLatin1String("-KEY")));
        EXPECT_FALSE(key->toolTip().contains(QLatin1Char('\n')));
    }
    EXPECT_EQ(panel.Button(1026)->toolTip(), QStringLiteral("AUTOSET"));
    EXPECT_EQ(panel.Button(1039)->toolTip(), QStringLiteral("MENU ON/OFF"));

    panel.show();
    QCoreApplication::processEvents();
    const QSize first = panel.LCD()->size();
    EXPECT_NEAR(first.width(), kScreenWidth / 2, kScreenWidth / 8);
    for (const QSize window : {QSize(1800, 1200), QSize(2400, 1000), QSize(1200, 1600)}) {
        panel.resize(window);
        QCoreApplication::processEvents();
        const QSize lcd = panel.LCD()->size();
        SCOPED_TRACE(QStringLiteral("%1x%2 -> %3x%4").arg(window.width()).arg(window.height()).arg(lcd.width()).arg(lcd.height()).toStdString());
        EXPECT_GT(lcd.width(), first.width());
        EXPECT_NEAR(lcd.width() * kScreenHeight, lcd.height() * kScreenWidth, kScreenWidth);
    }
    panel.resize(1800, 1200);
    QCoreApplication::processEvents();
    EXPECT_GT(panel.LCD()->width(), kScreenWidth);   // beyond its native size
    panel.hide();
}

TEST(FirstUse, FileDialogsStartInTheFolderLastUsedForThatKindOfFile)
{
    CRecentFolders folders;
    EXPECT_EQ(folders.StartPath("Bitmap Files(*.bmp)", "*.bmp"), "*.bmp");
    folders.Remember("/data/shots/a.bmp");
    folders.Remember("/data/waves/w.WFM");
    folders.Remember("/data/old/m.mes");
    folders.Remember("/data/new/m2.mes");
    folders.Remember("no-ending");
    struct Case {
        const char* filter;
        const char* initial;
        const char* expected;
    };
    const Case cases[] = {
        {"Bitmap Files(*.bmp);;All Files(*.*)", "*.bmp", "/data/shots/*.bmp"},
        {"Waveform (*.wfm)", "Wave_1.wfm", "/data/waves/Wave_1.wfm"},
        {"Measure (*.mes)", "*.mes", "/data/new/*.mes"},
        {"*.wfm;*.mes;*.dat", "", "/data/new"},          // the latest of the kinds listed
        {"WorkData file (*.wrk)", "*.wrk", "*.wrk"},     // never used: as given
        {"Bitmap Files(*.bmp)", "/tmp/x.bmp", "/tmp/x.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(folders.StartPath(c.filter, c.initial), c.expected) << c.filter;

    // The shell's dialogs note what was chosen through them.
    ScopedPrompts prompts;
    prompts.chosenFile = QStringLiteral("/data/setups/s.set");
    ChooseFile(nullptr, FileDialogKind::Save, QStringLiteral("Setup (*.set)"), QStringLiteral("*.set"));
    EXPECT_EQ(RecentFolders().FolderFor(QStringLiteral("Setup (*.set)")), "/data/setups");
}

TEST(FirstUse, WithoutAConnectionTheMessagePaneSaysHowToConnectAndWindowsShowTheProgramIcon)
{
    QTemporaryDir dir;
    CAppSettings settings;
    auto frame = std::make_unique<CMainFrame>(CreateSimInstrument("", nullptr), settings,
                                              dir.filePath("Param.ini").toStdString());
    const QString log = frame->MessageLog();
    EXPECT_TRUE(log.contains(QLatin1String("not connected")));
    EXPECT_TRUE(log.contains(QLatin1String("Instrument > Connect")));
    EXPECT_TRUE(log.contains(QLatin1String("Connect to the instrument at start-up")));

    CChildFrame* window = frame->NewWindow(*KindByTypeName(QStringLiteral("WaveformTabular")));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), ProgramIcon().pixmap(32).toImage());
    frame.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
