#pragma once
// CAnalyse_BusView: the bus analysis window. It keeps a copy of both channel
// records (drawn by its input display), decodes them as an I2C or SPI bus
// (its analysis display draws the fields), and holds the bus settings panel.
// On message 1156 it copies the records under g_csLock, takes the time base
// of the transfer and decodes. It saves and opens ".bus" files, exports the
// displays as a bitmap, prints them with the bus parameter table, and keeps
// its record in workspace files.
#include <QWidget>

#include <atomic>
#include <memory>

#include "ui/ChildView.h"
#include "docs/BusAnalysisData.h"
#include "link/LinkView.h"

class CAnalyseView;
class CBusSettingsPanel;
class IChildHost;
class CInputView;
class CLinkSession;
class QPrinter;

class CAnalyse_BusView : public QWidget, public IChildView, public ILinkView {
    Q_OBJECT
public:
    // A new window is refused while this many bus windows are open.
    static constexpr int kMaxWindows = 9;

    explicit CAnalyse_BusView(CLinkSession* session = nullptr, QWidget* parent = nullptr);
    ~CAnalyse_BusView() override;

    // Bus windows alive in this process.
    static int OpenCount();

    CBusAnalysisData& Data() { return *m_data; }
    CBusSettingsPanel& Panel() { return *m_panel; }
    CAnalyseView& Analysis() { return *m_analysis; }
    CInputView& Input() { return *m_input; }

    // --- IChildView ---
    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }
    int LoadDocument(const QString& path, QString* error) override;
    int SaveDocument(const QString& path, QString* error) override;
    bool SaveCommand(bool saveAs) override { return Save(saveAs); }
    int SerializeState(CArchive& ar) override;
    bool IsRunning() const override { return m_running.load(); }
    void StartRun() override { m_running = true; }
    void StopRun() override { m_running = false; }

    // --- ILinkView ---
    LinkViewClass ViewClass() const override { return LinkViewClass::BusAnalysis; }
    QObject* Receiver() const override { return const_cast<CAnalyse_BusView*>(this); }
    int32_t RecordLength() const override { return m_recordLength.load(); }
    void ChangeRecordLength(int32_t length) override {
        if (length > 0) m_recordLength.store(length);
    }
    void StopAcquisition() override { StopRun(); }

    // Message 1156: copies the shared records and decodes. Returns the
    // decode's result.
    int OnTransfer();
    // Decodes the held records again (after a settings change) and repaints.
    int Redecode();
    // A colour command: "BACK", "CH1", "CH2", "Res1" or "Res2". 0 for an
    // unknown area.
    int SetAreaColour(const QString& area, const QColor& colour);

    // The displays as one picture (the bitmap export).
    QImage Picture();
    // Asks for a name and writes the picture; false when cancelled or failed.
    bool Export();
    int ExportTo(const QString& path);
    bool Save(bool saveAs);
    // One page: header, the bus parameter table, the displays.
    void PrintPage(QPrinter& printer, int page = 1);
    // The rows of the parameter table (label, value) for the bus in use.
    QList<QPair<QString, QString>> ParameterRows() const;
    void Print();
    void PrintPreview();

protected:
    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void ApplyData(std::unique_ptr<CBusAnalysisData> data);
    void ShowRecords();
    void StepProgress();
    QWidget* Frame() const;   // the child frame, once the host is attached
    void AttachHost(IChildHost* host) override { m_host = host; }
    IChildHost* m_host = nullptr;

    std::unique_ptr<CBusAnalysisData> m_data;
    CLinkSession* m_session;
    CInputView* m_input = nullptr;
    CAnalyseView* m_analysis = nullptr;
    CBusSettingsPanel* m_panel = nullptr;
    QString m_path;
    std::atomic<bool> m_running{false};
    std::atomic<int32_t> m_recordLength{3200};
};
