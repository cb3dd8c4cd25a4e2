#include "link/view/VirtualPanel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <mutex>
#include <vector>

#include "corvane/SharedState.h"
#include "link/DSOSetup.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"
#include "link/view/LCDCtrl.h"
#include "link/view/PanelIcons.h"
#include "link/view/PanelKeyButton.h"
#include "parlex/VKTableParlex.h"

namespace {
struct PanelKey {
    int id;
    const char* name;
};

// Every button of the panel and the key it sends. Two buttons of the
// multipurpose knob send each of its turning keys.
constexpr PanelKey kPanelKeys[] = {
    {1039, "FN-0-KEY"}, {1013, "FN-1-KEY"}, {1014, "FN-2-KEY"}, {1015, "FN-3-KEY"},
    {1016, "FN-4-KEY"}, {1017, "FN-5-KEY"}, {1075, "FN-6-KEY"}, {1094, "FN-7-KEY"},
    {1072, "FN-MLEFT-KEY"}, {1077, "FN-MLEFT-KEY"}, {1073, "FN-MRIGHT-KEY"}, {1076, "FN-MRIGHT-KEY"},
    {1074, "FN-MZERO-KEY"},
    {1018, "MENU-SR-KEY"}, {1019, "MENU-UTILITY-KEY"}, {1020, "MENU-MEASURE-KEY"},
    {1021, "MENU-CURSOR-KEY"}, {1022, "MENU-ACQUIRE-KEY"}, {1023, "MENU-DISPLAY-KEY"},
    {1024, "CT-HELP-KEY"}, {1025, "CT-DS-KEY"}, {1026, "CT-AUTOSET-KEY"},
    {1027, "CT-SINGLESEQ-KEY"}, {1028, "CT-RS-KEY"}, {1093, "CT-STU-KEY"},
    {1029, "VT-CH1-MENU-KEY"}, {1030, "VT-MATH-MENU-KEY"}, {1031, "VT-CH2-MENU-KEY"},
    {1051, "VT-CH1-PADD-KEY"}, {1053, "VT-CH1-PSUB-KEY"}, {1052, "VT-CH1-PZERO-KEY"},
    {1058, "VT-CH1-VBADD-KEY"}, {1059, "VT-CH1-VBSUB-KEY"},
    {1054, "VT-CH2-PADD-KEY"}, {1055, "VT-CH2-PSUB-KEY"}, {1066, "VT-CH2-PZERO-KEY"},
    {1060, "VT-CH2-VBADD-KEY"}, {1061, "VT-CH2-VBSUB-KEY"},
    {1032, "HZ-MENU-KEY"}, {1065, "HZ-PADD-KEY"}, {1064, "HZ-PSUB-KEY"}, {1067, "HZ-PZERO-KEY"},
    {1062, "HZ-TBADD-KEY"}, {1063, "HZ-TBSUB-KEY"},
    {1034, "TG-MENU-KEY"}, {1035, "TG-PHALF-KEY"}, {1036, "TG-FORCE-KEY"}, {1049, "TG-PROBECHECK-KEY"},
    {1056, "TG-PADD-KEY"}, {1057, "TG-PSUB-KEY"}, {1071, "TG-PZERO-KEY"},
};

constexpr int kModelCount = 12;
constexpr const char* kBandwidths[kModelCount] = {
    "100 MHZ", "60 MHZ", "40 MHZ", "200 MHZ", "150 MHZ", "100 MHZ",
    "60 MHZ", "40 MHZ", "25 MHZ", "40 MHZ", "60 MHZ", "100 MHZ",
};
constexpr const char* kSampleRates[kModelCount] = {
    "1 GS/s", "500 MS/s", "500 MS/s", "1 GS/s", "1 GS/s", "1 GS/s",
    "500 MS/s", "500 MS/s", "250 MSa/s", "250 MSa/s", "500 MSa/s", "500 MSa/s",
};

// Models 5-9 colour the CH1, CH2, math and trigger keys; the others keep
// the plain face. Values as blue, green, red from the high byte down.
constexpr int kColouredModelFirst = 5;
constexpr int kColouredModelLast = 9;
constexpr uint32_t kGroupFaces[CVirtualPanel::kButtonGroupCount] = {0x6DFEF6, 0xDFD288, 0x9557FB, 0x31D1FF};
constexpr uint32_t kPlainFace = 0xF3F3F3;

// The buttons of each coloured group.
const std::vector<int> kGroupButtons[CVirtualPanel::kButtonGroupCount] = {
    {1029, 1051, 1053, 1058, 1059},         // CH1
    {1031, 1054, 1055, 1060, 1061},         // CH2
    {1030},                                 // math
    {1034, 1035, 1036, 1049, 1056, 1057},   // trigger
};

QColor FromBlueGreenRed(uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

int CurrentModel()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    return g_wfmParam.nModel;
}

bool IsModelNumber(int model)
{
    return model >= 0 && model < kModelCount;
}
}  // namespace

const std::array<int, CVirtualPanel::kHeldKeyCount> CVirtualPanel::kHeldKeys = {
    1051, 1053, 1054, 1055, 1064, 1065, 1056, 1057, 1072, 1073, 1077, 1076,
};

CVirtualPanel::CVirtualPanel(CDSOSetup* sender, CLinkSession* session, QWidget* parent)
    : QDialog(parent), m_pSender(sender), m_pSession(session)
{
    setWindowTitle(tr("Virtual Panel"));
    setWindowIcon(PanelWindowIcon());
    m_screenTimer = new QTimer(this);
    m_repeatTimer = new QTimer(this);
    connect(m_screenTimer, &QTimer::timeout, this, &CVirtualPanel::OnScreenTimer);
    connect(m_repeatTimer, &QTimer::timeout, this, &CVirtualPanel::OnRepeatTimer);
    BuildLayout();
    ApplyModel();
    g_hVtBoardWnd = static_cast<QObject*>(this);
    if (m_pSession)
        m_pSession->SetFrontPanel(this);
}

CVirtualPanel::~CVirtualPanel()
{
    if (m_pSession)
        m_pSession->SetFrontPanel(nullptr);
    if (g_hVtBoardWnd == static_cast<QObject*>(this))
        g_hVtBoardWnd = nullptr;
    HaltTimers();
    Leave();
}

// Opening the panel (each time it is shown, however it was opened) takes the
// link from the data windows: the waiting commands are dropped and read mode
// is released.
void CVirtualPanel::Enter()
{
    if (m_bOpen)
        return;
    m_bOpen = true;
    if (CDSOSetup* sender = Sender())
        m_openedWith = sender->OpenFrontPanel();
}

// Closing it hands the link back: the waiting commands are dropped, read mode
// is released at once and a new transfer may start.
void CVirtualPanel::Leave()
{
    if (!m_bOpen)
        return;
    m_bOpen = false;
    m_lcd->ClearImages();
    if (CDSOSetup* sender = Sender())
        sender->CloseFrontPanel();
    else
        g_WaveTransOver.store(1);
}

CVirtualPanel* CVirtualPanel::Current()
{
    return qobject_cast<CVirtualPanel*>(static_cast<QObject*>(g_hVtBoardWnd));
}

// ---------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------

const char* CVirtualPanel::KeyName(int buttonId)
{
    for (const PanelKey& key : kPanelKeys) {
        if (key.id == buttonId)
            return key.name;
    }
    return nullptr;
}

// The settings panel may hand the session its own settings object as the
// command sender after the panel was made, so the session is asked each time.
CDSOSetup* CVirtualPanel::Sender() const
{
    return m_pSession ? &m_pSession->Sender() : m_pSender;
}

int CVirtualPanel::SendKey(int32_t key)
{
    CDSOSetup* sender = Sender();
    if (!sender)
        return 0;
    CommandArgs command;
    command.nCmd = kCmdKey;
    command.llValue = key;
    command.nKeyArg = 1;
    return sender->SendCommand(command);
}

int CVirtualPanel::OnButtonCommand(int id)
{
    const char* name = KeyName(id);
    if (!name)
        return 0;
    return SendKey(g_VKTable.GetVKKeyPos(name));
}

QAbstractButton* CVirtualPanel::Button(int id) const
{
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

// ---------------------------------------------------------------------------
// Timers and held keys
// ---------------------------------------------------------------------------

void CVirtualPanel::StartCommand()
{
    m_bTimersOn = true;
    m_screenInterval = kScreenTimerMs;
    if (isVisible())
        RunTimers(m_screenInterval);
}

void CVirtualPanel::StopCommand()
{
    m_bTimersOn = false;
    HaltTimers();
}

void CVirtualPanel::RunTimers(int screenMs)
{
    m_screenTimer->start(screenMs);
    m_repeatTimer->start(kRepeatTimerMs);
}

void CVirtualPanel::HaltTimers()
{
    m_screenTimer->stop();
    m_repeatTimer->stop();
}

void CVirtualPanel::OnScreenTimer()
{
    CDSOSetup* sender = Sender();
    if (!sender)
        return;
    CommandArgs screen;
    screen.nCmd = kCmdScreen;
    sender->SendCommand(screen);
}

void CVirtualPanel::OnRepeatTimer()
{
    g_bSend.store(1);
    const auto held = std::find(m_heldKeys.begin(), m_heldKeys.end(), 1);
    if (held != m_heldKeys.end())
        OnButtonCommand(kHeldKeys[static_cast<size_t>(held - m_heldKeys.begin())]);
}

bool CVirtualPanel::IsScreenTimerActive() const
{
    return m_screenTimer->isActive();
}

int CVirtualPanel::ScreenTimerInterval() const
{
    return m_screenTimer->interval();
}

bool CVirtualPanel::IsRepeatTimerActive() const
{
    return m_repeatTimer->isActive();
}

int CVirtualPanel::HeldKeyFlag(int index) const
{
    return index >= 0 && index < kHeldKeyCount ? m_heldKeys[static_cast<size_t>(index)] : 0;
}

int CVirtualPanel::HeldKeyIndex(QObject* button) const
{
    for (int i = 0; i < kHeldKeyCount; ++i) {
        if (Button(kHeldKeys[static_cast<size_t>(i)]) == button)
            return i;
    }
    return -1;
}

// The repeat ends with the left button's release. The repeat timer keeps
// running while the panel's timers are on, since it also paces the sender.
void CVirtualPanel::EndHeldKeys()
{
    m_heldKeys.fill(0);
    if (!m_bTimersOn || !isVisible())
        m_repeatTimer->stop();
}

// A held knob key is seen before the button handles the press; the button
// keeps the mouse until the release, so the release arrives here too, and the
// button's own click then sends the key once more.
bool CVirtualPanel::eventFilter(QObject* watched, QEvent* e)
{
    const bool press = e->type() == QEvent::MouseButtonPress;
    const bool release = e->type() == QEvent::MouseButtonRelease;
    if ((press || release) && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        const int index = HeldKeyIndex(watched);
        if (index >= 0 && press) {
            m_heldKeys[static_cast<size_t>(index)] = 1;
            m_repeatTimer->start(kRepeatTimerMs);
        } else if (index >= 0) {
            EndHeldKeys();
        }
    }
    return QDialog::eventFilter(watched, e);
}

void CVirtualPanel::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        Enter();
    if (m_bTimersOn)
        RunTimers(m_screenInterval);
}

// A hidden panel neither polls the screen nor repeats a key whose release it
// can no longer see.
void CVirtualPanel::hideEvent(QHideEvent* e)
{
    m_heldKeys.fill(0);
    HaltTimers();
    if (!e->spontaneous())
        Leave();
    QDialog::hideEvent(e);
}

// ---------------------------------------------------------------------------
// Screen
// ---------------------------------------------------------------------------

bool CVirtualPanel::event(QEvent* e)
{
    if (e->type() == static_cast<QEvent::Type>(kMsgScreenReady)) {
        OnScreenReady();
        return true;
    }
    return QDialog::event(e);
}

void CVirtualPanel::OnScreenReady()
{
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        m_lcd->StoreScreen(ADBufferUI);
    }
    ++m_screens;
    m_lcd->update();
    // The model becomes known with the first decoded settings, which may
    // come after the panel was opened: follow it.
    const int model = CurrentModel();
    const QString name = IsModelNumber(model) ? QString::fromLatin1(g_Machinetype[model]) : QString();
    if (m_modelCaption->text() != name)
        ApplyModel();
}

// ---------------------------------------------------------------------------
// Model captions and colours
// ---------------------------------------------------------------------------

QString CVirtualPanel::BandwidthCaption(int model)
{
    return IsModelNumber(model) ? QString::fromLatin1(kBandwidths[model]) : QString();
}

QString CVirtualPanel::SampleRateCaption(int model)
{
    return IsModelNumber(model) ? QString::fromLatin1(kSampleRates[model]) : QString();
}

QColor CVirtualPanel::GroupFaceColor(int model, int group)
{
    const bool coloured = model >= kColouredModelFirst && model <= kColouredModelLast;
    if (!coloured || group < 0 || group >= kButtonGroupCount)
        return FromBlueGreenRed(kPlainFace);
    return FromBlueGreenRed(kGroupFaces[group]);
}

QString CVirtualPanel::ShownBandwidth() const
{
    return m_bandwidthCaption->text();
}

QString CVirtualPanel::ShownSampleRate() const
{
    return m_sampleRateCaption->text();
}

void CVirtualPanel::ApplyModel()
{
    const int model = CurrentModel();
    for (int group = 0; group < kButtonGroupCount; ++group) {
        for (int id : kGroupButtons[group]) {
            if (auto* key = qobject_cast<CPanelKeyButton*>(Button(id)))
                key->SetFaceColor(GroupFaceColor(model, group));
        }
    }
    m_modelCaption->setText(IsModelNumber(model) ? QString::fromLatin1(g_Machinetype[model]) : QString());
    m_bandwidthCaption->setText(BandwidthCaption(model));
    m_sampleRateCaption->setText(SampleRateCaption(model));
}
