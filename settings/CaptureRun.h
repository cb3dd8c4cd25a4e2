#pragma once
// A headless data window: it runs the acquisition cycle of the main frame
// (timer 2, read mode, the settings decode, the waveform requests) and takes
// a copy of each acquisition the instrument sends, with the waveform
// parameters in force for it, until it has the number asked for. Each
// channel's record ends with its own update message; an acquisition is
// taken once every channel the read asked for has ended. quorvex-cli capture
// is built on it.
//
// Lives on the user-interface thread; the link posts its update message to it.
#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "corvane/SharedState.h"
#include "link/LinkView.h"

class CLinkSession;
class CSettingsModel;

// One record as the windows see it: the sample bytes of both channels and the
// snapshot of the waveform parameters, with the position offsets of the moment.
struct CapturedRecord {
    tagWaveformParam param;
    std::vector<int8_t> ch1;
    std::vector<int8_t> ch2;
    int32_t ch1Offset = 0;    // g_CH1DexY
    int32_t ch2Offset = 0;    // g_CH2DexY
    float gridDivisions = 16.0f;
};

class CCaptureRun : public QObject, public ILinkView {
    Q_OBJECT
public:
    CCaptureRun(CLinkSession& session, const CSettingsModel& model, QObject* parent = nullptr);
    ~CCaptureRun() override;

    // Starts the acquisition and runs the event loop until count records have
    // arrived, the link goes down or timeoutMs pass. onRecord is called for
    // each record as it arrives. Returns the number of records taken.
    int Run(int count, uint32_t timeoutMs, const std::function<void(const CapturedRecord&)>& onRecord = {});

    const std::vector<CapturedRecord>& Records() const { return m_records; }

    // Back to back, Run starts the next acquisition as soon as the link is
    // idle after the previous one (its last answer came and no command
    // waits) instead of at the next tick of timer 2, which stays running as
    // the fallback. Off by default: the desktop program keeps its timer.
    void SetBackToBack(bool on) { m_backToBack = on; }

    // ILinkView
    LinkViewClass ViewClass() const override { return LinkViewClass::WaveformSheet; }
    QObject* Receiver() const override { return const_cast<CCaptureRun*>(this); }
    bool IsRunning() const override { return m_running.load(); }
    int32_t RecordLength() const override { return m_length.load(); }
    void ChangeRecordLength(int32_t length) override { m_length.store(length); }
    void StopAcquisition() override;

protected:
    bool event(QEvent* e) override;

private:
    void TakeRecord();
    void Stop();
    void StartNextIfIdle();

    CLinkSession& m_session;
    const CSettingsModel& m_model;
    uint64_t m_read = 0;      // the waveform read whose records are arriving
    int m_ended = 0;          // channel records of it that have ended
    std::atomic<bool> m_running{false};
    std::atomic<int32_t> m_length{0};
    bool m_backToBack = false;
    std::vector<CapturedRecord> m_records;
    std::function<void(const CapturedRecord&)> m_onRecord;
};

// The samples of one channel (0 CH1, 1 CH2) of a record in volts, with the
// scale of the snapshot (CalcVoltBase of its index and probe, or the stored
// volts per division when the scale is overridden). Marker bytes (gaps, no
// data) give NaN.
std::vector<double> RecordVolts(const CapturedRecord& record, int channel);

// Seconds between two samples of a record: the time per division of the
// snapshot times the divisions the record spans, over its length.
double SampleInterval(const CapturedRecord& record);

// Writes the records as CSV (header "record,time_s,ch1_V,ch2_V", one row per
// sample) atomically (corvane/AtomicFile.h). Returns an empty string
// on success, else the reason.
std::string WriteCaptureCsv(const std::string& path, const std::vector<CapturedRecord>& records);
