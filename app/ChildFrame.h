#pragma once
// CChildFrame: the MDI child frame of every data window. It holds the
// window's toolbar (Run, Stop, the view's own controls, full screen), its
// status bar with the progress bar, and the view (IChildView), to which it
// is the IChildHost. Commands arrive here and go to the view's own routines;
// the frame does the counting of the running-view rule through the session
// (the first running view starts timer 2, the last one to stop kills it).
#include <QMdiSubWindow>
#include <QPointer>

#include <memory>

#include "ui/ChildHost.h"
#include "ui/ChildView.h"

class CLinkSession;
class IShell;
class QAction;
class QLabel;
class QMainWindow;
class QProgressBar;
class QStatusBar;
class QToolBar;
struct DocKind;

// Command ids of the frame (as in the menus and toolbars of the windows).
inline constexpr int kIdRun = 32300;
inline constexpr int kIdStop = 32301;
inline constexpr int kIdFullScreen = 32829;

class CChildFrame : public QMdiSubWindow, public IChildHost {
    Q_OBJECT
public:
    // session may be null (no open-view list, no timer 2), and so may shell.
    CChildFrame(const DocKind& kind, std::unique_ptr<IChildView> view, CLinkSession* session,
                QWidget* parent = nullptr, IShell* shell = nullptr);
    ~CChildFrame() override;

    const DocKind& Kind() const { return m_kind; }
    IChildView* View() const { return m_view.get(); }
    // The frame a widget lives in, or null.
    static CChildFrame* Of(QWidget* widget);

    // --- IChildHost ---
    QToolBar* ToolBar() override { return m_toolBar; }
    QAction* AddToolBarWidget(QWidget* widget, int commandId) override;
    QStatusBar* StatusBar() override;
    QProgressBar* ProgressBar() override { return m_progress; }
    void SetStatusText(int pane, const QString& text) override;
    QString StatusText(int pane) const override;
    QWidget* FrameWidget() override { return this; }
    IShell* Shell() override { return m_shell; }
    QString Title() const override { return windowTitle(); }
    void SetTitle(const QString& title) override { setWindowTitle(title); }
    void ToggleFullScreen() override;
    bool IsFullScreen() const override { return m_bFullScreen; }
    void CloseWithoutAsking() override;

    // Run and Stop (false when the command is disabled).
    bool Run();
    bool Stop();
    bool CanRun() const;
    bool CanStop() const;
    // Stops a running view whatever the link state (link lost, window closing).
    void StopIfRunning();

    // The tool-bar entry of a command id (also the view's own controls).
    QAction* Action(int id) const;
    // The window has accepted a close and is about to go.
    bool IsClosing() const { return m_bClosing; }
    // Enables and shows the controls from the view's and the link's state
    // (the frame also runs this on a short timer).
    void UpdateCommandStates();

signals:
    void FullScreenChanged(bool on);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddAction(int id, const QString& text, const QIcon& icon);
    void BuildToolBar();
    void BuildStatusBar();
    void LeaveRunningCount();
    void EnterFullScreen();
    void LeaveFullScreen();

    const DocKind& m_kind;
    std::unique_ptr<IChildView> m_view;
    CLinkSession* m_session;
    IShell* m_shell;
    QMainWindow* m_inner;
    QToolBar* m_toolBar = nullptr;
    QProgressBar* m_progress = nullptr;
    QAction* m_viewControlsEnd = nullptr;   // the view's controls go before it
    QList<QLabel*> m_panes;

    bool m_bFullScreen = false;
    bool m_bForceClose = false;
    bool m_bClosing = false;
    QRect m_savedGeometry;
    bool m_bWasMaximized = false;
    Qt::WindowFlags m_savedFlags;
};
