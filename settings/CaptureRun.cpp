#include "settings/CaptureRun.h"

#include <QCoreApplication>
#include <QEvent>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <mutex>
#include <thread>

#include "corvane/AtomicFile.h"
#include "corvane/ScaleConversion.h"
#include "link/DSOSetup.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"
#include "settings/SettingsModel.h"

CCaptureRun::CCaptureRun(CLinkSession& session, const CSettingsModel& model, QObject* parent)
    : QObject(parent), m_session(session), m_model(model)
{
    m_length.store(waveDataLen);
    m_session.RegisterView(this);
}

CCaptureRun::~CCaptureRun()
{
    Stop();
    m_session.UnregisterView(this);
}

void CCaptureRun::StopAcquisition()
{
    Stop();
}

void CCaptureRun::Stop()
{
    if (m_running.exchange(false))
        m_session.ViewStopped();
}

bool CCaptureRun::event(QEvent* e)
{
    if (e->type() == static_cast<QEvent::Type>(kMsgWaveformSheetUpdate)) {
        if (m_read != m_model.ReadCount()) {
            m_read = m_model.ReadCount();
            m_ended = 0;
        }
        if (m_running.load() && ++m_ended == m_model.ReadChannels())
            TakeRecord();
        return true;
    }
    return QObject::event(e);
}

void CCaptureRun::TakeRecord()
{
    CapturedRecord r;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        const int32_t length = std::max(0, std::min(waveDataLen, g_DepthSize));
        r.param = g_wfmParam;
        r.ch1Offset = g_CH1DexY;
        r.ch2Offset = g_CH2DexY;
        r.gridDivisions = g_GridNum;
        if (ADBufferCH1 && r.param.nCH1Show)
            r.ch1.assign(reinterpret_cast<const int8_t*>(ADBufferCH1), reinterpret_cast<const int8_t*>(ADBufferCH1) + length);
        if (ADBufferCH2 && r.param.nCH2Show)
            r.ch2.assign(reinterpret_cast<const int8_t*>(ADBufferCH2), reinterpret_cast<const int8_t*>(ADBufferCH2) + length);
    }
    m_records.push_back(std::move(r));
    if (m_onRecord)
        m_onRecord(m_records.back());
}

// Every frame of a cycle either waits in the list or holds the sender until
// its answer, and the decode that queues the waveform requests runs on this
// thread: the link is idle only once the cycle's last answer has come.
void CCaptureRun::StartNextIfIdle()
{
    if (m_backToBack && m_running.load() && g_WaveTransOver.load() == 1 && g_bSend.load() == 1 &&
        m_session.Sender().PendingCount() == 0)
        m_session.OnAcquisitionTick();
}

int CCaptureRun::Run(int count, uint32_t timeoutMs, const std::function<void(const CapturedRecord&)>& onRecord)
{
    m_onRecord = onRecord;
    if (!m_running.exchange(true))
        m_session.ViewStarted();
    const size_t wanted = m_records.size() + static_cast<size_t>(std::max(count, 0));
    m_session.WaitUntil(
        [&] {
            if (m_records.size() >= wanted || g_bRunThreadR.load() == 0)
                return true;
            StartNextIfIdle();
            return false;
        },
        timeoutMs);
    Stop();
    m_onRecord = nullptr;
    return static_cast<int>(std::min(m_records.size(), wanted));
}

namespace {

bool IsMarker(uint8_t raw, const std::string& state)
{
    return raw == 0x80 || raw == 0x81 || (raw == 0xFF && state == "Scan");
}

// µV per division of a channel in the snapshot.
int64_t VoltsPerDivUv(const tagWaveformParam& p, int channel)
{
    const bool override = (channel == 0 ? p.nCH1ScaleOverride : p.nCH2ScaleOverride) != 0;
    if (override)
        return channel == 0 ? p.llCH1VoltBase : p.llCH2VoltBase;
    const int index = channel == 0 ? p.nCH1VoltIndex : p.nCH2VoltIndex;
    const int probe = channel == 0 ? p.nCH1Probe : p.nCH2Probe;
    return CalcVoltBase(index + 1, probe) * 1000;
}

}  // namespace

std::vector<double> RecordVolts(const CapturedRecord& record, int channel)
{
    const tagWaveformParam& p = record.param;
    const std::vector<int8_t>& samples = channel == 0 ? record.ch1 : record.ch2;
    const int32_t offset = channel == 0 ? record.ch1Offset : record.ch2Offset;
    const int position = channel == 0 ? p.nCH1Pos : p.nCH2Pos;
    const double sign = (channel == 0 ? p.nCH1Invert : p.nCH2Invert) ? -1.0 : 1.0;
    const double voltsPerCount = static_cast<double>(VoltsPerDivUv(p, channel)) / 25.0 / 1e6;
    std::vector<double> volts;
    volts.reserve(samples.size());
    for (int8_t s : samples) {
        const uint8_t raw = static_cast<uint8_t>((static_cast<uint8_t>(s) + offset) & 0xFF);
        if (IsMarker(raw, p.strState)) {
            volts.push_back(std::numeric_limits<double>::quiet_NaN());
            continue;
        }
        volts.push_back(sign * (static_cast<int8_t>(raw) - position) * voltsPerCount);
    }
    return volts;
}

double SampleInterval(const CapturedRecord& record)
{
    const size_t length = std::max(record.ch1.size(), record.ch2.size());
    if (length == 0)
        return 0.0;
    const double secondsPerDiv = static_cast<double>(CalcTimeBase(record.param.nTimeBaseIndex + 1)) * 1e-9;
    return secondsPerDiv * record.gridDivisions / static_cast<double>(length);
}

namespace {
// printf's "%.6g" (std::to_chars is specified as it), nothing for a gap.
void AppendNumber(std::string& out, double value)
{
    if (std::isnan(value))
        return;
    char text[32];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    out.append(text, r.ptr);
}

void AppendInteger(std::string& out, size_t value)
{
    char text[24];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
    out.append(text, r.ptr);
}
}  // namespace

std::string WriteCaptureCsv(const std::string& path, const std::vector<CapturedRecord>& records)
{
    CAtomicFile file(path);
    if (!file.Open() || !file.Write("record,time_s,ch1_V,ch2_V\n"))
        return file.Error();
    for (size_t n = 0; n < records.size(); ++n) {
        const std::vector<double> ch1 = RecordVolts(records[n], 0);
        const std::vector<double> ch2 = RecordVolts(records[n], 1);
        const double dt = SampleInterval(records[n]);
        const size_t length = std::max(ch1.size(), ch2.size());
        std::string rows;
        rows.reserve(length * 40);
        for (size_t i = 0; i < length; ++i) {
            AppendInteger(rows, n + 1);
            rows += ',';
            AppendNumber(rows, static_cast<double>(i) * dt);
            rows += ',';
            AppendNumber(rows, i < ch1.size() ? ch1[i] : std::nan(""));
            rows += ',';
            AppendNumber(rows, i < ch2.size() ? ch2[i] : std::nan(""));
            rows += '\n';
        }
        if (!file.Write(rows))
            return file.Error();
    }
    if (!file.Commit())
        return file.Error();
    return {};
}
