#pragma once
// IChildHost: what the child frame of a data window offers the view inside
// it. The view adds its own tool-bar controls and status texts through it;
// the frame knows nothing of the kind beyond its row in the kinds table.
#include <QString>

class IShell;
class QAction;
class QProgressBar;
class QStatusBar;
class QToolBar;
class QWidget;

// Text panes of a data window's status bar, after its progress bar: the
// percentage of an update ("0%" at rest), the run/stop state, the colour mode
// and the display type.
enum StatusPane : int { kPanePercent = 0, kPaneRunState = 1, kPaneColorMode = 2, kPaneDisplayType = 3,
                        kStatusPaneCount = 4 };

class IChildHost {
public:
    virtual ~IChildHost() = default;

    // The window's tool bar: Run, Stop, then the view's own controls, then
    // full screen.
    virtual QToolBar* ToolBar() = 0;
    // Puts one of the view's own tool-bar controls before the full-screen
    // button; the returned entry shows and hides it (commandId: the id the
    // frame finds it by, 0 for none).
    virtual QAction* AddToolBarWidget(QWidget* widget, int commandId) = 0;
    virtual QStatusBar* StatusBar() = 0;
    virtual QProgressBar* ProgressBar() = 0;
    virtual void SetStatusText(int pane, const QString& text) = 0;
    virtual QString StatusText(int pane) const = 0;
    // The frame widget (parent for dialogs, geometry of the workspace record).
    virtual QWidget* FrameWidget() = 0;
    // The main window; null in tests that build a frame alone.
    virtual IShell* Shell() = 0;
    virtual QString Title() const = 0;
    virtual void SetTitle(const QString& title) = 0;
    virtual void ToggleFullScreen() = 0;
    virtual bool IsFullScreen() const = 0;
    // Closes the window without the close question.
    virtual void CloseWithoutAsking() = 0;
};
