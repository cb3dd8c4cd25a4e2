#pragma once
// How the rest of the program reaches the virtual front panel and the
// instrument's screen. The panel also registers itself with the shell's
// front-panel and screen-picture hooks (app/ShellHooks.h) at load time.
#include <QImage>

class CDSOSetup;
class CLinkSession;
class QWidget;

// The panel needs the key table: true while g_bVKTable is 1; otherwise the
// user is told szVKTableErr and the result is false.
bool CanOpenVirtualPanel(QWidget* parent);

// A new virtual front panel (a top-level dialog, not yet shown) sending
// through sender and, when session is given, receiving its screen images
// from it. Null, after CanOpenVirtualPanel told the user why, while the key
// table is missing.
QWidget* CreateVirtualPanel(CDSOSetup* sender, CLinkSession* session, QWidget* parent);

// The main frame's Print command: prints the instrument's screen as the
// open panel shows it, or as last received when no panel is open. Non-zero
// when printed.
int PrintInstrumentScreen(QWidget* parent);

// The instrument's screen: the open panel's picture, else ADBufferUI
// converted through the screen palette (read under g_csLock).
QImage CurrentInstrumentScreen();
