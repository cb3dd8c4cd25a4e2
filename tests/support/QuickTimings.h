#pragma once
// Link time limits short enough for tests that run a window on the simulated
// instrument: polls every few milliseconds, silence noticed after 150 ms.
#include "link/LinkTimings.h"

LinkTimings QuickLinkTimings();
// For the panel tests that also wait for the descriptions: silence noticed
// after 300 ms, seconds for the protocol and key texts.
LinkTimings PanelLinkTimings();
