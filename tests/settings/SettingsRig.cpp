#include "SettingsRig.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "corvane/SharedState.h"
#include "link/LinkSession.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"

namespace {
std::mutex s_lock;
std::vector<std::string> s_messages;
std::vector<std::string> s_notes;

void Collect(const std::string& text)
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_messages.push_back(text);
}

void CollectNote(const std::string& text)
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_notes.push_back(text);
}

LinkTimings RigTimings()
{
    LinkTimings t;
    t.statusPollMs = 25;
    t.acquisitionMs = 25;
    t.stopFrameWaitMs = 20;
    t.readModeWaitShortMs = 50;
    t.readModeWaitLongMs = 50;
    t.sendPollMs = 2;
    t.watchdogSilenceMs = 1000;
    return t;
}
}  // namespace

void ResetSettingsState()
{
    SetUserMessageSink(Collect);
    SetUserNoteSink(CollectNote);
    CSettingsRig::TakeMessages();
    CSettingsRig::TakeNotes();
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_nLanguage = 0;
    g_bSend = 1;
    g_bRunThreadR = 0;
    g_bTransfering = 0;
    g_WaveTransOver = 1;
    g_ReadWfm = 0;
    g_CT = 0;
    g_updateNum = 0;
    g_bFileProcess = 0;
    g_GridNum = 16.0f;
    g_CH1DexY = g_CH2DexY = g_MthDexY = 0;
    g_OldPosY[0] = g_OldPosY[1] = g_OldPosY[2] = 0;
    g_wfmParam = tagWaveformParam{};
}

std::vector<std::string> CSettingsRig::TakeMessages()
{
    std::lock_guard<std::mutex> lock(s_lock);
    std::vector<std::string> taken;
    taken.swap(s_messages);
    return taken;
}

std::vector<std::string> CSettingsRig::TakeNotes()
{
    std::lock_guard<std::mutex> lock(s_lock);
    std::vector<std::string> taken;
    taken.swap(s_notes);
    return taken;
}

CSettingsRig::CSettingsRig(const std::string& simOptions)
{
    ResetSettingsState();
    std::string error;
    sim = CreateSimInstrument(simOptions, &error);
    session = std::make_unique<CLinkSession>(sim, RigTimings());
    model = std::make_unique<CSettingsModel>(session.get(), RigTimings());
    session->SetCommandSender(model.get());
    session->SetSettingsPanel(model.get());
}

CSettingsRig::~CSettingsRig()
{
    if (g_bRunThreadR.load())
        session->DisconnectCommand();
    session->SetSettingsPanel(nullptr);
    session->SetCommandSender(nullptr);
    model->StopSendThread();
    QCoreApplication::processEvents();
    session.reset();
    model.reset();
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    delete[] g_pSysParamBuffer;
    g_pSysParamBuffer = nullptr;
    g_SysParamLen = 0;
}

bool CSettingsRig::WaitUntil(const std::function<bool()>& done, int ms)
{
    return session->WaitUntil(done, static_cast<uint32_t>(ms));
}

bool CSettingsRig::Connect()
{
    if (!session->ConnectCommand())
        return false;
    return WaitUntil([this] { return model->DecodeCount() > 0; });
}

bool CSettingsRig::WaitForFreshDecode()
{
    const uint64_t start = model->DecodeCount();
    return WaitUntil([&] { return model->DecodeCount() >= start + 2 && model->PendingCount() == 0; });
}

namespace {
// The program's copy of a parameter, unsigned little-endian, as the decode
// reads it.
int64_t ProgramParam(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    uint64_t v = 0;
    ParlexParam.DSOdataToPCValue(name, g_pSysParamBuffer, g_SysParamLen, v);
    return static_cast<int64_t>(v);
}
}  // namespace

// An edit has settled once the program's block holds what the instrument
// holds for every parameter written and that block has been decoded. Two
// decodes alone are not enough: under load the status polls can fetch blocks
// taken between the edit's writes.
EditResult CSettingsRig::Edit(int kind, int target, SettingChoice choice)
{
    CFixedChoice chooser(std::move(choice));
    EditResult r = model->ApplyEdit(kind, target, chooser);
    WaitUntil([&] {
        return std::all_of(r.writes.begin(), r.writes.end(),
                           [&](const ParamWrite& w) { return ProgramParam(w.name) == sim->Param(w.name); });
    });
    WaitForFreshDecode();
    return r;
}
