#pragma once
// An ILinkHost that counts what the receive loop asks of the main frame.
#include <atomic>
#include <cstdint>

#include "link/LinkHost.h"

class CRecordingHost : public ILinkHost {
public:
    void NotifyViews() override { ++notified; }
    void OnDataLengthChanged(int32_t length) override
    {
        ++lengthChanges;
        lastLength = length;
    }
    void ClearCommandQueue() override { ++queueClears; }
    void PostToSettingsPanel() override { ++settingsPosts; }
    void PostToFrontPanel() override { ++screenPosts; }
    void StopAcquisitionTimer() override { ++timerStops; }
    void PostDisconnectCommand(uint32_t) override { ++disconnectPosts; }

    std::atomic<int> notified{0}, lengthChanges{0}, lastLength{-1}, queueClears{0}, settingsPosts{0},
        screenPosts{0}, timerStops{0}, disconnectPosts{0};
};
