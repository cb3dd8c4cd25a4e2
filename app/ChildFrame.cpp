#include "app/ChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <mutex>

#include "ui/DocKinds.h"
#include "app/ShellMessages.h"
#include "ui/UserPrompts.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "link/LinkSession.h"

namespace {
constexpr int kStateRefreshMs = 200;
constexpr int kFrameWidth = 560;
constexpr int kFrameHeight = 460;

bool LinkUp()
{
    return g_bRunThreadR.load() != 0;
}

std::string InstrumentState()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    return g_wfmParam.strState;
}
}  // namespace

CChildFrame::CChildFrame(const DocKind& kind, std::unique_ptr<IChildView> view, CLinkSession* session,
                         QWidget* parent, IShell* shell)
    : QMdiSubWindow(parent), m_kind(kind), m_view(std::move(view)), m_session(session), m_shell(shell),
      m_inner(new QMainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_inner->setWindowFlags(Qt::Widget);
    m_inner->setCentralWidget(m_view->Widget());
    setWidget(m_inner);
    BuildToolBar();
    BuildStatusBar();
    resize(kFrameWidth, kFrameHeight);
    m_view->AttachHost(this);
    if (m_session && m_view->LinkView())
        m_session->RegisterView(m_view->LinkView());

    auto* leave = new QAction(this);
    leave->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_F11)});
    leave->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(leave, &QAction::triggered, this, [this] {
        if (m_bFullScreen)
            ToggleFullScreen();
    });
    addAction(leave);

    auto* refresh = new QTimer(this);
    connect(refresh, &QTimer::timeout, this, &CChildFrame::UpdateCommandStates);
    refresh->start(kStateRefreshMs);
    UpdateCommandStates();
}

// The view leaves the open-view list before it goes, and goes before the
// widgets that Qt deletes after this body.
CChildFrame::~CChildFrame()
{
    if (m_session && m_view->LinkView())
        m_session->UnregisterView(m_view->LinkView());
    m_view.reset();
}

CChildFrame* CChildFrame::Of(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    return nullptr;
}

QStatusBar* CChildFrame::StatusBar()
{
    return m_inner->statusBar();
}

QAction* CChildFrame::AddToolBarWidget(QWidget* widget, int commandId)
{
    QAction* action = m_toolBar->insertWidget(m_viewControlsEnd, widget);
    action->setData(commandId);
    return action;
}

void CChildFrame::SetStatusText(int pane, const QString& text)
{
    if (pane >= 0 && pane < m_panes.size())
        m_panes[pane]->setText(text);
}

QString CChildFrame::StatusText(int pane) const
{
    return pane >= 0 && pane < m_panes.size() ? m_panes[pane]->text() : QString();
}

QAction* CChildFrame::AddAction(int id, const QString& text, const QIcon& icon)
{
    QAction* action = m_toolBar->addAction(icon, text);
    action->setData(id);
    return action;
}

QAction* CChildFrame::Action(int id) const
{
    for (QAction* a : m_toolBar->actions()) {
        if (a->data().toInt() == id)
            return a;
        if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(a));
            button && button->defaultAction() && button->defaultAction()->data().toInt() == id)
            return button->defaultAction();
    }
    return nullptr;
}

void CChildFrame::BuildToolBar()
{
    m_toolBar = m_inner->addToolBar(QString::fromLatin1(m_kind.typeName));
    m_toolBar->setMovable(false);
    QStyle* s = style();
    connect(AddAction(kIdRun, tr("Run"), s->standardIcon(QStyle::SP_MediaPlay)), &QAction::triggered, this,
            [this] { Run(); });
    connect(AddAction(kIdStop, tr("Stop"), s->standardIcon(QStyle::SP_MediaStop)), &QAction::triggered, this,
            [this] { Stop(); });
    m_toolBar->addSeparator();
    m_viewControlsEnd = m_toolBar->addSeparator();
    QAction* full = AddAction(kIdFullScreen, tr("Full Screen(&F)"), s->standardIcon(QStyle::SP_TitleBarMaxButton));
    full->setCheckable(true);
    connect(full, &QAction::triggered, this, [this] { ToggleFullScreen(); });
}

void CChildFrame::BuildStatusBar()
{
    QStatusBar* bar = m_inner->statusBar();
    m_progress = new QProgressBar(bar);
    m_progress->setMaximumWidth(150);
    m_progress->setTextVisible(false);
    bar->addWidget(m_progress, 1);
    for (const QString& pane : {tr("Read count"), tr("Run/stop state"), tr("Colour mode"), tr("Display type")}) {
        // A pane shows its value; its name is the tooltip.
        m_panes << new QLabel(bar);
        m_panes.back()->setToolTip(pane);
        bar->addPermanentWidget(m_panes.back());
    }
}

// ---------------------------------------------------------------------------
// Run and Stop
// ---------------------------------------------------------------------------

bool CChildFrame::CanRun() const
{
    return !m_view->IsRunning() && LinkUp();
}

bool CChildFrame::CanStop() const
{
    return m_view->IsRunning() && LinkUp();
}

bool CChildFrame::Run()
{
    if (!CanRun())
        return false;
    if (InstrumentState() == "STOP")
        TellUser(this, QString::fromUtf8(Msg(szRunOscillograph)));
    m_view->StartRun();
    if (m_session)
        m_session->ViewStarted();
    m_view->Widget()->update();
    UpdateCommandStates();
    return true;
}

bool CChildFrame::Stop()
{
    if (!CanStop())
        return false;
    m_view->StopRun();
    LeaveRunningCount();
    m_view->Widget()->update();
    UpdateCommandStates();
    return true;
}

// A running window that closes leaves the count of running views, so that
// timer 2 does not run on for a window that is gone.
void CChildFrame::StopIfRunning()
{
    if (!m_view->IsRunning())
        return;
    m_view->StopRun();
    LeaveRunningCount();
}

// A Disconnect command has already set the count to 0 for every window it
// stopped; a window stopped after that must not take the count below 0, or
// the next Run would not start timer 2.
void CChildFrame::LeaveRunningCount()
{
    if (m_session && g_updateNum.load() > 0)
        m_session->ViewStopped();
    else
        g_ReadWfm.store(0);
}

// ---------------------------------------------------------------------------
// Command states
// ---------------------------------------------------------------------------

void CChildFrame::UpdateCommandStates()
{
    Action(kIdRun)->setEnabled(CanRun());
    Action(kIdStop)->setEnabled(CanStop());
    Action(kIdFullScreen)->setChecked(m_bFullScreen);
    m_view->UpdateCommandStates();
}

// ---------------------------------------------------------------------------
// Full screen and close
// ---------------------------------------------------------------------------

void CChildFrame::ToggleFullScreen()
{
    if (m_bFullScreen)
        LeaveFullScreen();
    else
        EnterFullScreen();
    m_view->SetFullScreen(m_bFullScreen);
    UpdateCommandStates();
    emit FullScreenChanged(m_bFullScreen);
}

void CChildFrame::EnterFullScreen()
{
    m_bWasMaximized = isMaximized();
    m_savedGeometry = geometry();
    m_savedFlags = windowFlags();
    setWindowFlags(m_savedFlags | Qt::FramelessWindowHint);
    QSize area = mdiArea() ? mdiArea()->viewport()->size() : screen()->size();
    setGeometry(-2, -2, area.width() + 4, area.height() + 4);
    m_toolBar->hide();
    m_inner->statusBar()->hide();
    show();
    raise();
    m_bFullScreen = true;
}

void CChildFrame::LeaveFullScreen()
{
    setWindowFlags(m_savedFlags);
    if (m_bWasMaximized)
        showMaximized();
    else {
        setGeometry(m_savedGeometry);
        showNormal();
    }
    m_toolBar->show();
    m_inner->statusBar()->show();
    m_bFullScreen = false;
}

void CChildFrame::CloseWithoutAsking()
{
    m_bForceClose = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!m_bForceClose) {
        g_ReadWfm.store(0);
        const auto answer = AskUser(this, QString::fromUtf8(Msg(szCloseWindow)), QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::Yes);
        if (answer != QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    StopIfRunning();
    m_bClosing = true;
    QMdiSubWindow::closeEvent(event);
}
