#include "link/LinkSession.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "corvane/UiHelpers.h"
#include "link/DSOSetup.h"
#include "link/LinkMessages.h"
#include "link/LinkMonitor.h"
#include "link/UsbDevice.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"

namespace {
uint32_t TickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMs(uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// One pass of a waiting loop: keep the event loop running, then give the
// core away for a millisecond so the wait does not spin.
void WaitPass()
{
    DoEvent();
    SleepMs(1);
}

// A wait on the user-interface thread that keeps the event loop running, so
// that the windows go on answering while the link winds down.
void WaitPassesFor(uint32_t ms)
{
    const uint32_t start = TickCount();
    while (TickCount() - start < ms)
        WaitPass();
}

// Update message of a view class, and whether it is held back while printing.
int UpdateMessage(LinkViewClass c)
{
    return static_cast<int>(c);
}

bool PausedWhilePrinting(LinkViewClass c)
{
    return c != LinkViewClass::Arithmetic && c != LinkViewClass::BusAnalysis;
}

bool ActiveView(const ILinkView* v)
{
    return v->Receiver() != nullptr && v->IsRunning() &&
           !(PausedWhilePrinting(v->ViewClass()) && g_bPrintProcess.load() != 0);
}

}  // namespace

CLinkSession::CLinkSession(UsbDriverPtr driver, const LinkTimings& timings, QObject* parent)
    : QObject(parent),
      m_timings(timings),
      m_ownSender(std::make_unique<CDSOSetup>(timings)),
      m_pSender(m_ownSender.get()),
      m_device(std::make_unique<CUsbDevice>(std::move(driver), this, timings))
{
    m_pSender->SetDevice(m_device.get());
    m_statusTimer.setInterval(static_cast<int>(m_timings.statusPollMs));
    m_acquisitionTimer.setInterval(static_cast<int>(m_timings.acquisitionMs));
    connect(&m_statusTimer, &QTimer::timeout, this, &CLinkSession::OnStatusPollTick);
    connect(&m_acquisitionTimer, &QTimer::timeout, this, &CLinkSession::OnAcquisitionTick);
}

// The link goes down before anything it calls back into is destroyed.
CLinkSession::~CLinkSession()
{
    m_pSender->StopSendThread();
    m_pSender->SetDevice(nullptr);
    m_device.reset();
    m_ownSender.reset();
}

void CLinkSession::SetCommandSender(CDSOSetup* sender)
{
    if (m_pSender != m_ownSender.get())
        m_pSender->SetDevice(nullptr);
    m_pSender = sender ? sender : m_ownSender.get();
    m_pSender->SetDevice(m_device.get());
}

void CLinkSession::SetDriver(UsbDriverPtr driver)
{
    if (g_bRunThreadR.load() == 0)
        m_device->SetDriver(std::move(driver));
}

bool CLinkSession::IsLinkReady() const
{
    return g_bRunThreadR.load() == 1 && m_statusTimer.isActive();
}

// ---------------------------------------------------------------------------
// Connect and Disconnect commands
// ---------------------------------------------------------------------------

int CLinkSession::ConnectCommand()
{
    if (g_bRunThreadR.load() == 1 || m_bConnecting || m_bDisconnecting)
        return 0;
    m_bConnecting = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_bConnecting};

    FreeSysParamBlock();
    // A link lost through a failed write left its frames and a held sender.
    m_pSender->BeginLink();
    m_pSender->SetDevice(m_device.get());
    m_device->Connect();
    if (g_bRunThreadR.load() == 0)
        return 0;
    m_bDisconnectDone = false;
    emit ConnectionIndicator(true);

    g_ConfignameLen.store(static_cast<int32_t>(g_ConfigName.size()));
    RequestConfigFile(g_ConfigName);
    switch (PollConfigFile(g_ConfigName, m_timings.protocolTimeoutMs)) {
    case ConfigOutcome::TimedOut:
        ShowUserMessage(Msg(szConfigOverTime));
        DisconnectCommand();
        return 0;
    case ConfigOutcome::Damaged:
        m_device->Disconnect();
        emit ConnectionIndicator(false);
        ShowUserMessage(Msg(szRecConfigError));
        return 0;
    case ConfigOutcome::LinkLost:
        return 0;
    case ConfigOutcome::Received:
        break;
    }
    BuildProtocolTable();
    FetchKeyTable();
    if (g_bRunThreadR.load() == 0)
        return 0;
    AllocateSysParamBlock();
    g_WaveTransOver.store(1);
    StartStatusPoll();
    return 1;
}

int CLinkSession::RequestConfigFile(const std::string& name)
{
    const int32_t length = g_ConfignameLen.load();
    if (length < 0 || static_cast<size_t>(length) > name.size())
        return 0;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_OverRecConfig.store(0);
        g_RecConfigRight.store(0);
        g_ConfigCheck.store(0);
        std::memset(ADBufferConfig, 0, sizeof ADBufferConfig);
    }
    CommandArgs a = PlainCommand(kCmdConfigFile);
    a.nPos = 0;
    a.pData = reinterpret_cast<const uint8_t*>(name.data());
    return m_pSender->SendCommand(a);
}

// Polls for the end of a description under g_csLock, one pass per
// millisecond. A damaged description is asked for once more; both attempts
// share the time limit. The poll also ends when the link goes down beneath
// it (the receive thread has then told the user).
CLinkSession::ConfigOutcome CLinkSession::PollConfigFile(const std::string& name, uint32_t limitMs)
{
    int attempts = 1;
    const uint32_t start = TickCount();
    for (;;) {
        {
            std::lock_guard<std::recursive_mutex> lock(g_csLock);
            if (TickCount() - start > limitMs)
                return ConfigOutcome::TimedOut;
            if (g_OverRecConfig.load() == 1) {
                if (g_RecConfigRight.load() == 1)
                    return ConfigOutcome::Received;
                if (attempts == 2)
                    return ConfigOutcome::Damaged;
                RequestConfigFile(name);
                ++attempts;
            }
        }
        if (g_bRunThreadR.load() == 0)
            return ConfigOutcome::LinkLost;
        WaitPass();
    }
}

void CLinkSession::BuildProtocolTable()
{
    int ok;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        ParlexParam.TableClear();
        ok = ParlexParam.Trans_Init(ADBufferConfig);
    }
    if (!ok)
        ShowUserMessage(Msg(szConfigTableError));
}

void CLinkSession::FetchKeyTable()
{
    g_ConfignameLen.store(static_cast<int32_t>(g_VKConfigName.size()));
    RequestConfigFile(g_VKConfigName);
    if (PollConfigFile(g_VKConfigName, m_timings.keyTableTimeoutMs) != ConfigOutcome::Received) {
        g_bSend.store(1);
        g_bVKTable.store(0);
        return;
    }
    g_bVKTable.store(1);
    int ok;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_VKTable.TableClear();
        ok = g_VKTable.VKTrans_Init(ADBufferConfig);
    }
    if (!ok)
        ShowUserMessage(Msg(szConfigTableError));
}

// The program's copy of the system parameter block, of the size the protocol
// table reports (allocated with new[], zero-filled).
void CLinkSession::AllocateSysParamBlock()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    delete[] g_pSysParamBuffer;
    const int length = ParlexParam.GetSysBufLen();
    g_SysParamLen = length > 0 ? length : 0;
    g_pSysParamBuffer = g_SysParamLen > 0 ? new unsigned char[g_SysParamLen]() : nullptr;
}

void CLinkSession::FreeSysParamBlock()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    delete[] g_pSysParamBuffer;
    g_pSysParamBuffer = nullptr;
}

void CLinkSession::DisconnectCommand()
{
    if (m_bDisconnecting)
        return;
    m_bDisconnecting = true;
    KillAcquisitionTimer();
    StopStatusPoll();
    g_updateNum.store(0);
    if (g_ReadWfm.load() == 1) {
        int32_t length;
        {
            std::lock_guard<std::recursive_mutex> lock(g_csLock);
            length = waveDataLen;
        }
        WaitPassesFor(length <= 100000 ? m_timings.readModeWaitShortMs : m_timings.readModeWaitLongMs);
    }
    m_pSender->ClearCommands();
    m_pSender->SendCommand(PlainCommand(kCmdStop));
    g_bSend.store(1);
    WaitPassesFor(m_timings.stopFrameWaitMs);
    g_ReadWfm.store(0);
    g_WaveTransOver.store(1);
    StopRunningViews();
    g_updateNum.store(0);
    m_pSender->StopSendThread();
    m_device->Disconnect();
    emit ConnectionIndicator(false);
    g_bSend.store(1);
    m_pSender->ClearCommands();
    m_bDisconnectDone = true;
    m_bDisconnecting = false;
}

void CLinkSession::StopRunningViews()
{
    for (ILinkView* view : ViewsSnapshot())
        if (IsRegistered(view) && view->Receiver() != nullptr)
            view->StopAcquisition();
}

// ---------------------------------------------------------------------------
// Receivers and views
// ---------------------------------------------------------------------------

void CLinkSession::SetSettingsPanel(QObject* receiver)
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    m_settingsPanel = receiver;
}

void CLinkSession::SetFrontPanel(QObject* receiver)
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    m_frontPanel = receiver;
}

void CLinkSession::RegisterView(ILinkView* view)
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CLinkSession::UnregisterView(ILinkView* view)
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

size_t CLinkSession::ViewCount() const
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    return m_views.size();
}

std::vector<ILinkView*> CLinkSession::ViewsSnapshot() const
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    return m_views;
}

bool CLinkSession::IsRegistered(ILinkView* view) const
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    return std::find(m_views.begin(), m_views.end(), view) != m_views.end();
}

void CLinkSession::ViewStarted()
{
    if (g_updateNum.fetch_add(1) + 1 == 1)
        m_acquisitionTimer.start();
}

void CLinkSession::ViewStopped()
{
    g_ReadWfm.store(0);
    if (g_updateNum.fetch_sub(1) - 1 < 1)
        KillAcquisitionTimer();
}

// Called with m_receiverLock held, so a receiver cannot go away meanwhile.
void CLinkSession::Post(QObject* receiver, int message)
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new QEvent(static_cast<QEvent::Type>(message)));
}

void CLinkSession::NotifyViews()
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    for (ILinkView* view : m_views)
        if (ActiveView(view))
            Post(view->Receiver(), UpdateMessage(view->ViewClass()));
}

void CLinkSession::OnDataLengthChanged(int32_t length)
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    for (ILinkView* view : m_views)
        if (ActiveView(view) && view->RecordLength() != length)
            view->ChangeRecordLength(length);
}

void CLinkSession::ClearCommandQueue()
{
    m_pSender->ClearCommands();
}

// Queues the read-mode command and a waveform request for each channel that
// is on; as each goes to the head of the list, the frames leave as CH2, CH1,
// then the read-mode command.
void CLinkSession::RequestWaveforms()
{
    m_pSender->SendCommand(ReadModeCommand(0));
    const bool ch1 = m_pSender->IsChannelOn(0) != 0;
    const bool ch2 = m_pSender->IsChannelOn(1) != 0;
    if (ch1)
        m_pSender->SendCommand(WaveformCommand(0));
    if (ch2)
        m_pSender->SendCommand(WaveformCommand(1));
    if (ch1 || ch2 || m_pSender->IsThirdTraceOn() != 0)
        return;
    for (ILinkView* view : ViewsSnapshot())
        if (IsRegistered(view) && view->ViewClass() == LinkViewClass::WaveformSheet)
            view->ClearTraces();
}

void CLinkSession::PostToSettingsPanel()
{
    m_settingsUpdates.fetch_add(1);
    std::lock_guard<std::mutex> lock(m_receiverLock);
    Post(m_settingsPanel, kMsgSettingsChanged);
}

void CLinkSession::PostToFrontPanel()
{
    std::lock_guard<std::mutex> lock(m_receiverLock);
    Post(m_frontPanel, kMsgScreenReady);
}

// ---------------------------------------------------------------------------
// Timers
// ---------------------------------------------------------------------------

void CLinkSession::SetAcquisitionInterval(int ms)
{
    if (ms > 0)
        m_acquisitionTimer.setInterval(ms);
}

void CLinkSession::StartStatusPoll()
{
    m_statusTimer.start();
}

void CLinkSession::StopStatusPoll()
{
    m_statusTimer.stop();
}

void CLinkSession::KillAcquisitionTimer()
{
    m_acquisitionTimer.stop();
}

void CLinkSession::OnStatusPollTick()
{
    if (g_bTransfering.load() == 1 && g_bRunThreadR.load() == 1) {
        emit ConnectionIndicator(true);
        if (g_bFileProcess.load() == 0) {
            m_pSender->SendCommand(PlainCommand(kCmdStatus));
            NotifyLinkMonitor(0, 0);
        }
        return;
    }
    emit ConnectionIndicator(false);
    StopStatusPoll();
}

void CLinkSession::OnAcquisitionTick()
{
    bool stopped;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        stopped = g_wfmParam.strState == "STOP";
    }
    if (stopped || g_bFileProcess.load() != 0 || g_WaveTransOver.load() != 1)
        return;
    g_WaveTransOver.store(0);
    m_pSender->SendCommand(ReadModeCommand(1));
    m_pSender->SendCommand(PlainCommand(kCmdStatus));
    NotifyLinkMonitor(1, 0);
}

// The receive thread cannot touch the timers (they belong to this thread):
// both requests arrive as posted events.
namespace {
const QEvent::Type kStopAcquisitionEvent = static_cast<QEvent::Type>(QEvent::User + 500);

// The Disconnect command posted by a receive thread, with the number of the
// link that thread served: a late request of an earlier link is not allowed
// to take down the next one.
class CDisconnectEvent : public QEvent {
public:
    explicit CDisconnectEvent(uint32_t link)
        : QEvent(static_cast<QEvent::Type>(kCmdIdDisconnect)), m_link(link) {}
    uint32_t Link() const { return m_link; }

private:
    uint32_t m_link;
};
}  // namespace

void CLinkSession::StopAcquisitionTimer()
{
    QCoreApplication::postEvent(this, new QEvent(kStopAcquisitionEvent));
}

void CLinkSession::PostDisconnectCommand(uint32_t link)
{
    QCoreApplication::postEvent(this, new CDisconnectEvent(link));
}

bool CLinkSession::event(QEvent* e)
{
    if (e->type() == kStopAcquisitionEvent) {
        KillAcquisitionTimer();
        return true;
    }
    if (e->type() == static_cast<QEvent::Type>(kCmdIdDisconnect)) {
        // A user Disconnect already ran for this link (the read that failed
        // under it needs nothing more), or the request is of an earlier link.
        const auto* request = dynamic_cast<CDisconnectEvent*>(e);
        if (!m_bDisconnectDone && request && request->Link() == m_device->LinkNumber())
            DisconnectCommand();
        return true;
    }
    return QObject::event(e);
}

bool CLinkSession::WaitUntil(const std::function<bool()>& done, uint32_t timeoutMs)
{
    const uint32_t start = TickCount();
    while (!done()) {
        if (TickCount() - start > timeoutMs)
            return false;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        SleepMs(1);
    }
    return true;
}
