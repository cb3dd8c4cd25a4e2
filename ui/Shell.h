#pragma once
// IShell: what the main window offers the windows and panels inside it. The
// main frame implements it and hands it to every view and panel it creates
// (ChildViewContext, ShellPanelContext), so that nothing below the shell
// includes the main frame's class.
#include <functional>

class IChildView;
class QString;

class IShell {
public:
    virtual ~IShell() = default;

    // A line in the message pane.
    virtual void AppendMessage(const QString& text) = 0;
    // The virtual front panel; false when it cannot be shown (the user was told why).
    virtual bool OpenFrontPanel() = 0;
    // The workspace commands of the data windows' menus; false when cancelled or failed.
    virtual bool SaveWorkspace() = 0;
    virtual bool SaveWorkspaceAs() = 0;
    // Calls visit for every open data window, in the order of the kinds table.
    virtual void VisitDataWindows(const std::function<void(IChildView&)>& visit) = 0;
};
