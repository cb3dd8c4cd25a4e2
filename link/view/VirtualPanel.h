#pragma once
// CVirtualPanel: the on-screen copy of the instrument's front panel. The
// mirror of the instrument's screen (CLCDCtrl) sits among buttons for every
// key and knob; a button sends its key to the instrument as a key command
// (command 19) with the key's number from the key table g_VKTable, and the
// next screen image shows what the instrument made of it. The knobs turn with
// the mouse wheel and a drag as well (CPanelKnob).
//
// Two timers run while the panel is shown and not stopped: the screen timer
// asks for a new screen image (command 32, 800 ms, 500 ms after Start) and
// the repeat timer (50 ms) releases the command sender (g_bSend) and, while
// one of the twelve knob keys is held down with the left mouse button, sends
// that key again. A new screen (message 1132) is converted through the screen
// palette under g_csLock.
//
// Everything runs on the user-interface thread.
#include <QColor>
#include <QDialog>

#include <array>
#include <cstdint>
#include <map>

#include "link/DSOSetup.h"

class CDSOSetup;
class CLCDCtrl;
class CLinkSession;
class QAbstractButton;
class QLabel;
class QGroupBox;
class QTimer;

class CVirtualPanel : public QDialog {
    Q_OBJECT
public:
    // Command ids of the panel's menu and its print button.
    static constexpr int kIdStart = 32841;
    static constexpr int kIdStop = 32773;
    static constexpr int kIdExport = 32805;
    static constexpr int kIdPrint = 57607;
    static constexpr int kIdPrintPreview = 57609;
    static constexpr int kIdPrintButton = 1040;

    static constexpr int kScreenTimerFirstMs = 800;   // from creation
    static constexpr int kScreenTimerMs = 500;        // after Start
    static constexpr int kRepeatTimerMs = 50;
    static constexpr int kHeldKeyCount = 12;
    static constexpr int kButtonGroupCount = 4;       // CH1, CH2, math, trigger keys

    // sender: the command sender (not owned; may be null, then keys go
    // nowhere). session: when given, the panel registers itself there as the
    // receiver of message 1132 for as long as it exists, and sends through
    // the session's current command sender instead.
    CVirtualPanel(CDSOSetup* sender, CLinkSession* session = nullptr, QWidget* parent = nullptr);
    ~CVirtualPanel() override;

    // Key command: command 19 with key as its value (a key name the table
    // does not hold arrives here as -1 and goes out as the key byte 0xFF).
    int SendKey(int32_t key);
    // The command of a key button: looks the key's name up and sends it.
    // Non-zero when a key command was queued; 0 for an id that is no key.
    int OnButtonCommand(int id);
    // The name of the key a button sends, or null for an id that is no key.
    static const char* KeyName(int buttonId);

    // Start and Stop of the panel's menu.
    void StartCommand();
    void StopCommand();
    // One tick of each timer (the timers call these).
    void OnScreenTimer();
    void OnRepeatTimer();
    // Message 1132: a full screen image is in ADBufferUI.
    void OnScreenReady();

    bool IsScreenTimerActive() const;
    int ScreenTimerInterval() const;
    bool IsRepeatTimerActive() const;
    // The held-key flags in the order of kHeldKeys; 0 or 1.
    int HeldKeyFlag(int index) const;
    static const std::array<int, kHeldKeyCount> kHeldKeys;

    CLCDCtrl* LCD() const { return m_lcd; }
    QAbstractButton* Button(int id) const;
    int ScreensReceived() const { return m_screens; }

    // Captions and key colours by model number (g_wfmParam.nModel); empty
    // captions and the plain face for a number outside the tables.
    static QString BandwidthCaption(int model);
    static QString SampleRateCaption(int model);
    static QColor GroupFaceColor(int model, int group);
    QString ShownBandwidth() const;
    QString ShownSampleRate() const;

    // The panel that is open now, or null.
    static CVirtualPanel* Current();
    // Whether the panel is open (shown, not yet closed), and the state flags
    // it was last opened with.
    bool IsOpen() const { return m_bOpen; }
    const FrontPanelState& OpenedWith() const { return m_openedWith; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void BuildLayout();
    QWidget* BuildMenuBar();
    QGroupBox* BuildSoftKeys();
    QGroupBox* BuildMultipurposeKnob();
    QGroupBox* BuildMenuKeys();
    QGroupBox* BuildControlKeys();
    QGroupBox* BuildVerticalKeys();
    QGroupBox* BuildHorizontalKeys();
    QGroupBox* BuildTriggerKeys();
    // tip: the tooltip of a key whose caption does not say what it is.
    QAbstractButton* AddKey(int id, const QString& caption, const QString& tip = QString());
    QAbstractButton* AddArrowKey(int id, int arrow, const QString& tip);
    QAbstractButton* AddRoundKey(int id, const QString& caption, const QString& tip);
    // The knob whose push key is knobId turns with the wheel and a drag
    // (axis: a CPanelKnob::Axis).
    void AddKnob(int knobId, int lowerId, int higherId, int axis);
    CDSOSetup* Sender() const;
    void FitToScreen();
    void ApplyModel();
    void RunTimers(int screenMs);
    void HaltTimers();
    void EndHeldKeys();
    void Enter();
    void Leave();
    int HeldKeyIndex(QObject* button) const;

    CDSOSetup* m_pSender;
    CLinkSession* m_pSession;
    CLCDCtrl* m_lcd = nullptr;
    QLabel* m_modelCaption = nullptr;
    QLabel* m_bandwidthCaption = nullptr;
    QLabel* m_sampleRateCaption = nullptr;
    QTimer* m_screenTimer = nullptr;
    QTimer* m_repeatTimer = nullptr;
    std::array<int, kHeldKeyCount> m_heldKeys{};
    std::map<int, QAbstractButton*> m_buttons;
    bool m_bTimersOn = true;          // Stop not chosen since creation or the last Start
    int m_screenInterval = kScreenTimerFirstMs;
    int m_screens = 0;
    bool m_bOpen = false;
    FrontPanelState m_openedWith;
};
