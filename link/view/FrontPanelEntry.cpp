#include "link/view/FrontPanelEntry.h"

#include <mutex>

#include "ui/ShellHooks.h"
#include "ui/UserPrompts.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "link/LinkSession.h"
#include "link/view/LCDCtrl.h"
#include "link/view/VirtualPanel.h"

namespace {
QWidget* PanelForShell(const ShellPanelContext& context)
{
    CDSOSetup* sender = context.session ? &context.session->Sender() : nullptr;
    return CreateVirtualPanel(sender, context.session, context.parent);
}

const bool kRegistered = RegisterFrontPanelFactory(PanelForShell) && RegisterScreenImageSource(CurrentInstrumentScreen);
}  // namespace

bool CanOpenVirtualPanel(QWidget* parent)
{
    if (g_bVKTable.load() == 1)
        return true;
    TellUser(parent, QString::fromUtf8(Msg(szVKTableErr)));
    return false;
}

QWidget* CreateVirtualPanel(CDSOSetup* sender, CLinkSession* session, QWidget* parent)
{
    if (!CanOpenVirtualPanel(parent))
        return nullptr;
    return new CVirtualPanel(sender, session, parent);
}

int PrintInstrumentScreen(QWidget* parent)
{
    if (CVirtualPanel* panel = CVirtualPanel::Current())
        return panel->LCD()->Print();
    CLCDCtrl mirror(parent);
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        mirror.StoreScreen(ADBufferUI);
    }
    return mirror.Print();
}

QImage CurrentInstrumentScreen()
{
    if (CVirtualPanel* panel = CVirtualPanel::Current())
        return panel->LCD()->Picture();
    CLCDCtrl mirror;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        mirror.StoreScreen(ADBufferUI);
    }
    return mirror.Picture();
}
