#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

#include "app/ChildFrame.h"
#include "app/ControlPane.h"
#include "app/Icons.h"
#include "app/OptionsDialog.h"
#include "ui/ShellHooks.h"
#include "ui/UserPrompts.h"
#include "app/WorkspaceFile.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "corvane/WaveMemory.h"
#include "link/LinkSession.h"
#include "link/view/FrontPanelEntry.h"
#include "parlex/Parlex.h"
#include "tessary/ProgramFolder.h"

namespace {
constexpr int kStateRefreshMs = 250;
constexpr int kIndicatorGap = 25;
constexpr int kSampleBufferDepth = 4000;
constexpr float kDisplayRatio = 0.8f;
const char* const kWorkspaceFilter = QT_TRANSLATE_NOOP("CMainFrame", "WorkData file (*.wrk);;All Files (*)");
const char kWorkspaceInitialName[] = "*.wrk";

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The kinds' type names are their menu texts in English; these entries give
// the translation tool their Chinese names.
[[maybe_unused]] const char* const kKindMenuTexts[] = {
    QT_TRANSLATE_NOOP("CMainFrame", "AnalyseBus"),     QT_TRANSLATE_NOOP("CMainFrame", "Arithmetic"),
    QT_TRANSLATE_NOOP("CMainFrame", "PowerSpectrum"),  QT_TRANSLATE_NOOP("CMainFrame", "WaveformMeasurement"),
    QT_TRANSLATE_NOOP("CMainFrame", "WaveformTabular"), QT_TRANSLATE_NOOP("CMainFrame", "YTSheet"),
};

}  // namespace

CMainFrame::CMainFrame(UsbDriverPtr driver, const CAppSettings& settings, const std::string& settingsPath,
                       QWidget* parent, const LinkTimings& timings)
    : QMainWindow(parent), m_settings(settings), m_settingsPath(settingsPath),
      m_session(std::make_unique<CLinkSession>(std::move(driver), timings))
{
    setWindowIcon(ProgramIcon());
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildDocks();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateTitle);
    connect(m_session.get(), &CLinkSession::ConnectionIndicator, this, &CMainFrame::ShowConnectionIndicator);

    g_hMainWnd = this;
    m_session->SetAcquisitionInterval(m_settings.interval);
    MallocWaveDataBuf(kSampleBufferDepth, 0, kDisplayRatio);
    ShowConnectionIndicator(false);
    UpdateTitle();

    auto* refresh = new QTimer(this);
    connect(refresh, &QTimer::timeout, this, [this] {
        Action(kIdConnect)->setEnabled(g_bRunThreadR.load() == 0);
        Action(kIdDisconnect)->setEnabled(g_bRunThreadR.load() != 0);
    });
    refresh->start(kStateRefreshMs);
    if (g_bRunThreadR.load() == 0 && m_settings.hardwareCheck != 0)
        QTimer::singleShot(0, this, [this] { ConnectCommand(); });
    else if (g_bRunThreadR.load() == 0)
        AppendMessage(tr("The instrument is not connected. To connect, choose Instrument > Connect, or tick "
                         "\"Connect to the instrument at start-up\" in Instrument > Options."));
}

// Windows and panels that hold the session go before it.
CMainFrame::~CMainFrame()
{
    delete m_frontPanel.data();
    delete m_help.data();
    delete m_mdi;
    delete m_workBar;
    m_session.reset();
    if (g_hMainWnd == this)
        g_hMainWnd = nullptr;
}

// ---------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------

QAction* CMainFrame::MakeAction(int id, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    m_actions << action;
    return action;
}

QAction* CMainFrame::Action(int id) const
{
    for (QAction* a : m_actions)
        if (a->data().toInt() == id)
            return a;
    return nullptr;
}

void CMainFrame::BuildActions()
{
    QStyle* s = style();
    connect(MakeAction(kIdOpen, tr("&Open...")), &QAction::triggered, this, &CMainFrame::OpenCommand);
    Action(kIdOpen)->setShortcut(QKeySequence::Open);
    Action(kIdOpen)->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    connect(MakeAction(kIdConnect, tr("&Connect")), &QAction::triggered, this, [this] { ConnectCommand(); });
    Action(kIdConnect)->setIcon(s->standardIcon(QStyle::SP_DriveNetIcon));
    connect(MakeAction(kIdDisconnect, tr("&Disconnect")), &QAction::triggered, this,
            &CMainFrame::DisconnectCommand);
    Action(kIdDisconnect)->setIcon(s->standardIcon(QStyle::SP_BrowserStop));
    connect(MakeAction(kIdOptions, tr("&Options...")), &QAction::triggered, this, &CMainFrame::OptionsCommand);
    connect(MakeAction(kIdHelpTopics, tr("&Help Topics")), &QAction::triggered, this, [this] { HelpCommand(); });
    Action(kIdHelpTopics)->setShortcut(QKeySequence::HelpContents);
    Action(kIdHelpTopics)->setIcon(HelpIcon());
    connect(MakeAction(kIdAbout, tr("&About Quorvex...")), &QAction::triggered, this, [this] {
        QMessageBox::about(this, tr("About Quorvex"),
                           tr("<b>Quorvex</b> %1<br>Companion program of the two-channel USB digital storage "
                              "oscilloscope.")
                               .arg(QCoreApplication::applicationVersion()));
    });
    connect(MakeAction(kIdPrint, tr("&Print Instrument Screen...")), &QAction::triggered, this,
            [this] { PrintInstrumentScreen(this); });
    Action(kIdPrint)->setShortcut(QKeySequence::Print);
    // The setup file commands belong to the settings panel, which offers them
    // as invokable SaveSetupCommand and OpenSetupCommand.
    for (int id : {kIdSaveSetupFile, kIdOpenSetupFile}) {
        const bool save = id == kIdSaveSetupFile;
        connect(MakeAction(id, save ? tr("Save Set&up File...") : tr("Open Setup &File...")), &QAction::triggered,
                this, [this, save] {
                    if (m_controlPane && m_controlPane->HasSettingsPanel())
                        QMetaObject::invokeMethod(m_controlPane->SettingsPanel(),
                                                  save ? "SaveSetupCommand" : "OpenSetupCommand");
                });
    }
    connect(MakeAction(kIdSaveWorkspace, tr("Save &Workspace")), &QAction::triggered, this,
            [this] { SaveWorkspace(); });
    connect(MakeAction(kIdOpenWorkspace, tr("Open W&orkspace...")), &QAction::triggered, this,
            [this] { OpenWorkspace(); });
    connect(MakeAction(kIdSaveWorkspaceAs, tr("Save Workspace &As...")), &QAction::triggered, this,
            [this] { SaveWorkspaceAs(); });
    connect(MakeAction(kIdCloseWorkspace, tr("C&lose Workspace")), &QAction::triggered, this,
            [this] { CloseWorkspace(); });
    for (int id : {kIdToolBar, kIdStatusBar, kIdControlWindow}) {
        QAction* a = MakeAction(id, id == kIdToolBar ? tr("&Toolbar") : id == kIdStatusBar ? tr("&Status Bar")
                                                                                           : tr("&Control Window"));
        a->setCheckable(true);
        a->setChecked(true);
    }
}

void CMainFrame::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QMenu* newMenu = file->addMenu(style()->standardIcon(QStyle::SP_FileIcon), tr("&New"));
    for (const DocKind& kind : DocKinds()) {
        QAction* a = newMenu->addAction(tr(kind.typeName));
        a->setData(kIdNew);
        connect(a, &QAction::triggered, this, [this, &kind] { NewWindow(kind); });
    }
    file->addAction(Action(kIdOpen));
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { SaveActiveDocument(false); });
    file->addAction(tr("Save &As..."), this, [this] { SaveActiveDocument(true); });
    file->addSeparator();
    for (int id : {kIdOpenWorkspace, kIdSaveWorkspace, kIdSaveWorkspaceAs, kIdCloseWorkspace})
        file->addAction(Action(id));
    file->addSeparator();
    for (int id : {kIdOpenSetupFile, kIdSaveSetupFile})
        file->addAction(Action(id));
    file->addSeparator();
    file->addAction(Action(kIdPrint));
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    for (int id : {kIdToolBar, kIdStatusBar, kIdControlWindow})
        view->addAction(Action(id));

    QMenu* link = menuBar()->addMenu(tr("&Instrument"));
    for (int id : {kIdConnect, kIdDisconnect})
        link->addAction(Action(id));
    link->addAction(tr("&Virtual Panel"), this, [this] { OpenFrontPanel(); });
    link->addSeparator();
    link->addAction(Action(kIdOptions));

    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Cascade"), m_mdi, &QMdiArea::cascadeSubWindows);
    window->addAction(tr("&Tile"), m_mdi, &QMdiArea::tileSubWindows);
    window->addAction(tr("Close &All"), this, [this] { CloseAllWindows(); });

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(Action(kIdHelpTopics));
    help->addAction(Action(kIdAbout));
}

void CMainFrame::BuildToolBar()
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    auto* newButton = new QToolButton(m_toolBar);
    newButton->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    newButton->setToolTip(tr("New window"));
    newButton->setMenu(menuBar()->actions().first()->menu()->actions().first()->menu());
    newButton->setPopupMode(QToolButton::InstantPopup);
    m_toolBar->addWidget(newButton);
    m_toolBar->addAction(Action(kIdOpen));
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(kIdConnect));
    m_toolBar->addAction(Action(kIdDisconnect));
    m_indicator = new QLabel(m_toolBar);
    m_indicator->setFixedWidth(kIndicatorGap);
    m_indicator->setAlignment(Qt::AlignCenter);
    m_toolBar->addWidget(m_indicator)->setData(kIdConnectionIndicator);
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(kIdHelpTopics));
    connect(Action(kIdToolBar), &QAction::toggled, m_toolBar, &QWidget::setVisible);
}

void CMainFrame::BuildStatusBar()
{
    m_messagePane = new QLabel(tr("Ready"), statusBar());
    statusBar()->addWidget(m_messagePane, 1);
    m_progress = new QProgressBar(statusBar());
    m_progress->setMaximumWidth(180);
    m_progress->setTextVisible(false);
    statusBar()->addPermanentWidget(m_progress);
    connect(Action(kIdStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);
}

void CMainFrame::BuildDocks()
{
    m_workBar = new QDockWidget(tr("Work Bar"), this);
    m_workBar->setObjectName(QStringLiteral("WorkBar"));
    m_workBar->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* tabs = new QTabWidget(m_workBar);
    m_controlPane = new CControlPane(ShellPanelContext{m_session.get(), nullptr, this}, tabs);
    tabs->addTab(m_controlPane, tr("Control"));
    m_workBar->setWidget(tabs);
    addDockWidget(Qt::LeftDockWidgetArea, m_workBar);
    connect(m_controlPane, &CControlPane::FrontPanelRequested, this, [this] { OpenFrontPanel(); });
    connect(Action(kIdControlWindow), &QAction::toggled, m_workBar, &QWidget::setVisible);
    connect(m_workBar, &QDockWidget::visibilityChanged, this, [this](bool) {
        if (!m_bBarsHiddenForFullScreen)
            Action(kIdControlWindow)->setChecked(!m_workBar->isHidden());
    });

    m_messageBar = new QDockWidget(tr("Messages"), this);
    m_messageBar->setObjectName(QStringLiteral("MessageBar"));
    m_messages = new QPlainTextEdit(m_messageBar);
    m_messages->setReadOnly(true);
    m_messages->setMaximumBlockCount(1000);
    m_messageBar->setWidget(m_messages);
    addDockWidget(Qt::BottomDockWidgetArea, m_messageBar);
    resizeDocks({m_workBar}, {260}, Qt::Horizontal);
    resizeDocks({m_messageBar}, {90}, Qt::Vertical);
}

void CMainFrame::AppendMessage(const QString& text)
{
    m_messages->appendPlainText(text);
    m_messagePane->setText(text);
}

QString CMainFrame::MessageLog() const
{
    return m_messages->toPlainText();
}

void CMainFrame::UpdateTitle()
{
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    setWindowTitle(active ? QStringLiteral("Quorvex - [%1]").arg(active->windowTitle()) : QStringLiteral("Quorvex"));
}

// ---------------------------------------------------------------------------
// Link
// ---------------------------------------------------------------------------

int CMainFrame::ConnectCommand()
{
    AppendMessage(tr("Connecting to the instrument..."));
    const int ok = m_session->ConnectCommand();
    AppendMessage(ok ? tr("Connected.") : tr("The instrument did not connect."));
    return ok;
}

void CMainFrame::DisconnectCommand()
{
    m_session->DisconnectCommand();
    StopRunningWindowsAfterLinkLoss();
    AppendMessage(tr("Disconnected."));
}

void CMainFrame::ShowConnectionIndicator(bool connected)
{
    m_bIndicatorConnected = connected;
    m_indicator->setPixmap(connected ? ConnectedPixmap() : DisconnectedPixmap());
    m_indicator->setToolTip(connected ? tr("Connected") : tr("Disconnected"));
    if (!connected && g_bRunThreadR.load() == 0)
        StopRunningWindowsAfterLinkLoss();
}

// Windows whose views the session does not know (placeholders) are stopped
// here too, so that every running flag is down once the link is.
void CMainFrame::StopRunningWindowsAfterLinkLoss()
{
    for (CChildFrame* frame : ChildFrames())
        frame->StopIfRunning();
}

// ---------------------------------------------------------------------------
// Options, help, front panel
// ---------------------------------------------------------------------------

void CMainFrame::OptionsCommand()
{
    COptionsDialog dialog(m_settings, this);
    if (dialog.exec() == QDialog::Accepted)
        ApplyOptions(dialog.Chosen());
}

bool CMainFrame::ApplyOptions(const CAppSettings& chosen)
{
    const bool languageChanged = chosen.UiLanguage() != m_settings.UiLanguage();
    m_settings.interval = chosen.interval;
    m_session->SetAcquisitionInterval(chosen.interval);
    m_settings.hardwareCheck = chosen.hardwareCheck;
    m_settings.language = chosen.language;
    if (languageChanged)
        TellUser(this, Text(Msg(szLanguageActive)));
    if (m_settings.Write(m_settingsPath))
        return true;
    TellUser(this, tr("Can not write the settings file %1.").arg(QString::fromStdString(m_settingsPath)));
    return false;
}

int CMainFrame::AcquisitionInterval() const
{
    return m_session->AcquisitionInterval();
}

bool CMainFrame::HelpCommand()
{
    const QString path = QString::fromStdString(ProgramDataFolder()) + QStringLiteral("/help/index.html");
    if (!QFileInfo::exists(path)) {
        TellUser(this, Text(Msg(szFindNoHelp)));
        return false;
    }
    if (!m_help) {
        m_help = new QTextBrowser;
        m_help->setAttribute(Qt::WA_DeleteOnClose);
        m_help->setWindowTitle(tr("Quorvex Help"));
        m_help->setOpenExternalLinks(true);
        m_help->resize(720, 560);
    }
    m_help->setSource(QUrl::fromLocalFile(path));
    m_help->show();
    m_help->raise();
    return true;
}

bool CMainFrame::OpenFrontPanel()
{
    if (g_bVKTable.load() != 1) {
        TellUser(this, Text(Msg(szVKTableErr)));
        return false;
    }
    if (!m_frontPanel && FrontPanelHook())
        m_frontPanel = FrontPanelHook()(ShellPanelContext{m_session.get(), this, this});
    if (!m_frontPanel) {
        TellUser(this, tr("The virtual front panel is not available in this version yet."));
        return false;
    }
    m_frontPanel->show();
    m_frontPanel->raise();
    m_frontPanel->activateWindow();
    return true;
}

// ---------------------------------------------------------------------------
// Data windows
// ---------------------------------------------------------------------------

CChildFrame* CMainFrame::AddChildFrame(const DocKind& kind, const QString& title)
{
    auto* frame = new CChildFrame(kind, CreateChildView(kind, ChildViewContext{m_session.get(), &kind, nullptr, this}),
                                  m_session.get(), nullptr, this);
    frame->setWindowTitle(title);
    frame->setWindowIcon(ProgramIcon());
    m_mdi->addSubWindow(frame);
    connect(frame, &CChildFrame::FullScreenChanged, this, &CMainFrame::SetFullScreenBars);
    frame->show();
    return frame;
}

CChildFrame* CMainFrame::NewWindow(const DocKind& kind)
{
    const QList<CChildFrame*> open = ChildFrames();
    const auto sameKind = std::count_if(open.begin(), open.end(), [&kind](CChildFrame* f) { return &f->Kind() == &kind; });
    if (!AdmitsNewWindow(kind, static_cast<int>(m_session->ViewCount()), static_cast<int>(sameKind))) {
        TellUser(this, LimitMessage(kind));
        return nullptr;
    }
    return AddChildFrame(kind, KindTitle(kind, TakeTitleNumber(kind)));
}

CChildFrame* CMainFrame::OpenDataFile(const QString& path)
{
    const DocKind* kind = KindForPath(path);
    if (!kind)
        return nullptr;
    CChildFrame* frame = AddChildFrame(*kind, QFileInfo(path).fileName());
    if (!frame->View()->IsPlaceholder()) {
        QString error;
        if (!frame->View()->LoadDocument(path, &error)) {
            frame->CloseWithoutAsking();
            TellUser(this, error.isEmpty() ? tr("Can not open %1.").arg(path) : error);
            return nullptr;
        }
    }
    m_mdi->setActiveSubWindow(frame);
    return frame;
}

void CMainFrame::OpenCommand()
{
    const QString path =
        ChooseFile(this, FileDialogKind::Open, OpenDialogFilter(), QString());
    if (!path.isEmpty())
        OpenDataFile(path);
}

bool CMainFrame::SaveActiveDocument(bool saveAs)
{
    auto* frame = qobject_cast<CChildFrame*>(m_mdi->activeSubWindow());
    return frame && frame->View()->SaveCommand(saveAs);
}

QList<CChildFrame*> CMainFrame::ChildFrames() const
{
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* w : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CChildFrame*>(w); frame && !frame->IsClosing())
            frames << frame;
    std::stable_sort(frames.begin(), frames.end(), [](CChildFrame* a, CChildFrame* b) {
        return KindIndexOf(a->Kind()) < KindIndexOf(b->Kind());
    });
    return frames;
}

void CMainFrame::VisitDataWindows(const std::function<void(IChildView&)>& visit)
{
    for (CChildFrame* frame : ChildFrames())
        visit(*frame->View());
}

void CMainFrame::CloseAllWindows()
{
    for (CChildFrame* frame : ChildFrames())
        frame->CloseWithoutAsking();
}

void CMainFrame::SetFullScreenBars(bool fullScreen)
{
    m_bBarsHiddenForFullScreen = fullScreen;
    const bool show = !fullScreen;
    m_toolBar->setVisible(show && Action(kIdToolBar)->isChecked());
    statusBar()->setVisible(show && Action(kIdStatusBar)->isChecked());
    m_workBar->setVisible(show && Action(kIdControlWindow)->isChecked());
    m_messageBar->setVisible(show);
    menuBar()->setVisible(show);
}

// ---------------------------------------------------------------------------
// Workspace
// ---------------------------------------------------------------------------

bool CMainFrame::WriteWorkspace(const QString& path)
{
    std::vector<CWorkspaceFile::Window> windows;
    for (CChildFrame* frame : ChildFrames())
        if (!frame->View()->IsPlaceholder())
            windows.push_back({&frame->Kind(), frame->View()});
    QString error;
    if (!CWorkspaceFile::Save(path, windows, &error)) {
        TellUser(this, tr("Can not write the workspace file %1. %2").arg(path, error));
        return false;
    }
    m_workspaceName = path;
    AppendMessage(tr("Workspace saved: %1").arg(path));
    return true;
}

int CMainFrame::ReadWorkspace(const QString& path)
{
    QString storedName, error;
    const auto make = [this](const DocKind& kind, const QString& title) {
        CChildFrame* frame = AddChildFrame(kind, title);
        if (!frame->View()->IsPlaceholder())
            return frame->View();
        frame->CloseWithoutAsking();
        return static_cast<IChildView*>(nullptr);
    };
    const int restored = CWorkspaceFile::Load(path, &storedName, make, &error);
    if (restored == CWorkspaceFile::kUnreadable) {
        TellUser(this, tr("Can not open the workspace file %1. %2").arg(path, error));
        return -1;
    }
    if (restored < 0) {
        TellUser(this, tr("The workspace file %1 is damaged or holds a window this version cannot open.").arg(path));
        return -1;
    }
    // Later saves go to the file that was opened, wherever the current folder is.
    m_workspaceName = path;
    return restored;
}

bool CMainFrame::SaveWorkspaceWithDialog()
{
    const QString chosen = ChooseFile(this, FileDialogKind::Save, tr(kWorkspaceFilter), kWorkspaceInitialName);
    return !chosen.isEmpty() && WriteWorkspace(CWorkspaceFile::WithExtension(chosen));
}

bool CMainFrame::SaveWorkspace()
{
    return m_workspaceName == kNoWorkspace ? SaveWorkspaceWithDialog() : WriteWorkspace(m_workspaceName);
}

bool CMainFrame::SaveWorkspaceAs()
{
    return SaveWorkspaceWithDialog();
}

bool CMainFrame::OpenWorkspace()
{
    const QString path = ChooseFile(this, FileDialogKind::Open, tr(kWorkspaceFilter), kWorkspaceInitialName);
    return !path.isEmpty() && ReadWorkspace(path) >= 0;
}

bool CMainFrame::CloseWorkspace()
{
    const auto answer =
        AskUser(this, Text(Msg(szSaveWorkSpace)), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes && !SaveWorkspace())
        return false;
    CloseAllWindows();
    m_workspaceName = kNoWorkspace;
    return true;
}

// ---------------------------------------------------------------------------
// Closing the program
// ---------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (g_bPreview.load() != 0) {
        event->ignore();
        return;
    }
    const auto answer = AskUser(this, Text(Msg(szSaveWorkSpace)), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                QMessageBox::No);
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !SaveWorkspace())) {
        event->ignore();
        return;
    }
    if (answer == QMessageBox::Yes)
        m_workspaceName = kNoWorkspace;
    if (g_bRunThreadR.load() != 0 || g_bTransfering.load() != 0)
        DisconnectCommand();
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        ParlexParam.TableClear();
    }
    if (m_help)
        m_help->close();
    if (m_frontPanel)
        m_frontPanel->close();
    CloseAllWindows();
    event->accept();
}
