// Receive throughput: how fast the receive thread applies waveform packets
// of the largest size a read returns (65535 bytes), each under g_csLock, and
// a whole two-channel record of the deepest two-channel store depth (512K:
// 400000 samples, of which the instrument sends the 320000 the views show)
// from the simulated instrument to the sample buffers, beside the 53 MB/s
// that USB 2.0 high speed carries in bulk transfers at best.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "backend/UsbBackend.h"
#include "corvane/SharedState.h"
#include "link/DSOSetup.h"
#include "link/LinkSession.h"
#include "link/ReceiveLoop.h"
#include "settings/CaptureRun.h"
#include "settings/FixedChoice.h"
#include "settings/HeadlessSettings.h"
#include "settings/LinkPace.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsModel.h"

namespace {
constexpr int kDepth = 800000;  // the deepest store depth's record

std::vector<uint8_t> Packet(std::vector<uint8_t> data, uint8_t code)
{
    std::vector<uint8_t> p(data.size() + 5);
    p[0] = 'S';
    p[1] = static_cast<uint8_t>((p.size() - 3) & 0xFF);
    p[2] = static_cast<uint8_t>((p.size() - 3) >> 8);
    p[3] = code;
    std::memcpy(p.data() + 4, data.data(), data.size());
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < p.size(); ++i)
        sum = static_cast<uint8_t>(sum + p[i]);
    p.back() = sum;
    return p;
}

// One full-size sample packet of CH1: sub-code 1, channel 0, 65528 samples.
std::vector<uint8_t> SamplePacket()
{
    std::vector<uint8_t> data(CReceiveLoop::kPacketCapacity - 5);
    data[0] = 1;
    data[1] = 0;
    for (size_t i = 2; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 13);
    return Packet(data, 0x82);
}

struct SampleBuffers {
    SampleBuffers()
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        ADBufferCH1 = new unsigned char[kDepth];
        ADBufferCH2 = new unsigned char[kDepth];
        g_DepthSize = kDepth;
    }
    ~SampleBuffers()
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        delete[] ADBufferCH1;
        delete[] ADBufferCH2;
        ADBufferCH1 = ADBufferCH2 = nullptr;
        g_DepthSize = 0;
    }
};

// Records of kDepth samples: sample packets, then the end-of-record packet.
void RunRecords(benchmark::State& state, bool withReadBuffer)
{
    SampleBuffers buffers;
    const std::vector<uint8_t> samples = SamplePacket();
    const std::vector<uint8_t> end = Packet({2}, 0x82);
    std::vector<uint8_t> readBuffer(CReceiveLoop::kPacketCapacity);
    CReceiveLoop loop(nullptr);
    int64_t position = 0;
    for (auto _ : state) {
        const uint8_t* packet = samples.data();
        if (withReadBuffer) {  // what the receive thread adds per read: zero-fill, then the driver's copy
            std::memset(readBuffer.data(), 0, readBuffer.size());
            std::memcpy(readBuffer.data(), samples.data(), samples.size());
            packet = readBuffer.data();
        }
        benchmark::DoNotOptimize(loop.HandlePacket(packet, static_cast<uint32_t>(samples.size())));
        position += static_cast<int64_t>(samples.size()) - 7;
        if (position >= kDepth) {
            loop.HandlePacket(end.data(), static_cast<uint32_t>(end.size()));
            position = 0;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

void BM_WaveformPacket(benchmark::State& state)
{
    RunRecords(state, false);
}
BENCHMARK(BM_WaveformPacket);

void BM_WaveformPacketWithReadBuffer(benchmark::State& state)
{
    RunRecords(state, true);
}
BENCHMARK(BM_WaveformPacketWithReadBuffer);
constexpr int kDeepestTwoChannelDepth = 3;  // 512K

// The simulated instrument at a store depth (a list position of setting 11).
std::unique_ptr<CHeadlessSettings> ConnectAtDepth(int depthPosition)
{
    const UsbBackend backend = CreateUsbBackend(UsbBackendRequest::Simulated, "Param.ini", "");
    auto panel = std::make_unique<CHeadlessSettings>(backend.driver);
    if (!panel->Connect(10000))
        return nullptr;
    if (depthPosition != 0) {
        CFixedChoice depth(SettingChoice{depthPosition, {}});
        panel->Model().ApplyEdit(KIND_STORE_DEPTH, 0, depth);
        panel->WaitForFreshDecode(5000);
    }
    return panel;
}

// quorvex-cli capture's loop: acquisitions back to back, with the rate the
// protocol allows them measured alongside (settings/LinkPace.h). One
// iteration is ten records.
void BM_CapturePace(benchmark::State& state)
{
    constexpr int kRecords = 10;
    const std::unique_ptr<CHeadlessSettings> panel = ConnectAtDepth(static_cast<int>(state.range(0)));
    if (!panel) {
        state.SkipWithError("no connection");
        return;
    }
    double seconds = 0, boundSeconds = 0;
    int records = 0;
    for (auto _ : state) {
        CCaptureRun run(panel->Session(), panel->Model());
        run.SetBackToBack(true);
        const CLinkPace pace(panel->Session().Sender(), panel->Session().Timings().sendPollMs);
        const auto start = std::chrono::steady_clock::now();
        records += run.Run(kRecords, 60000);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        boundSeconds += pace.Measured().boundSeconds;
    }
    state.counters["records_per_s"] = seconds > 0 ? records / seconds : 0;
    state.counters["bound_records_per_s"] = boundSeconds > 0 ? records / boundSeconds : 0;
    state.counters["samples_per_channel"] = waveDataLen;
}
// An iteration takes about a second, so the library runs one.
BENCHMARK(BM_CapturePace)->Arg(0)->Arg(3)->Unit(benchmark::kSecond);

// USB 2.0 high speed: 13 bulk packets of 512 bytes per 125 us microframe.
constexpr double kUsbHighSpeedBulkMBps = 13 * 512 / 125e-6 / 1e6;

// The simulated instrument at its deepest store depth for two channels (1M
// takes one channel only), holding one record in read mode so that every
// request sends the same record again.
struct DeepRecordRig {
    std::unique_ptr<CHeadlessSettings> panel;
    std::string error;

    DeepRecordRig()
    {
        panel = ConnectAtDepth(kDeepestTwoChannelDepth);
        if (!panel) {
            error = "no connection";
            return;
        }
        CCaptureRun run(panel->Session(), panel->Model());
        run.SetBackToBack(true);
        if (run.Run(1, 15000) != 1) {
            error = "no record";
            return;
        }
        // The cycle's last frames leave read mode; enter it again after them.
        WaitForIdleLink();
        panel->Session().Sender().SendCommand(ReadModeCommand(1));
        WaitForIdleLink();
    }

    void WaitForIdleLink()
    {
        CDSOSetup& sender = panel->Session().Sender();
        panel->Session().WaitUntil([&] { return sender.PendingCount() == 0 && g_bSend.load() == 1; }, 5000);
    }

    // Requests one channel's record and returns the time from handing the
    // frame to the instrument to the end of the record in the buffer.
    double TransferSeconds(int channel)
    {
        CDSOSetup& sender = panel->Session().Sender();
        const uint64_t frames = sender.FramesWritten();
        const int64_t writing = sender.WriteNanoseconds();
        sender.SendCommand(WaveformCommand(channel));
        while (sender.FramesWritten() == frames)
            std::this_thread::yield();
        const auto written = std::chrono::steady_clock::now();
        while (g_bSend.load() != 1)
            std::this_thread::yield();
        const auto ended = std::chrono::steady_clock::now();
        return std::chrono::duration<double>(ended - written).count() +
               static_cast<double>(sender.WriteNanoseconds() - writing) * 1e-9;
    }
};

// Both channels of one record, request to buffer; the time per iteration is
// the two transfers only (the send thread's poll before each is left out).
void BM_DeepRecordEndToEnd(benchmark::State& state)
{
    DeepRecordRig rig;
    if (!rig.error.empty()) {
        state.SkipWithError(rig.error.c_str());
        return;
    }
    rig.TransferSeconds(0);  // the instrument renders the record once
    int64_t bytes = 0;
    double seconds = 0;
    for (auto _ : state) {
        const double transfer = rig.TransferSeconds(0) + rig.TransferSeconds(1);
        state.SetIterationTime(transfer);
        seconds += transfer;
        bytes += 2 * static_cast<int64_t>(waveDataLen);
    }
    state.SetBytesProcessed(bytes);
    state.counters["MBps"] = seconds > 0 ? static_cast<double>(bytes) / seconds / 1e6 : 0;
    state.counters["samples_per_channel"] = waveDataLen;
    state.counters["usb2_bulk_MBps"] = kUsbHighSpeedBulkMBps;
}
BENCHMARK(BM_DeepRecordEndToEnd)->UseManualTime()->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
