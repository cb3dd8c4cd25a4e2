#pragma once
// CLinkSession: the main frame's side of the link, without widgets. It owns
// the one device object, connects and disconnects (the Connect and
// Disconnect commands, including the configuration exchange), runs the two
// link timers (timer 1: status poll; timer 2: acquisition cycle), and posts
// the receive loop's news to the registered windows.
//
// Windows learn of changes by posted events whose type is the message number
// (QEvent::Type(1126) etc.); nothing here waits for a window. The session
// lives on the user-interface thread (the thread with the event loop); its
// commands, timers and registration calls are made there. The desktop main
// frame owns one session; quorvex-cli and the tests use it directly.
#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/LinkHost.h"
#include "link/LinkTimings.h"
#include "link/LinkView.h"
#include "link/UsbDriver.h"

class CDSOSetup;
class CUsbDevice;

class CLinkSession : public QObject, public ILinkHost {
    Q_OBJECT
public:
    explicit CLinkSession(UsbDriverPtr driver, const LinkTimings& timings = {}, QObject* parent = nullptr);
    ~CLinkSession() override;

    CUsbDevice& Device() { return *m_device; }
    // The command sender: the one handed over with SetCommandSender, else the
    // session's own.
    CDSOSetup& Sender() { return *m_pSender; }
    // The settings panel hands over its settings object (which is the command
    // sender); null returns to the session's own. Only while no link is up.
    void SetCommandSender(CDSOSetup* sender);
    // Replaces the driver backend; only while no link is up.
    void SetDriver(UsbDriverPtr driver);
    const LinkTimings& Timings() const { return m_timings; }

    // Connect command: starts the link, fetches the protocol and key
    // descriptions, builds both tables, allocates g_pSysParamBuffer and
    // starts the status poll. Returns 1 when the link is ready. Keeps the
    // event loop running while it waits (DoEvent).
    int ConnectCommand();
    // Disconnect command: timers stopped, running views stopped, command 0
    // sent, the send thread ended, the driver stopped.
    void DisconnectCommand();
    // Resets the reception state and queues command 16 for name; the caller
    // sets g_ConfignameLen to the name's length first. Returns 1 when queued.
    int RequestConfigFile(const std::string& name);
    // The second fetch, for the key description (sets g_bVKTable).
    void FetchKeyTable();
    // The link is configured and up.
    bool IsLinkReady() const;

    // Receivers of message 1128 (settings panel) and 1132 (virtual front
    // panel); null for none. Set and cleared on the user-interface thread.
    void SetSettingsPanel(QObject* receiver);
    void SetFrontPanel(QObject* receiver);
    // The list of open data views.
    void RegisterView(ILinkView* view);
    void UnregisterView(ILinkView* view);
    size_t ViewCount() const;

    // Running-view rule: a view that starts calls ViewStarted after setting its
    // running flag (the first running view starts timer 2); a view that stops
    // clears its flag and calls ViewStopped (the last one kills timer 2).
    void ViewStarted();
    void ViewStopped();

    // Main-frame routines of the link (ILinkHost), and the waveform request
    // that the settings decode calls in read mode.
    void NotifyViews() override;
    void OnDataLengthChanged(int32_t length) override;
    void ClearCommandQueue() override;
    void RequestWaveforms();

    // Timers. The acquisition interval comes from the settings file.
    void SetAcquisitionInterval(int ms);
    int AcquisitionInterval() const { return m_acquisitionTimer.interval(); }
    bool IsAcquisitionTimerActive() const { return m_acquisitionTimer.isActive(); }
    bool IsStatusPollActive() const { return m_statusTimer.isActive(); }
    void StartStatusPoll();
    void StopStatusPoll();
    // One tick of each timer (the timers call these).
    void OnStatusPollTick();
    void OnAcquisitionTick();

    // Number of times message 1128 was posted since construction (any thread).
    uint64_t SettingsUpdateCount() const { return m_settingsUpdates.load(); }
    // Runs the event loop until done() is true or timeoutMs have passed;
    // returns whether done() became true. For headless callers.
    bool WaitUntil(const std::function<bool()>& done, uint32_t timeoutMs);

signals:
    // The connection indicator: true while the link is up.
    void ConnectionIndicator(bool connected);

protected:
    bool event(QEvent* e) override;

private:
    enum class ConfigOutcome { Received, Damaged, TimedOut, LinkLost };
    ConfigOutcome PollConfigFile(const std::string& name, uint32_t limitMs);
    void BuildProtocolTable();
    void AllocateSysParamBlock();
    void FreeSysParamBlock();
    void StopRunningViews();
    std::vector<ILinkView*> ViewsSnapshot() const;
    bool IsRegistered(ILinkView* view) const;
    void Post(QObject* receiver, int message);
    void KillAcquisitionTimer();

    // ILinkHost, receive-thread side.
    void PostToSettingsPanel() override;
    void PostToFrontPanel() override;
    void StopAcquisitionTimer() override;
    void PostDisconnectCommand(uint32_t link) override;

    LinkTimings m_timings;
    std::unique_ptr<CDSOSetup> m_ownSender;
    CDSOSetup* m_pSender;
    std::unique_ptr<CUsbDevice> m_device;
    QTimer m_statusTimer;
    QTimer m_acquisitionTimer;

    mutable std::mutex m_receiverLock;   // guards the receivers and the view list
    QObject* m_settingsPanel = nullptr;
    QObject* m_frontPanel = nullptr;
    std::vector<ILinkView*> m_views;

    bool m_bConnecting = false;
    bool m_bDisconnecting = false;
    bool m_bDisconnectDone = true;      // no Disconnect command is due for the last link
    std::atomic<uint64_t> m_settingsUpdates{0};
};
