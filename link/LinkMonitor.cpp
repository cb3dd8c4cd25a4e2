#include "link/LinkMonitor.h"

#include <atomic>

namespace {
std::atomic<LinkMonitorHook> s_hook{nullptr};
}

void SetLinkMonitorHook(LinkMonitorHook hook)
{
    s_hook.store(hook);
}

void NotifyLinkMonitor(int32_t wParam, int32_t lParam)
{
    if (LinkMonitorHook hook = s_hook.load())
        hook(wParam, lParam);
}
