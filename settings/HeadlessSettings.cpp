#include "settings/HeadlessSettings.h"

#include "corvane/SharedState.h"
#include "corvane/UiHelpers.h"
#include "link/LinkSession.h"
#include "settings/SettingsModel.h"

namespace {
int s_argc = 1;
char s_arg0[] = "quorvex";
char* s_argv[] = {s_arg0, nullptr};
}  // namespace

CHeadlessSettings::CHeadlessSettings(UsbDriverPtr driver, const LinkTimings& timings)
{
    if (!QCoreApplication::instance())
        m_app = std::make_unique<QCoreApplication>(s_argc, s_argv);
    SetDoEventPump([] { QCoreApplication::processEvents(); });
    m_session = std::make_unique<CLinkSession>(std::move(driver), timings);
    m_model = std::make_unique<CSettingsModel>(m_session.get(), timings);
    m_session->SetCommandSender(m_model.get());
    m_session->SetSettingsPanel(m_model.get());
}

// The link goes down before the model that sends and receives for it.
CHeadlessSettings::~CHeadlessSettings()
{
    if (g_bRunThreadR.load())
        m_session->DisconnectCommand();
    m_session->SetSettingsPanel(nullptr);
    m_session->SetCommandSender(nullptr);
    m_model->StopSendThread();
    QCoreApplication::processEvents();
    m_session.reset();
    m_model.reset();
}

bool CHeadlessSettings::Connect(uint32_t timeoutMs)
{
    if (!m_session->ConnectCommand())
        return false;
    if (m_session->WaitUntil([this] { return m_model->DecodeCount() > 0; }, timeoutMs))
        return true;
    m_session->DisconnectCommand();
    return false;
}

bool CHeadlessSettings::WaitForFreshDecode(uint32_t timeoutMs)
{
    const uint64_t start = m_model->DecodeCount();
    return m_session->WaitUntil(
        [&] { return m_model->DecodeCount() >= start + 2 && m_model->PendingCount() == 0; }, timeoutMs);
}
