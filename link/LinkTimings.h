#pragma once
// Time limits of the link, in milliseconds. The defaults are the instrument
// link's own; tests shorten them so that a silent instrument need not be
// waited for in real time.
#include <cstdint>

struct LinkTimings {
    uint32_t watchdogSilenceMs = 5000;   // no completed read for this long releases the sender
    uint32_t watchdogPauseMs = 500;      // watchdog pause after it saw a completed read
    uint32_t watchdogPollMs = 5;         // watchdog poll while a read is pending
    uint32_t sendPollMs = 20;            // send thread poll of g_bSend
    uint32_t protocolTimeoutMs = 5000;   // both attempts at the protocol description together
    uint32_t keyTableTimeoutMs = 1000;   // both attempts at the key description together
    uint32_t stopFrameWaitMs = 200;      // Disconnect command: time for the stop frame to go out
    uint32_t readModeWaitShortMs = 1000; // Disconnect command in read mode, records up to 100000 samples
    uint32_t readModeWaitLongMs = 3000;  // Disconnect command in read mode, longer records
    uint32_t statusPollMs = 500;         // timer 1
    uint32_t acquisitionMs = 2000;       // timer 2 (replaced by the settings file's interval)
    uint32_t oldReceiverWaitMs = 2000;   // Connect waits this long for the previous receive thread
};
