#include "link/DSOSetup.h"

#include <chrono>

#include "corvane/SharedState.h"
#include "link/LinkMonitor.h"
#include "link/UsbDevice.h"

namespace {
constexpr uint8_t kStartMark = 'S';
constexpr uint8_t kAlternateStartMark = 'C';
constexpr uint8_t kLetterCheck = 'f';

uint8_t Low(int64_t v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

// Bytes of a value of the small-parameter block for size class nPos / 32:
// 1, 2, 4 or 8; 0 when nPos lies outside 0..127.
int SizeOfClass(int32_t nPos)
{
    if (nPos < 0 || nPos > 127)
        return 0;
    return 1 << (nPos / 32);
}

// Frame under construction: start mark, two length bytes, the code, then the
// arguments; Finish writes the length and the check byte.
class FrameBuilder {
public:
    explicit FrameBuilder(int32_t code)
    {
        m_bytes = {code == kCmdAlternateMark ? kAlternateStartMark : kStartMark, 0, 0, Low(code)};
    }
    void Add(int64_t byte) { m_bytes.push_back(Low(byte)); }
    void Add(const uint8_t* data, int32_t length) { m_bytes.insert(m_bytes.end(), data, data + length); }
    void AddZeros(int count) { m_bytes.insert(m_bytes.end(), count, 0); }

    std::vector<uint8_t> FinishWithSum()
    {
        SetLength();
        uint8_t sum = 0;
        for (uint8_t b : m_bytes)
            sum = static_cast<uint8_t>(sum + b);
        m_bytes.push_back(sum);
        return std::move(m_bytes);
    }
    std::vector<uint8_t> FinishWithLetter()
    {
        SetLength();
        m_bytes.push_back(kLetterCheck);
        return std::move(m_bytes);
    }

private:
    void SetLength()
    {
        const size_t length = m_bytes.size() + 1 - 3;  // the check byte still follows
        m_bytes[1] = Low(static_cast<int64_t>(length));
        m_bytes[2] = Low(static_cast<int64_t>(length >> 8));
    }
    std::vector<uint8_t> m_bytes;
};

// "S", 0, 0, 0, 0: the frame of a code the instrument does not know.
std::vector<uint8_t> EmptyFrame()
{
    return {kStartMark, 0, 0, 0, 0};
}

bool PayloadUsable(const uint8_t* data, int32_t length, int32_t overhead)
{
    if (length < 0 || length + overhead > CDSOSetup::kMaxFrameLength)
        return false;
    return length == 0 || data != nullptr;
}

std::vector<uint8_t> SmallParamFrame(const CommandArgs& a)
{
    const int size = SizeOfClass(a.nPos);
    if (size == 0)
        return {};
    FrameBuilder f(a.nCmd);
    f.Add(size);
    f.Add(1);
    f.Add(a.nPos);
    f.Add(0);
    if (a.nCmd == kCmdSmallParam)
        return f.FinishWithSum();
    if (a.llValue == -1) {
        f.Add(a.nByte);
        f.AddZeros(size - 1);
    } else {
        for (int i = 0; i < size; ++i)
            f.Add(a.llValue >> (8 * i));
    }
    return f.FinishWithSum();
}

std::vector<uint8_t> SmallParamBlockFrame(const CommandArgs& a)
{
    const int size = SizeOfClass(a.nPos);
    if (size == 0 || !PayloadUsable(a.pData, a.nDataLen, 9))
        return {};
    FrameBuilder f(a.nCmd);
    f.Add(size);
    f.Add(a.nDataLen);
    f.Add((a.nPos / 32) * 32);
    f.Add(0);
    f.Add(a.pData, a.nDataLen);
    return f.FinishWithLetter();
}

std::vector<uint8_t> ConfigFileFrame(const CommandArgs& a)
{
    const int32_t nameLength = g_ConfignameLen.load();
    if (!PayloadUsable(a.pData, nameLength, 6))
        return {};
    FrameBuilder f(a.nCmd);
    f.Add(a.nPos);
    f.Add(a.pData, nameLength);
    return f.FinishWithLetter();
}

std::vector<uint8_t> BlockFrame(const CommandArgs& a)
{
    if (!PayloadUsable(a.pData, a.nDataLen, 5))
        return {};
    FrameBuilder f(a.nCmd);
    f.Add(a.pData, a.nDataLen);
    return f.FinishWithSum();
}

std::vector<uint8_t> WaveformFrame(const CommandArgs& a)
{
    if (a.nSub != 0 && a.nSub != 1)
        return EmptyFrame();
    FrameBuilder f(a.nCmd);
    f.Add(a.nSub);
    if (a.nSub == 1)
        f.Add(a.nChannel);
    return f.FinishWithSum();
}

// Frames whose arguments are plain bytes after the code.
std::vector<uint8_t> BytesFrame(int32_t code, std::initializer_list<int64_t> bytes)
{
    FrameBuilder f(code);
    for (int64_t b : bytes)
        f.Add(b);
    return f.FinishWithSum();
}
}  // namespace

CDSOSetup::CDSOSetup(const LinkTimings& timings) : m_timings(timings) {}

CDSOSetup::~CDSOSetup()
{
    StopSendThread();
}

std::vector<uint8_t> CDSOSetup::BuildFrame(const CommandArgs& a)
{
    switch (a.nCmd) {
    case kCmdStop:
    case kCmdStatus:
    case 3:
    case 4:
    case kCmdScreen:
    case 33:
        return BytesFrame(a.nCmd, {});
    case kCmdWaveform:
        return WaveformFrame(a);
    case kCmdMenuItem:
        return BytesFrame(a.nCmd, {a.nArg1, a.nArg2});
    case kCmdSmallParam:
        return SmallParamFrame(a);
    case kCmdConfigFile:
        return ConfigFileFrame(a);
    case kCmdSysParamBlock:
        return BlockFrame(a);
    case kCmdReadMode:
        return BytesFrame(a.nCmd, {a.nPos, a.llValue});
    case kCmdKey:
        return BytesFrame(a.nCmd, {a.llValue, a.nKeyArg});
    case kCmdMenuByte:
        return BytesFrame(a.nCmd, {a.nArg1, a.nArg2, a.nByte});
    case kCmdSmallParamWrite:
        return a.pData ? SmallParamBlockFrame(a) : SmallParamFrame(a);
    case kCmdAlternateMark: {
        FrameBuilder f(a.nCmd);
        return f.FinishWithLetter();
    }
    default:
        return EmptyFrame();
    }
}

int CDSOSetup::SendCommand(int32_t nCmd, int32_t nPos, int32_t nArg1, int32_t nArg2, int32_t nByte,
                           int64_t llValue, int32_t nChannel, int32_t nKeyArg, const uint8_t* pData,
                           int32_t nDataLen, int32_t nSub)
{
    CommandArgs a{nCmd, nPos, nArg1, nArg2, nByte, llValue, nChannel, nKeyArg, pData, nDataLen, nSub};
    std::vector<uint8_t> frame = BuildFrame(a);
    if (frame.empty())
        return 0;
    StartSendThreadIfStopped();
    Place(PendingCommand{std::move(frame)}, llValue);
    return 1;
}

int CDSOSetup::SendCommand(const CommandArgs& a)
{
    return SendCommand(a.nCmd, a.nPos, a.nArg1, a.nArg2, a.nByte, a.llValue, a.nChannel, a.nKeyArg, a.pData,
                       a.nDataLen, a.nSub);
}

// Placement by the frame's command byte: 17 goes to the head and a second
// copy to the tail; 2 to the head; 18 to the tail only for the value 1; 19
// discards everything waiting and goes to the head; all else to the tail.
void CDSOSetup::Place(PendingCommand&& record, int64_t llValue)
{
    const uint8_t code = record.frame[3];
    std::lock_guard<std::mutex> lock(m_listLock);
    switch (code) {
    case kCmdSysParamBlock:
        CommandList.push_front(record);
        CommandList.push_back(std::move(record));
        break;
    case kCmdWaveform:
        CommandList.push_front(std::move(record));
        break;
    case kCmdReadMode:
        if (llValue == 1)
            CommandList.push_back(std::move(record));
        else
            CommandList.push_front(std::move(record));
        break;
    case kCmdKey:
        CommandList.clear();
        CommandList.push_front(std::move(record));
        break;
    default:
        CommandList.push_back(std::move(record));
        break;
    }
}

void CDSOSetup::ClearCommands()
{
    std::lock_guard<std::mutex> lock(m_listLock);
    CommandList.clear();
}

size_t CDSOSetup::PendingCount() const
{
    std::lock_guard<std::mutex> lock(m_listLock);
    return CommandList.size();
}

std::vector<std::vector<uint8_t>> CDSOSetup::PendingFrames() const
{
    std::lock_guard<std::mutex> lock(m_listLock);
    std::vector<std::vector<uint8_t>> frames;
    for (const PendingCommand& c : CommandList)
        frames.push_back(c.frame);
    return frames;
}

int CDSOSetup::IsChannelOn(int) const
{
    return 1;
}

int CDSOSetup::IsThirdTraceOn() const
{
    return 0;
}

int CDSOSetup::IsStopped() const
{
    return 0;
}

void CDSOSetup::BeginLink()
{
    ClearCommands();
    g_bSend.store(1);
}

FrontPanelState CDSOSetup::OpenFrontPanel()
{
    ClearCommands();
    SendCommand(ReadModeCommand(0));
    FrontPanelState s;
    s.ch1Shown = IsChannelOn(0) != 0;
    s.ch2Shown = IsChannelOn(1) != 0;
    s.mathShown = IsThirdTraceOn() != 0;
    s.stopped = IsStopped() != 0;
    return s;
}

void CDSOSetup::CloseFrontPanel()
{
    ClearCommands();
    SendCommand(ReadModeCommand(0));
    g_WaveTransOver.store(1);
}

void CDSOSetup::StartSendThreadIfStopped()
{
    std::lock_guard<std::mutex> lock(m_threadLock);
    if (m_bSendThread.load() != 0)
        return;
    if (m_sendThread.joinable())
        m_sendThread.join();
    m_bSendThread.store(1);
    m_sendThread = std::thread(SendThreadProc, this);
}

void CDSOSetup::StopSendThread()
{
    std::lock_guard<std::mutex> lock(m_threadLock);
    {
        std::lock_guard<std::mutex> wake(m_wakeLock);
        m_bSendThread.store(0);
    }
    m_wake.notify_all();
    if (m_sendThread.joinable())
        m_sendThread.join();
}

// The list lock is held while the frame is written, so a caller that queues
// during a write waits until the write has returned.
void CDSOSetup::WriteHeadIfReleased()
{
    if (g_bSend.load() != 1)
        return;
    std::lock_guard<std::mutex> lock(m_listLock);
    if (CommandList.empty())
        return;
    g_bSend.store(0);
    const std::vector<uint8_t>& frame = CommandList.front().frame;
    if (CUsbDevice* device = m_pDevice.load()) {
        const auto start = std::chrono::steady_clock::now();
        device->WriteData(frame.data(), static_cast<uint32_t>(frame.size()));
        m_writeNanoseconds.fetch_add(
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
    }
    m_framesWritten.fetch_add(1);
    NotifyLinkMonitor(2, frame[3]);
    CommandList.pop_front();
}

void CDSOSetup::SendThreadProc(CDSOSetup* self)
{
    NotifyLinkMonitor(3, 0);
    while (self->m_bSendThread.load() == 1) {
        self->WriteHeadIfReleased();
        // A system-clock deadline: the library waits on it with the call
        // that the thread checkers understand (a short poll does not mind
        // a clock step).
        std::unique_lock<std::mutex> wake(self->m_wakeLock);
        self->m_wake.wait_until(wake,
                                std::chrono::system_clock::now() + std::chrono::milliseconds(self->m_timings.sendPollMs),
                                [self] { return self->m_bSendThread.load() != 1; });
    }
}

CommandArgs PlainCommand(int32_t code)
{
    CommandArgs a;
    a.nCmd = code;
    a.nArg1 = Null_Menu.menu;
    a.nArg2 = Null_Menu.item;
    return a;
}

CommandArgs ReadModeCommand(int64_t value)
{
    CommandArgs a = PlainCommand(kCmdReadMode);
    a.nPos = 1;
    a.llValue = value;
    return a;
}

CommandArgs WaveformCommand(int32_t channel)
{
    CommandArgs a = PlainCommand(kCmdWaveform);
    a.nSub = 1;
    a.nChannel = channel;
    return a;
}
