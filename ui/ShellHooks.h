#pragma once
// Places where windows built elsewhere plug into the shell, registered at load
// time from their own .cpp files (quorvex_gui is an object library, so such
// registrations are always linked in):
//
//   static const bool registered = RegisterFrontPanelFactory(MakeFrontPanel);
//
// - the settings panel that fills the "Control" page (until one registers,
//   the page shows a placeholder);
// - the settings panel's own record in workspace files;
// - the virtual front panel, opened from the "Control" page and from the
//   settings panel (through OpenFrontPanel of the main frame);
// - the instrument screen picture for screenshots.
#include <QImage>

#include <functional>

class CArchive;
class CLinkSession;
class IShell;
class QWidget;

struct ShellPanelContext {
    CLinkSession* session = nullptr;   // the link (command sender, receivers of 1128 and 1132)
    QWidget* parent = nullptr;         // parent for the new widget
    IShell* shell = nullptr;           // the main window (message pane, front panel, data windows)
};

// The settings panel widget for the "Control" page. The factory may hand its
// settings object to the session (SetCommandSender) and register itself as
// the receiver of message 1128 (SetSettingsPanel).
using SettingsPanelFactory = std::function<QWidget*(const ShellPanelContext&)>;
// The virtual front panel (a top-level dialog). The shell shows it, keeps
// one at a time, and opens it only while g_bVKTable is 1.
using FrontPanelFactory = std::function<QWidget*(const ShellPanelContext&)>;
// The settings panel's record in workspace files, both directions; non-zero
// on success.
using PanelStateSerializer = std::function<int(CArchive&)>;
// The instrument's screen as last received (null image when none).
using ScreenImageSource = std::function<QImage()>;

// Each returns true (to initialise a static) and replaces an earlier hook.
bool RegisterSettingsPanelFactory(SettingsPanelFactory factory);
bool RegisterFrontPanelFactory(FrontPanelFactory factory);
bool RegisterPanelStateSerializer(PanelStateSerializer serializer);
bool RegisterScreenImageSource(ScreenImageSource source);

const SettingsPanelFactory& SettingsPanelHook();
const FrontPanelFactory& FrontPanelHook();
const ScreenImageSource& ScreenImageHook();

// The settings panel's workspace record through the registered serializer,
// or, without one, the record of the system parameter block: the class
// record "CPartTreeView" (schema 3), the 32-bit length N and N bytes of
// g_pSysParamBuffer (read under g_csLock; loading replaces the block).
int SerializePanelState(CArchive& ar);
