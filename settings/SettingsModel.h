#pragma once
// CSettingsModel: the model behind the settings panel. It is the settings
// object of the program and therefore also the command sender (it derives
// from CDSOSetup): it holds the group records of every setting, applies the
// edits of the panel and the parameter dialog to the system parameter block
// and sends the block, and decodes the block each time the instrument sends
// it (message 1128), which also starts the waveform read in read mode.
//
// Lives on the user-interface thread. Hand it to the link session with
// SetCommandSender (it sends) and SetSettingsPanel (it receives 1128).
//
//   CSettingsModel model(&session);
//   session.SetCommandSender(&model);
//   session.SetSettingsPanel(&model);
//   CFixedChoice choice({3, ""});
//   EditResult r = model.ApplyEdit(KIND_COUPLING, 1, choice);
#include <QObject>
#include <QString>

#include <string>
#include <vector>

#include "link/DSOSetup.h"
#include "settings/EditRules.h"
#include "settings/EditWriter.h"
#include "settings/SettingChooser.h"
#include "settings/SettingsRecords.h"

class CLinkSession;
class QEvent;

enum class EditOutcome {
    Applied,       // the block was written and sent
    Unchanged,     // nothing to write (a shown-only setting, a kind without parameter)
    Cancelled,     // the chooser answered Cancel
    NotConnected,  // szConnectFirst
    Refused,       // a refusal rule; refusal names the message
    Invalid,       // the choice could not become a value (see status)
    KeySent,       // a key, lock or unlock command was queued
    FrontPanel,    // the caller opens the virtual front panel now
};

struct EditResult {
    EditOutcome outcome = EditOutcome::Unchanged;
    RefusalMessage refusal = nullptr;     // the refusal's message table
    WriteStatus status = WriteStatus::Ok; // why a choice was invalid
    std::vector<ParamWrite> writes;       // what was written into the block
    std::string text;                     // the typed value as its processor wrote it back
};

class CSettingsModel : public QObject, public CDSOSetup {
    Q_OBJECT
public:
    explicit CSettingsModel(CLinkSession* session = nullptr, const LinkTimings& timings = {},
                            QObject* parent = nullptr);
    ~CSettingsModel() override;

    // The session whose RequestWaveforms and view resizing the read mode uses.
    void SetSession(CLinkSession* session) { m_session = session; }

    // Applies an edit of a setting kind: checks the link, the refusal rules,
    // asks the chooser, checks the chosen value, writes the block under
    // g_csLock and sends it once. Key kinds send their key; lock and unlock
    // their read-mode command. Refusals are also shown to the user.
    EditResult ApplyEdit(int kind, int target, ISettingChooser& chooser, const std::string& title = {});
    // The dialog's Apply: the same for a choice already made (no chooser).
    EditResult ApplyChoice(int kind, int target, const SettingChoice& choice);

    // What the chooser is asked for a kind: list or text mode, labels, and
    // the decoded value.
    ChoiceRequest RequestFor(int kind, int target, const std::string& title = {}) const;

    // Whether the input processor of a typed kind takes the choice's text
    // (list choices and kinds without processor are always taken); writes
    // and sends nothing.
    bool AcceptsChoice(int kind, int target, const SettingChoice& choice) const;

    // The handler of message 1128: decodes the block. Returns 0.
    int OnSettingsChanged();

    const CSettingsRecords& Records() const { return m_records; }
    // The model whose UI system table is loaded ("" before the first decode).
    const std::string& ModelName() const { return m_modelName; }
    // The tree's root text: the model name.
    QString RootText() const { return QString::fromStdString(m_modelName); }
    // Set when the last edit wrote into the block.
    bool IsChanged() const { return m_bChanged; }
    // Number of complete decodes since construction.
    uint64_t DecodeCount() const { return m_decodes; }
    // Number of waveform reads started by read mode, and the channels the
    // last one asked for (each ends with one update message of the views).
    uint64_t ReadCount() const { return m_reads; }
    int ReadChannels() const { return m_readChannels; }

    int IsChannelOn(int channel) const override;
    int IsThirdTraceOn() const override;
    int IsStopped() const override;
    // Also forgets what was noted about the previous link.
    void BeginLink() override;

signals:
    // After each complete decode: the tree shows the new values.
    void SettingsDecoded();

protected:
    bool event(QEvent* e) override;

private:
    bool IsLinkUp() const;
    RefusalMessage RefuseOnState(int kind, int target) const;
    EditResult Refuse(RefusalMessage message) const;
    EditResult SendKey(int kind);
    EditResult SendLockCommand(bool lock);
    EditResult ApplyChosen(int kind, int target, const SettingChoice& choice);
    bool WriteBlock(const std::vector<ParamWrite>& writes);
    void ClearSampleBuffersUnlessStopped();

    bool CheckModel();
    void SetUpReadMode();
    void ReportVoltCodes(const struct VoltCodeReport& report);
    void RefreshPositionBases();

    CLinkSession* m_session;
    CSettingsRecords m_records;
    std::string m_modelName;
    int64_t m_language = -1;   // language of the loaded table; -1 none
    bool m_bChanged = false;
    bool m_voltCodeReported = false;   // this link's decodes have reported a volts/div code
    uint64_t m_decodes = 0;
    uint64_t m_reads = 0;
    int m_readChannels = 0;
};
