#include "app/DemoScript.h"

#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QImage>
#include <QMdiArea>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <mutex>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "ui/DocKinds.h"
#include "ui/ShellHooks.h"
#include "ui/UserPrompts.h"
#include "corvane/SharedState.h"
#include "docs/PictureFile.h"
#include "link/DSOSetup.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"
#include "parlex/VKTableParlex.h"

namespace {
constexpr int kScreenWaitMs = 3000;
constexpr int kPanelSettleMs = 2000;
constexpr int kRunMs = 3000;
constexpr int kSettleMs = 300;
const char* const kDemoKeys[] = {"HZ-TBSUB-KEY", "MENU-MEASURE-KEY", "FN-1-KEY"};

// The screen as grey levels of its palette indices, for when no screen
// mirror is built in.
QImage ScreenIndicesAsGrey()
{
    QImage image(kScreenWidth, kScreenHeight, QImage::Format_Grayscale8);
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    for (int y = 0; y < kScreenHeight; ++y)
        std::copy_n(ADBufferUI + y * kScreenWidth, kScreenWidth, image.scanLine(y));
    return image;
}
}  // namespace

CDemoScript::CDemoScript(CMainFrame& frame, const QString& folder) : m_frame(frame), m_folder(folder) {}

void CDemoScript::Step(const QString& text)
{
    std::printf("demo: %s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void CDemoScript::Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool CDemoScript::event(QEvent* e)
{
    if (e->type() == static_cast<QEvent::Type>(kMsgScreenReady)) {
        ++m_screens;
        return true;
    }
    return QObject::event(e);
}

bool CDemoScript::WaitForNewScreen(int timeoutMs)
{
    if (m_frontPanelShown) {
        Wait(kPanelSettleMs);   // the panel polls the screen itself
        return true;
    }
    const int before = m_screens;
    CommandArgs screen;
    screen.nCmd = kCmdScreen;
    m_frame.Session().Sender().SendCommand(screen);
    return m_frame.Session().WaitUntil([&] { return m_screens > before; }, static_cast<uint32_t>(timeoutMs));
}

// A key goes out as the front panel sends it: command 19 with the key's
// number from the key table.
bool CDemoScript::PressKey(const char* name)
{
    const int position = g_VKTable.GetVKKeyPos(name);
    Step(QStringLiteral("pressing %1 (key number %2)").arg(QLatin1String(name)).arg(position));
    CommandArgs key;
    key.nCmd = kCmdKey;
    key.llValue = position;
    key.nKeyArg = 1;
    if (!m_frame.Session().Sender().SendCommand(key))
        return false;
    const bool seen = WaitForNewScreen(kScreenWaitMs);
    Step(seen ? QStringLiteral("  the instrument's screen was updated")
              : QStringLiteral("  no new screen image arrived"));
    return seen;
}

// One window of every kind runs for a while; each is then shown maximized
// and saved as DIR/window-<kind>.png, the waveform sheet last, so that the
// main window's screenshot shows it.
void CDemoScript::RunDataWindows()
{
    std::vector<CChildFrame*> windows;
    for (const DocKind& kind : DocKinds())
        if (CChildFrame* window = m_frame.NewWindow(kind))
            windows.push_back(window);
    for (CChildFrame* window : windows) {
        window->Run();
        Step(QStringLiteral("opened %1%2")
                 .arg(window->windowTitle(), window->View()->IsPlaceholder() ? QStringLiteral(" (placeholder view)")
                                                                             : QString()));
    }
    Step(QStringLiteral("running the windows for %1 s (timer 2 every %2 ms)")
             .arg(kRunMs / 1000)
             .arg(m_frame.AcquisitionInterval()));
    Wait(kRunMs);
    std::stable_partition(windows.begin(), windows.end(),
                          [](CChildFrame* w) { return w->Kind().typeName != QLatin1String("YTSheet"); });
    for (CChildFrame* window : windows) {
        window->Stop();
        m_frame.MdiArea()->setActiveSubWindow(window);
        window->showMaximized();
        Wait(kSettleMs);   // the window's toolbar lays itself out again
        // Named after the kind's title ("Wave_%d" gives window-Wave.png).
        const QString kindName = QString::fromLatin1(window->Kind().titlePattern).section(QLatin1Char('_'), 0, 0);
        SavePicture(QStringLiteral("window-%1.png").arg(kindName), window->grab().toImage(),
                    QStringLiteral("window ") + window->windowTitle());
    }
}

bool CDemoScript::SavePicture(const QString& name, const QImage& picture, const QString& what)
{
    QDir().mkpath(m_folder);
    const QString path = QDir(m_folder).filePath(name);
    const bool saved = SavePictureFile(path, picture) != 0;
    Step(QStringLiteral("%1 %2: %3").arg(what, saved ? "saved" : "NOT saved", path));
    return saved;
}

bool CDemoScript::SaveScreenshots()
{
    const bool mainSaved =
        SavePicture(QStringLiteral("quorvex-main-window.png"), m_frame.grab().toImage(), "main window screenshot");
    QImage screen = ScreenImageHook() ? ScreenImageHook()() : QImage();
    if (screen.isNull()) {
        Step(QStringLiteral("no screen mirror built in: saving the screen's palette indices as grey levels"));
        screen = ScreenIndicesAsGrey();
    }
    const bool screenSaved = SavePicture(QStringLiteral("instrument-screen.png"), screen, "instrument screen");
    bool panelSaved = true;
    if (QWidget* panel = m_frame.FrontPanel())
        panelSaved =
            SavePicture(QStringLiteral("virtual-front-panel.png"), panel->grab().toImage(), "virtual front panel");
    return mainSaved && screenSaved && panelSaved;
}

int CDemoScript::Run()
{
    SetQuestionHandler([this](const QString& text, QMessageBox::StandardButtons, QMessageBox::StandardButton) {
        Step(QStringLiteral("question \"%1\" answered No").arg(text));
        return QMessageBox::No;
    });
    SetNoticeHandler([this](const QString& text) { Step(QStringLiteral("message: %1").arg(text)); });
    m_frame.Session().SetFrontPanel(this);

    Step(QStringLiteral("connecting to the instrument"));
    if (!m_frame.ConnectCommand()) {
        Step(QStringLiteral("the instrument did not connect"));
        return 1;
    }
    Step(QStringLiteral("connected: protocol table read, %1 keys in the key table")
             .arg(g_VKTable.GetKeyMap().size()));
    if (FrontPanelHook() && g_bVKTable.load() == 1) {
        Step(QStringLiteral("opening the virtual front panel"));
        m_frontPanelShown = m_frame.OpenFrontPanel();
    } else {
        Step(QStringLiteral("virtual front panel not built in: keys go straight to the command sender"));
    }
    bool ok = WaitForNewScreen(kScreenWaitMs);
    for (const char* key : kDemoKeys)
        ok = PressKey(key) && ok;
    RunDataWindows();
    ok = SaveScreenshots() && ok;

    Step(QStringLiteral("disconnecting"));
    m_frame.Session().SetFrontPanel(nullptr);
    m_frame.DisconnectCommand();
    m_frame.close();
    Step(ok ? QStringLiteral("done") : QStringLiteral("done, with failures"));
    return ok ? 0 : 1;
}
