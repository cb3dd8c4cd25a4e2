// libFuzzer driver: a stream of answer packets as the USB pipe delivers it,
// through the answer assembler into the receive loop. The input is a list of
// transfers: a 16-bit word (low 14 bits: byte count, top 2 bits: how the
// transfer ended) and then that many bytes, so the fuzzer cuts answers at
// any place, joins them, times out between pieces and overflows. Every write
// into a shared buffer is checked by AddressSanitizer; the write positions
// must stay inside their buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "corvane/SharedState.h"
#include "link/AnswerAssembler.h"
#include "link/LinkHost.h"
#include "link/ReceiveLoop.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"
#include "sim/SimProtocolLayout.h"

namespace {
constexpr int kDepth = 4096;
constexpr uint32_t kMaxTransfers = 4096;

class CQuietHost : public ILinkHost {
public:
    void NotifyViews() override {}
    void OnDataLengthChanged(int32_t) override {}
    void ClearCommandQueue() override {}
    void PostToSettingsPanel() override {}
    void PostToFrontPanel() override {}
    void StopAcquisitionTimer() override {}
    void PostDisconnectCommand(uint32_t) override {}
};

// Hands out the scripted transfers, then reports the pipe gone.
class CScriptedPipe : public IUsbBulkTransport {
public:
    explicit CScriptedPipe(CFuzzInput& input) : m_input(input) {}
    bool OpenDevice() override { return true; }
    void CloseDevice() override {}
    BulkResult BulkIn(uint8_t* buffer, uint32_t length, unsigned) override
    {
        if (m_input.Left() == 0 || ++m_transfers > kMaxTransfers)
            return {BulkStatus::Failed, 0};
        const uint16_t word = m_input.Word();
        const std::string bytes = m_input.Take(std::min<uint32_t>(word & 0x3FFF, length));
        std::memcpy(buffer, bytes.data(), bytes.size());
        static constexpr BulkStatus kEnds[] = {BulkStatus::Done, BulkStatus::Done, BulkStatus::TimedOut,
                                               BulkStatus::Overflow};
        return {kEnds[word >> 14], static_cast<uint32_t>(bytes.size())};
    }
    BulkResult BulkOut(const uint8_t*, uint32_t length, unsigned) override { return {BulkStatus::Done, length}; }

private:
    CFuzzInput& m_input;
    uint32_t m_transfers = 0;
};

// The state a fresh link starts from: the instrument's parameter table known,
// sample buffers of kDepth bytes, nothing received yet.
void StartLink()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_bRunThreadR = 1;
    g_bSend = 0;
    g_bTransfering = 0;
    g_WaveTransOver = 1;
    g_ReadWfm = 0;
    g_CT = 0;
    g_bVKTable = 0;
    g_OverRecConfig = 0;
    g_ConfigCheck = 0;
    g_ConfignameLen = 13;
    delete[] ADBufferCH1;
    delete[] ADBufferCH2;
    ADBufferCH1 = new unsigned char[kDepth]();
    ADBufferCH2 = new unsigned char[kDepth]();
    g_DepthSize = kDepth;
    delete[] g_pSysParamBuffer;
    g_pSysParamBuffer = nullptr;
    g_SysParamLen = 0;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetUserMessageSink([](const std::string&) {});
    ParlexParam.Trans_Init(CSimProtocolLayout::Standard().DescriptionText().c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    StartLink();
    CFuzzInput input(data, size);
    CScriptedPipe pipe(input);
    CAnswerAssembler assembler(pipe, 1, 2);
    CQuietHost host;
    CReceiveLoop loop(&host);
    std::vector<uint8_t> packet(CReceiveLoop::kPacketCapacity);
    uint32_t received = 0;
    while (assembler.ReadAnswer(packet.data(), CReceiveLoop::kPacketCapacity, &received, [] { return true; })) {
        if (received > CReceiveLoop::kPacketCapacity)
            std::abort();
        loop.HandlePacket(packet.data(), received);
        for (int channel = 0; channel < 2; ++channel) {
            const int64_t at = loop.ChannelWritePosition(channel);
            if (at < 0 || at > g_DepthSize)
                std::abort();
        }
        if (loop.ScreenWritePosition() < 0 || loop.ScreenWritePosition() > kScreenBufferSize)
            std::abort();
    }
    return 0;
}
