#include "cli/LinkCli.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdio>
#include <mutex>

#include "corvane/MessageTables.h"
#include "settings/HeadlessSettings.h"
#include "corvane/SharedState.h"
#include "corvane/UiHelpers.h"
#include "link/DSOSetup.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"
#include "backend/UsbBackend.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"
#include "tessary/ProgramFolder.h"

namespace {
constexpr int kConnectAttempts = 3;
constexpr int kRequestAttempts = 3;
constexpr uint32_t kAnswerWaitMs = 7000;  // longer than the watchdog's release

std::mutex s_messageLock;
std::vector<std::string> s_messages;

void CollectMessage(const std::string& text)
{
    std::lock_guard<std::mutex> lock(s_messageLock);
    s_messages.push_back(text);
}

std::vector<std::string> TakeMessages()
{
    std::lock_guard<std::mutex> lock(s_messageLock);
    return std::move(s_messages);
}

// The settings panel's part: a parameter block that arrived releases the
// sender, as the settings decode does when it has read the block.
class CCliSettingsPanel : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == static_cast<QEvent::Type>(kMsgSettingsChanged)) {
            g_bSend.store(1);
            return true;
        }
        return QObject::event(e);
    }
};

int s_argc = 1;
char s_name[] = "quorvex-cli";
char* s_argv[] = {s_name, nullptr};
}  // namespace

CCliLink::CCliLink(CliContext& ctx)
{
    ctx.settingsPanel.reset();
    if (!QCoreApplication::instance())
        m_app = std::make_unique<QCoreApplication>(s_argc, s_argv);
    SetDoEventPump([] { QCoreApplication::processEvents(); });
    g_nLanguage = ctx.language;
    SetUserMessageSink(CollectMessage);
    UsbBackend backend = CreateUsbBackend(ctx.backend, ProgramSettingsFile());
    if (!backend.driver) {
        std::fprintf(stderr, "quorvex-cli: %s\n", backend.error.c_str());
        return;
    }
    m_backend = backend.description;
    m_panel = std::make_unique<CCliSettingsPanel>();
    m_session = std::make_unique<CLinkSession>(backend.driver);
    m_session->SetSettingsPanel(m_panel.get());
}

CCliLink::~CCliLink()
{
    if (m_session && g_bRunThreadR.load() == 1)
        m_session->DisconnectCommand();
    m_session.reset();
    for (const std::string& text : TakeMessages())
        std::fprintf(stderr, "%s\n", text.c_str());
    SetUserMessageSink(nullptr);
}

int CCliLink::Connect()
{
    if (!m_session)
        return 0;
    std::vector<std::string> messages;
    for (int attempt = 1; attempt <= kConnectAttempts; ++attempt) {
        if (m_session->ConnectCommand()) {
            TakeMessages();
            if (attempt > 1)
                std::fprintf(stderr, "quorvex-cli: connected at attempt %d\n", attempt);
            return 1;
        }
        messages = TakeMessages();
        if (g_bRunThreadR.load() == 0 && !m_session->WaitUntil([] { return g_bTransfering.load() == 0; }, 2000))
            break;
        // An instrument that is not there will not be there at the next attempt either.
        if (!messages.empty() && messages.back() == Msg(szCheckConnect))
            break;
    }
    for (const std::string& text : messages)
        std::fprintf(stderr, "%s\n", text.c_str());
    return 0;
}

int CCliLink::ConnectWithParams()
{
    if (!Connect())
        return 0;
    if (!RefreshParams()) {
        std::fprintf(stderr, "quorvex-cli: the instrument did not send its parameters\n");
        return 0;
    }
    return 1;
}

int CCliLink::RefreshParams()
{
    for (int attempt = 0; attempt < kRequestAttempts && g_bRunThreadR.load() == 1; ++attempt) {
        const uint64_t before = m_session->SettingsUpdateCount();
        CommandArgs status;
        status.nCmd = kCmdStatus;
        m_session->Sender().SendCommand(status);
        if (m_session->WaitUntil([&] { return m_session->SettingsUpdateCount() > before; }, kAnswerWaitMs))
            return 1;
    }
    return 0;
}

int CCliLink::SendParams()
{
    CommandArgs block;
    block.nCmd = kCmdSysParamBlock;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        block.pData = g_pSysParamBuffer;
        block.nDataLen = g_SysParamLen;
        if (!m_session->Sender().SendCommand(block))
            return 0;
    }
    CDSOSetup& sender = m_session->Sender();
    return m_session->WaitUntil([&] { return sender.PendingCount() == 0 && g_bSend.load() == 1; }, 2 * kAnswerWaitMs)
               ? 1
               : 0;
}

int CCliLink::PressKey(int32_t position)
{
    CDSOSetup& sender = m_session->Sender();
    const uint64_t before = sender.FramesWritten();
    CommandArgs key;
    key.nCmd = kCmdKey;
    key.llValue = position;
    key.nKeyArg = 1;
    if (!sender.SendCommand(key))
        return 0;
    return m_session->WaitUntil([&] { return sender.FramesWritten() > before && g_bSend.load() == 1; },
                                kAnswerWaitMs)
               ? 1
               : 0;
}

int ParamValue(const std::string& name, uint64_t* value)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    return ParlexParam.DSOdataToPCValue(name, g_pSysParamBuffer, g_SysParamLen, *value) ? 1 : 0;
}
