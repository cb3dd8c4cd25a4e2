#include "support/QuickTimings.h"

LinkTimings QuickLinkTimings()
{
    LinkTimings t;
    t.watchdogSilenceMs = 150;
    t.watchdogPauseMs = 20;
    t.sendPollMs = 2;
    t.statusPollMs = 50;
    t.acquisitionMs = 100;
    t.stopFrameWaitMs = 10;
    t.readModeWaitShortMs = 10;
    t.readModeWaitLongMs = 10;
    return t;
}

LinkTimings PanelLinkTimings()
{
    LinkTimings t;
    t.watchdogSilenceMs = 300;
    t.protocolTimeoutMs = 3000;
    t.keyTableTimeoutMs = 2000;
    t.stopFrameWaitMs = 20;
    t.readModeWaitShortMs = 20;
    t.readModeWaitLongMs = 20;
    return t;
}
