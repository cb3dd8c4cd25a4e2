#pragma once
// CChildFrame: the MDI child frame of every data window. It holds the
// window's toolbar (Run, Stop, the kind's selectors, full screen), its status
// bar with the progress bar, and the view (IChildView). Commands arrive here
// and go to the view's own routines; the frame does the counting of the
// running-view rule through the session (the first running view starts
// timer 2, the last one to stop kills it).
#include <QMdiSubWindow>
#include <QPointer>

#include <memory>

#include "app/ChildView.h"
#include "app/PageControl.h"
#include "app/ScaleSelectors.h"

class CLinkSession;
class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QProgressBar;
class QStatusBar;
class QToolBar;
struct DocKind;

// Command ids of the frame (as in the menus and toolbars of the windows).
inline constexpr int kIdRun = 32300;
inline constexpr int kIdStop = 32301;
inline constexpr int kIdZoomSelector = 32302;
inline constexpr int kIdVerticalSelector = 32306;
inline constexpr int kIdHorizontalSelector = 32307;
inline constexpr int kIdSourceCH1 = 32821;
inline constexpr int kIdSourceCH2 = 32822;
inline constexpr int kIdSourceFFT = 32863;
inline constexpr int kIdFullScreen = 32829;
inline constexpr int kIdPreviousPage = 59147;
inline constexpr int kIdNextPage = 59148;
inline constexpr int kIdGoToPage = 59149;

// Source modes of the measurement and data-table windows.
enum SourceMode : int { kSourceCH1 = 0, kSourceCH2 = 1, kSourceFFT = 2 };

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // session may be null (no open-view list, no timer 2).
    CChildFrame(const DocKind& kind, std::unique_ptr<IChildView> view, CLinkSession* session,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

    const DocKind& Kind() const { return m_kind; }
    IChildView* View() const { return m_view.get(); }
    // The frame a view's widget lives in, or null.
    static CChildFrame* Of(QWidget* viewWidget);
    // The file the window was opened from or last saved to (empty if none).
    QString DocumentPath() const { return m_documentPath; }
    void SetDocumentPath(const QString& path) { m_documentPath = path; }
    QToolBar* ToolBar() const { return m_toolBar; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QStatusBar* StatusBar() const;

    // Run and Stop (false when the command is disabled).
    bool Run();
    bool Stop();
    bool CanRun() const;
    bool CanStop() const;
    // Stops a running view whatever the link state (link lost, window closing).
    void StopIfRunning();

    // Waveform sheet selectors.
    void SelectZoomEntry(int index);
    // Enter in the zoom box; false when the typed text is refused.
    bool EnterZoomText(const QString& typed);
    QComboBox* ZoomBox() const { return m_zoomBox; }
    void SelectHorizontalScale(int index);
    void SelectVerticalScale(int index);
    // What the view tells the frame about its selected waveform.
    void SetScaleDomain(ScaleDomain domain) { m_domain = domain; }
    void SetProbeFactor(int probe) { m_probe = probe; }
    void SetCustomVerticalScale(double scale) { m_customVerticalScale = scale; }
    bool ScaleSelectorsVisible() const;

    // Measurement and data table: the source (false when nothing changed).
    bool SelectSource(int mode);
    int SourceMode() const { return m_sourceMode; }
    bool SourceButtonsEnabled() const;

    // Data table paging.
    void PreviousPage();
    void NextPage();
    void GoToPage(const QString& typed);
    const CPageControl& Pages() const { return m_pages; }
    QAction* Action(int id) const;

    void ToggleFullScreen();
    bool IsFullScreen() const { return m_bFullScreen; }

    // Closes without the question (workspace and program close).
    void CloseWithoutAsking();
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
    void BuildSheetSelectors();
    void BuildSourceButtons(bool withFft);
    void BuildPageControls();
    void BuildStatusBar();
    void RefreshPageCount();
    void ShowCurrentPage();
    int RowsPerPage() const;
    void LeaveRunningCount();
    void EnterFullScreen();
    void LeaveFullScreen();

    const DocKind& m_kind;
    std::unique_ptr<IChildView> m_view;
    CLinkSession* m_session;
    QMainWindow* m_inner;
    QToolBar* m_toolBar = nullptr;
    QProgressBar* m_progress = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QComboBox* m_verticalBox = nullptr;
    QComboBox* m_horizontalBox = nullptr;
    QButtonGroup* m_sources = nullptr;
    QLineEdit* m_pageBox = nullptr;
    QLabel* m_pageCountLabel = nullptr;
    QAction* m_verticalAction = nullptr;
    QAction* m_horizontalAction = nullptr;
    QString m_documentPath;

    ScaleDomain m_domain = ScaleDomain::TimeVoltage;
    int m_probe = 1;
    double m_customVerticalScale = 5000.0;
    int m_sourceMode = kSourceCH1;
    CPageControl m_pages;

    bool m_bFullScreen = false;
    bool m_bForceClose = false;
    bool m_bClosing = false;
    QRect m_savedGeometry;
    bool m_bWasMaximized = false;
    Qt::WindowFlags m_savedFlags;
};
