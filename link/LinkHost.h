#pragma once
// What the link threads ask of the program's main frame. CLinkSession
// implements it; tests may implement it to watch the receive loop.
//
// Every call may come from the receive thread while it holds g_csLock, so an
// implementation never waits for the user-interface thread: it posts.
#include <cstdint>

class ILinkHost {
public:
    virtual ~ILinkHost() = default;

    // Posts the update message of each running data view's class.
    virtual void NotifyViews() = 0;
    // Each running data view whose record length differs takes the new one.
    virtual void OnDataLengthChanged(int32_t length) = 0;
    // Empties the command sender's pending list.
    virtual void ClearCommandQueue() = 0;
    // Posts message 1128 to the settings panel (instrument parameters changed).
    virtual void PostToSettingsPanel() = 0;
    // Posts message 1132 to the virtual front panel (a full screen image is in).
    virtual void PostToFrontPanel() = 0;
    // The receive thread lost the link: stop the acquisition timer if it runs.
    virtual void StopAcquisitionTimer() = 0;
    // The receive thread of link number link (CUsbDevice::LinkNumber) lost
    // it: run the Disconnect command, unless a later link is up by then.
    virtual void PostDisconnectCommand(uint32_t link) = 0;
};
