#pragma once
// IChildView: what a data window's view offers the child frame and the main
// frame. The frame knows no documents and no kinds; it calls these routines
// of the view in its window. Data windows derive from CDataView
// (ui/DataView.h), which implements the routines every kind shares.
//
// A view is created by the factory its kind registered (ui/DocKinds.h) and
// owned by its CChildFrame; the frame destroys it with the window.
#include <QString>

class CArchive;
class IChildHost;
class ILinkView;
class QWidget;

class IChildView {
public:
    virtual ~IChildView() = default;

    // The widget shown in the frame's client area (owned by the view object
    // or parented to the frame; the frame reparents it).
    virtual QWidget* Widget() = 0;
    // The view as the link sees it; when non-null the frame enters it into
    // the session's open-view list for the window's lifetime.
    virtual ILinkView* LinkView() { return nullptr; }
    // Kinds whose window is not built yet open a placeholder; placeholders
    // have no file or workspace state.
    virtual bool IsPlaceholder() const { return false; }
    // Called once when the frame is built: the host stays valid for the
    // view's lifetime. The view adds its own tool-bar controls here.
    virtual void AttachHost(IChildHost* host) {}

    // The kind's data file. Non-zero on success; on failure *error (when
    // given) holds the message for the user and the view is unchanged.
    virtual int LoadDocument(const QString& path, QString* error) = 0;
    virtual int SaveDocument(const QString& path, QString* error) = 0;
    // File > Save (saveAs false) and Save As with the kind's rules: ask for a
    // name when needed, write, tell the user when it failed. True when written.
    virtual bool SaveCommand(bool saveAs) = 0;
    // The window's own record in a workspace file, both directions
    // (ar.IsStoring()). Non-zero on success; a loading archive that fails
    // leaves the view in a usable state.
    virtual int SerializeState(CArchive& ar) = 0;

    // Running flag of the running-view rule. StartRun and StopRun set and
    // clear it and do the view's own start and stop work; the frame does the
    // counting (timer 2) around them.
    virtual bool IsRunning() const = 0;
    virtual void StartRun() = 0;
    virtual void StopRun() = 0;
    // The frame refreshes its commands (after Run and Stop and on a short
    // timer): the view enables and shows its own tool-bar controls.
    virtual void UpdateCommandStates() {}

    // The window went to or came back from full screen.
    virtual void SetFullScreen(bool on) {}
};
