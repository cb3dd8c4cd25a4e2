#pragma once
// CMainFrame: the program's multiple-document main window. It owns the link
// session (device, command sender, timer 1 status poll and timer 2
// acquisition), the "Work Bar" dock with the "Control" page, the message
// dock, the connection indicator, the data windows and the workspace.
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <string>

#include "app/AppSettings.h"
#include "link/LinkTimings.h"
#include "link/UsbDriver.h"
#include "ui/DocKinds.h"
#include "ui/Shell.h"

class CChildFrame;
class CControlPane;
class CLinkSession;
class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QPlainTextEdit;
class QProgressBar;
class QTextBrowser;
class QToolBar;

// Command ids of the main frame (as in its menus).
inline constexpr int kIdSaveSetupFile = 32801;
inline constexpr int kIdOpenSetupFile = 32804;
inline constexpr int kIdConnect = 32806;
inline constexpr int kIdDisconnect = 32807;
inline constexpr int kIdControlWindow = 32818;
inline constexpr int kIdOptions = 32825;
inline constexpr int kIdConnectionIndicator = 32862;
inline constexpr int kIdHelpTopics = 32865;
inline constexpr int kIdSaveWorkspace = 32866;
inline constexpr int kIdOpenWorkspace = 32867;
inline constexpr int kIdSaveWorkspaceAs = 32868;
inline constexpr int kIdCloseWorkspace = 32869;
inline constexpr int kIdToolBar = 59392;
inline constexpr int kIdStatusBar = 59393;
inline constexpr int kIdAbout = 57664;
inline constexpr int kIdNew = 57600;
inline constexpr int kIdOpen = 57601;
inline constexpr int kIdPrint = 57607;

// The workspace name while no workspace file is attached.
inline const QString kNoWorkspace = QStringLiteral(" ");

class CMainFrame : public QMainWindow, public IShell {
    Q_OBJECT
public:
    // settingsPath: the "Param.ini" that Options writes. timings: the link's
    // time limits (tests shorten them).
    CMainFrame(UsbDriverPtr driver, const CAppSettings& settings, const std::string& settingsPath,
               QWidget* parent = nullptr, const LinkTimings& timings = {});
    ~CMainFrame() override;

    CLinkSession& Session() { return *m_session; }
    QMdiArea* MdiArea() const { return m_mdi; }
    CControlPane* ControlPane() const { return m_controlPane; }
    QAction* Action(int id) const;

    // Link commands.
    int ConnectCommand();
    void DisconnectCommand();
    bool IndicatorShowsConnected() const { return m_bIndicatorConnected; }

    // Options: the dialog, and what its OK does (store, restart timer 2,
    // write the settings file); false when the file could not be written.
    void OptionsCommand();
    bool ApplyOptions(const CAppSettings& chosen);
    const CAppSettings& Settings() const { return m_settings; }
    // Interval of timer 2 in ms.
    int AcquisitionInterval() const;

    // Help topics; false (after szFindNoHelp) when the help is missing.
    bool HelpCommand();
    // Virtual front panel; false when it cannot be shown (the user was told why).
    bool OpenFrontPanel() override;
    QWidget* FrontPanel() const { return m_frontPanel.data(); }

    // Data windows. A new window of a kind beyond its limit is refused (the
    // user is told; null, and no title number is taken).
    CChildFrame* NewWindow(const DocKind& kind);
    // Opens a data file by its extension; null when the ending is not one of
    // the six (nothing opened) or the file cannot be read (the user is told).
    CChildFrame* OpenDataFile(const QString& path);
    void OpenCommand();
    // File > Save and Save As of the active window: the view's own save.
    bool SaveActiveDocument(bool saveAs);
    // Open windows in the order of the registered kinds, each kind's windows
    // in the order they were opened.
    QList<CChildFrame*> ChildFrames() const;
    void CloseAllWindows();
    void VisitDataWindows(const std::function<void(IChildView&)>& visit) override;

    // Workspace commands; each returns false when it was cancelled or failed.
    bool SaveWorkspace() override;
    bool SaveWorkspaceAs() override;
    bool OpenWorkspace();
    bool CloseWorkspace();
    // The file operations behind them.
    bool WriteWorkspace(const QString& path);
    // Number of windows restored, or -1 for a file that cannot be read.
    int ReadWorkspace(const QString& path);
    QString WorkspaceName() const { return m_workspaceName; }

    // A line in the message dock, and everything the dock shows.
    void AppendMessage(const QString& text) override;
    QString MessageLog() const;
    QProgressBar* ProgressBar() const { return m_progress; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildDocks();
    QAction* MakeAction(int id, const QString& text);
    void ShowConnectionIndicator(bool connected);
    void StopRunningWindowsAfterLinkLoss();
    CChildFrame* AddChildFrame(const DocKind& kind, const QString& title);
    bool SaveWorkspaceWithDialog();
    void SetFullScreenBars(bool fullScreen);
    void UpdateTitle();

    CAppSettings m_settings;
    std::string m_settingsPath;
    std::unique_ptr<CLinkSession> m_session;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_indicator = nullptr;
    QLabel* m_messagePane = nullptr;
    QProgressBar* m_progress = nullptr;
    QDockWidget* m_workBar = nullptr;
    QDockWidget* m_messageBar = nullptr;
    QPlainTextEdit* m_messages = nullptr;
    CControlPane* m_controlPane = nullptr;
    QPointer<QWidget> m_frontPanel;
    QPointer<QTextBrowser> m_help;
    QList<QAction*> m_actions;
    QString m_workspaceName = kNoWorkspace;
    bool m_bIndicatorConnected = false;
    bool m_bBarsHiddenForFullScreen = false;
};
