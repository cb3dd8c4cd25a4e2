// Receive loop throughput: how fast the receive thread applies waveform
// packets of the largest size a read returns (65535 bytes), each under
// g_csLock, compared with what a USB 2.0 high-speed link delivers (about
// 40 MB/s in practice).
#include <benchmark/benchmark.h>

#include <cstring>
#include <mutex>
#include <vector>

#include "corvane/SharedState.h"
#include "link/ReceiveLoop.h"

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
}  // namespace

BENCHMARK_MAIN();
