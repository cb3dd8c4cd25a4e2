#include "settings/SettingsModel.h"

#include <QEvent>

#include <cstdio>
#include <cstring>
#include <mutex>

#include "corvane/MessageTables.h"
#include "corvane/ScaleConversion.h"
#include "corvane/WaveMemory.h"
#include "corvane/SharedState.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"
#include "settings/ChoiceLists.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsDecoder.h"
#include "settings/SettingsMessages.h"
#include "tessary/UI_Sys_table.h"

namespace {
constexpr int kStateStop = 0;
constexpr int kStateAstop = 5;

bool IsKeyKind(int kind)
{
    const KindInfo* info = FindKind(kind);
    return info && info->scope == KindScope::Key;
}

EditResult Outcome(EditOutcome outcome)
{
    EditResult r;
    r.outcome = outcome;
    return r;
}
}  // namespace

CSettingsModel::CSettingsModel(CLinkSession* session, const LinkTimings& timings, QObject* parent)
    : QObject(parent), CDSOSetup(timings), m_session(session)
{
    m_records.control.sender = this;
    // Read mode sizes the sample buffers inside the program-wide wave range.
    ObligateMemSpace();
}

// The send thread must be gone before this object's members are.
CSettingsModel::~CSettingsModel()
{
    StopSendThread();
}

bool CSettingsModel::event(QEvent* e)
{
    if (e->type() == static_cast<QEvent::Type>(kMsgSettingsChanged)) {
        OnSettingsChanged();
        return true;
    }
    return QObject::event(e);
}

int CSettingsModel::IsChannelOn(int channel) const
{
    return channel >= 0 && channel <= 1 && m_records.channel[channel].display.value != 0;
}

int CSettingsModel::IsThirdTraceOn() const
{
    return m_records.math.display.value != 0;
}

// ---------------------------------------------------------------------------
// Edits
// ---------------------------------------------------------------------------

bool CSettingsModel::IsLinkUp() const
{
    return g_bTransfering.load() != 0 && g_bRunThreadR.load() != 0;
}

RefusalMessage CSettingsModel::RefuseOnState(int kind, int target) const
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    return CEditRules(m_records, g_wfmParam).RefuseOnState(kind, target);
}

EditResult CSettingsModel::Refuse(RefusalMessage message) const
{
    ShowUserMessage(message[LanguageIndex()]);
    EditResult r = Outcome(EditOutcome::Refused);
    r.refusal = message;
    return r;
}

ChoiceRequest CSettingsModel::RequestFor(int kind, int target, const std::string& title) const
{
    ChoiceRequest q;
    q.kind = kind;
    q.target = target;
    q.title = title;
    const KindInfo* info = FindKind(kind);
    if (!info)
        return q;
    q.listMode = info->input == KindInput::List;
    if (q.listMode)
        q.labels = ChoiceList(*info, target, g_UISysTable);
    // In the scan range the instrument keeps no persistence but the first.
    if (kind == KIND_PERSISTENCE && q.labels.size() > 1 && CEditRules(m_records, g_wfmParam).IsScan())
        q.labels.resize(1);
    if (const SettingValue* v = m_records.Find(kind, target)) {
        q.currentPosition = q.listMode ? static_cast<int>(v->value) : 0;
        q.currentText = v->text;
    }
    return q;
}

bool CSettingsModel::AcceptsChoice(int kind, int target, const SettingChoice& choice) const
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    std::vector<ParamWrite> writes;
    return CEditWriter(m_records, g_UISysTable, g_wfmParam).Writes(kind, target, choice, writes) !=
           WriteStatus::Rejected;
}

EditResult CSettingsModel::ApplyEdit(int kind, int target, ISettingChooser& chooser, const std::string& title)
{
    if (!IsLinkUp()) {
        ShowUserMessage(Msg(szConnectFirst));
        return Outcome(EditOutcome::NotConnected);
    }
    if (IsKeyKind(kind)) {
        if (RefusalMessage refusal = RefuseOnState(kind, target))
            return Refuse(refusal);
        return SendKey(kind);
    }
    if (kind == KIND_LOCK || kind == KIND_UNLOCK)
        return SendLockCommand(kind == KIND_LOCK);
    if (kind == KIND_FRONT_PANEL)
        return Outcome(EditOutcome::FrontPanel);
    const KindInfo* info = FindKind(kind);
    if (!info || info->input == KindInput::None || !IsValidTarget(*info, target))
        return Outcome(EditOutcome::Unchanged);
    if (RefusalMessage refusal = RefuseOnState(kind, target))
        return Refuse(refusal);
    SettingChoice choice;
    if (!chooser.Choose(RequestFor(kind, target, title), choice))
        return Outcome(EditOutcome::Cancelled);
    return ApplyChosen(kind, target, choice);
}

EditResult CSettingsModel::ApplyChoice(int kind, int target, const SettingChoice& choice)
{
    if (!IsLinkUp()) {
        ShowUserMessage(Msg(szConnectFirst));
        return Outcome(EditOutcome::NotConnected);
    }
    return ApplyChosen(kind, target, choice);
}

// Checks the chosen value, writes the block and sends it.
EditResult CSettingsModel::ApplyChosen(int kind, int target, const SettingChoice& choice)
{
    m_bChanged = false;
    std::unique_lock<std::recursive_mutex> lock(g_csLock);
    const CEditWriter writer(m_records, g_UISysTable, g_wfmParam);
    const int code = writer.ChosenCode(kind, target, choice.position);
    if (RefusalMessage refusal = CEditRules(m_records, g_wfmParam).RefuseChoice(kind, choice.position, code)) {
        lock.unlock();
        return Refuse(refusal);
    }
    EditResult r;
    r.status = writer.Writes(kind, target, choice, r.writes, &r.text);
    if (r.status != WriteStatus::Ok) {
        r.outcome = EditOutcome::Invalid;
        return r;
    }
    m_bChanged = WriteBlock(r.writes);
    if (kind == KIND_WINDOW_TIME_BASE || kind == KIND_MAIN_TIME_BASE)
        ClearSampleBuffersUnlessStopped();
    if (m_bChanged) {
        CommandArgs a = PlainCommand(kCmdSysParamBlock);
        a.pData = g_pSysParamBuffer;
        a.nDataLen = g_SysParamLen;
        SendCommand(a);
    }
    r.outcome = m_bChanged ? EditOutcome::Applied : EditOutcome::Unchanged;
    return r;
}

// With g_csLock held. A parameter the description does not name, or whose
// place lies beyond the block (one loaded from a shorter file), is skipped.
bool CSettingsModel::WriteBlock(const std::vector<ParamWrite>& writes)
{
    if (!g_pSysParamBuffer || g_SysParamLen <= 0)
        return false;
    bool written = false;
    for (const ParamWrite& w : writes) {
        if (ParlexParam.DSOdataToPCParam(w.name, g_SysParamLen).first < 0)
            continue;
        ParlexParam.PCParamToDSOdata(w.name, w.value, g_pSysParamBuffer, g_SysParamLen);
        written = true;
    }
    return written;
}

// A new time base makes the records on screen meaningless unless the
// instrument holds them (stopped or a finished single sequence).
void CSettingsModel::ClearSampleBuffersUnlessStopped()
{
    const std::string& state = g_wfmParam.strState;
    if (state == "STOP" || state == "Astop" || state == "Armed" || g_DepthSize <= 0)
        return;
    if (ADBufferCH1)
        std::memset(ADBufferCH1, 0, static_cast<size_t>(g_DepthSize));
    if (ADBufferCH2)
        std::memset(ADBufferCH2, 0, static_cast<size_t>(g_DepthSize));
}

// Run only while stopped (STOP, Astop), stop only while running.
EditResult CSettingsModel::SendKey(int kind)
{
    const int64_t state = m_records.trigger.state.value;
    const bool stopped = state == kStateStop || state == kStateAstop;
    if ((kind == KIND_RUN && !stopped) || (kind == KIND_STOP && stopped))
        return Outcome(EditOutcome::Unchanged);
    const int position = g_VKTable.GetVKKeyPos(FindKind(kind)->param);
    if (position < 0)
        return Outcome(EditOutcome::Unchanged);
    CommandArgs a = PlainCommand(kCmdKey);
    a.llValue = position;
    a.nKeyArg = 1;
    SendCommand(a);
    return Outcome(EditOutcome::KeySent);
}

// Lock holds the instrument's record (its answer is the reply to this
// request, not the start of a read); unlock releases it.
EditResult CSettingsModel::SendLockCommand(bool lock)
{
    if (lock)
        g_CT.store(1);
    SendCommand(ReadModeCommand(lock ? 1 : 0));
    return Outcome(EditOutcome::KeySent);
}

int CSettingsModel::IsStopped() const
{
    return m_records.trigger.state.value == kStateStop;
}

void CSettingsModel::BeginLink()
{
    CDSOSetup::BeginLink();
    m_voltCodeReported = false;
}

// A volts/div code the model's list does not hold goes to the message pane,
// an empty list is the "!" box; either at most once per link, since every
// status poll decodes the block again.
void CSettingsModel::ReportVoltCodes(const VoltCodeReport& report)
{
    if (m_voltCodeReported || (!report.beyondList && report.unknownChannel < 0))
        return;
    m_voltCodeReported = true;
    if (report.beyondList) {
        ShowUserMessage(Msg(szVoltCodeUnknown));
        return;
    }
    const ChannelRecord& c = m_records.channel[report.unknownChannel];
    char text[256];
    std::snprintf(text, sizeof text, Msg(szVoltCodeNote), report.unknownChannel + 1,
                  static_cast<long long>(report.unknownCode), c.voltsPerDiv.text.c_str());
    ShowUserNote(text);
}

// ---------------------------------------------------------------------------
// Decode (message 1128)
// ---------------------------------------------------------------------------

int CSettingsModel::OnSettingsChanged()
{
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        const bool decoded = g_pSysParamBuffer && g_SysParamLen > 0 && CheckModel();
        if (decoded) {
            const CSettingsDecoder decoder(ParlexParam, g_UISysTable);
            decoder.ReadParameters(g_pSysParamBuffer, g_SysParamLen, CSettingsDecoder::ParameterOrder(), m_records);
            ReportVoltCodes(decoder.DecodeSettings(m_records));
            BindToWaveformParam(m_records, g_wfmParam);
            g_wfmParam.strModelName = m_modelName;
            if (g_ReadWfm.load() == 1)
                SetUpReadMode();
            else
                RefreshPositionBases();
            ++m_decodes;
        }
        // The instrument's parameter answer does not release the sender; the
        // decode does, whether or not it could use the block.
        g_bSend.store(1);
        if (!decoded)
            return 0;
    }
    emit SettingsDecoded();
    return 0;
}

// Reads the control type and loads the model's UI system table when the
// model or the language differs from the loaded one. With g_csLock held.
bool CSettingsModel::CheckModel()
{
    const CSettingsDecoder decoder(ParlexParam, g_UISysTable);
    int64_t type = 0;
    if (decoder.ReadParameter(g_pSysParamBuffer, g_SysParamLen, "CONTROL-TYPE", type)) {
        m_records.raw["CONTROL-TYPE"] = type;
        g_wfmParam.nModel = static_cast<int32_t>(type);
    }
    const int32_t number = g_wfmParam.nModel;
    const std::string name = number >= 0 && number < kMachineTypeCount ? g_Machinetype[number] : "";
    if (name == m_modelName && m_language == static_cast<int64_t>(g_nLanguage))
        return true;
    if (name.empty() || !g_UISysTable.ConfigueParam(name.c_str(), g_nLanguage)) {
        // The failed load emptied the table: whatever model comes next loads again.
        if (!name.empty())
            m_modelName.clear();
        ShowUserMessage(Msg(szNoConfigFile));
        return false;
    }
    m_modelName = name;
    m_language = g_nLanguage;
    return true;
}

// While the instrument holds a stopped record its traces keep their place:
// the offsets are the movement since the bases were taken.
void CSettingsModel::SetUpReadMode()
{
    g_ReadWfm.store(0);
    const int16_t current[3] = {g_wfmParam.nCH1Pos, g_wfmParam.nCH2Pos, g_wfmParam.nMathPos};
    int32_t* offsets[3] = {&g_CH1DexY, &g_CH2DexY, &g_MthDexY};
    const std::string& state = g_wfmParam.strState;
    const bool held = state == "STOP" || state == "Astop" || state == "Ready";
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = held ? current[i] - g_OldPosY[i] : 0;
        if (!held)
            g_OldPosY[i] = current[i];
    }
    const bool menuShown = m_records.menu.menuShown != 0;
    const float ratio = menuShown ? 0.8f : 0.96f;
    g_GridNum = menuShown ? 16.0f : 19.2f;
    const SegmentData* depths = g_UISysTable.GetUISysData("ACDEPTH");
    const int position = static_cast<int>(m_records.acquire.storeDepth.value);
    if (depths && position >= 0 && position < depths->count) {
        const int depth = Ass_Depthstring(depths->items[static_cast<size_t>(position)]);
        MallocWaveDataBuf(depth, g_UISysTable.GetGlobeIndex(position, *depths), ratio);
        if (m_session)
            m_session->OnDataLengthChanged(DisplayLength(depth, ratio));
    }
    SendCommand(ReadModeCommand(0));
    ++m_reads;
    m_readChannels = IsChannelOn(0) + IsChannelOn(1);
    if (m_session)
        m_session->RequestWaveforms();
}

void CSettingsModel::RefreshPositionBases()
{
    const int16_t current[3] = {g_wfmParam.nCH1Pos, g_wfmParam.nCH2Pos, g_wfmParam.nMathPos};
    const int32_t offsets[3] = {g_CH1DexY, g_CH2DexY, g_MthDexY};
    for (int i = 0; i < 3; ++i)
        if (offsets[i] == 0)
            g_OldPosY[i] = current[i];
}
