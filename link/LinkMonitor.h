#pragma once
// Message 1124 for an optional outside monitor tool. The link reports what it
// does through this hook (wParam 0: status poll queued, 1: acquisition cycle
// started, 2: a frame was written, lParam = its command byte, 3: the send
// thread looked for the monitor, 4: a read completed). Nothing is installed by
// default, so the reports cost one atomic load.
#include <cstdint>

inline constexpr int kMonitorMessage = 1124;

using LinkMonitorHook = void (*)(int32_t wParam, int32_t lParam);

void SetLinkMonitorHook(LinkMonitorHook hook);
void NotifyLinkMonitor(int32_t wParam, int32_t lParam);
