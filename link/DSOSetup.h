#pragma once
// CDSOSetup, sender side: every request to the instrument leaves as a command
// frame ("S", 16-bit little-endian length, command code, arguments, 8-bit
// sum). SendCommand builds the frame, places it in the pending-command list
// (head or tail by a fixed rule per command) and returns at once; the send
// thread writes one frame each time g_bSend allows it and clears the flag, so
// the link runs one command at a time, paced by the instrument's answers.
//
// The settings model builds on this class (it derives from it and overrides
// the channel queries used by RequestWaveforms). SendCommand and the list
// functions may be called from any thread.
#include <condition_variable>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "link/LinkTimings.h"

class CUsbDevice;

// One queued frame. Frames are held whole, whatever their length (a system
// parameter block may exceed any fixed record size).
struct PendingCommand {
    std::vector<uint8_t> frame;
};

// The arguments of SendCommand; members not used by a command keep the values
// callers pass for "unused".
struct CommandArgs {
    int32_t nCmd = 0;
    int32_t nPos = -1;          // position byte; for 15 and 31 also the size class nPos / 32
    int32_t nArg1 = -1;         // menu number (14, 30)
    int32_t nArg2 = -1;         // item number (14, 30)
    int32_t nByte = -1;         // 30; the byte form of 31
    int64_t llValue = -1;       // 18 and 19 (low byte), 31 (1, 2, 4 or 8 bytes)
    int32_t nChannel = -1;      // 2 with nSub 1: 0 CH1, 1 CH2
    int32_t nKeyArg = 1;        // 19
    const uint8_t* pData = nullptr;  // 16, 17, block form of 31
    int32_t nDataLen = 0;       // payload length of 17 and the block form of 31
    int32_t nSub = -1;          // 2 only: 0 or 1
};

// Command codes the program sends.
enum : int32_t {
    kCmdStop = 0,
    kCmdStatus = 1,
    kCmdWaveform = 2,
    kCmdMenuItem = 14,
    kCmdSmallParam = 15,
    kCmdConfigFile = 16,
    kCmdSysParamBlock = 17,
    kCmdReadMode = 18,
    kCmdKey = 19,
    kCmdMenuByte = 30,
    kCmdSmallParamWrite = 31,
    kCmdScreen = 32,
    kCmdAlternateMark = 127,
};

// A command that concerns no instrument menu (both menu arguments from
// Null_Menu).
CommandArgs PlainCommand(int32_t code);
// Command 18 at position 1: value 1 holds the current record for reading,
// value 0 releases it.
CommandArgs ReadModeCommand(int64_t value);
// Command 2, sub-form 1: the record of channel 0 (CH1) or 1 (CH2).
CommandArgs WaveformCommand(int32_t channel);

// The state the virtual front panel is opened with.
struct FrontPanelState {
    bool ch1Shown = false;
    bool ch2Shown = false;
    bool mathShown = false;
    bool stopped = false;   // the trigger state is STOP
};

class CDSOSetup {
public:
    // Largest payload a frame can carry: the 16-bit length counts it plus the
    // bytes after the length field.
    static constexpr int32_t kMaxFrameLength = 0xFFFF + 3;

    explicit CDSOSetup(const LinkTimings& timings = {});
    CDSOSetup(const CDSOSetup&) = delete;
    CDSOSetup& operator=(const CDSOSetup&) = delete;
    virtual ~CDSOSetup();

    // The device the send thread writes through (not owned; may be null, then
    // frames that are due are dropped as a failed write would be).
    void SetDevice(CUsbDevice* device) { m_pDevice.store(device); }
    CUsbDevice* GetDevice() const { return m_pDevice.load(); }

    // Builds and queues one command; starts the send thread when it is not
    // running. Returns 1 when a frame was queued, 0 when the arguments cannot
    // form one (a payload without data, a negative or too long payload, a size
    // class outside 0..3): such a request is refused whole.
    virtual int SendCommand(int32_t nCmd, int32_t nPos, int32_t nArg1, int32_t nArg2, int32_t nByte,
                            int64_t llValue, int32_t nChannel, int32_t nKeyArg, const uint8_t* pData,
                            int32_t nDataLen, int32_t nSub);
    int SendCommand(const CommandArgs& a);

    // The frame of a command, or an empty vector when it cannot be formed.
    static std::vector<uint8_t> BuildFrame(const CommandArgs& a);

    // Empties the pending-command list.
    void ClearCommands();
    // A new link begins (Connect): nothing queued for the old one goes out,
    // and the first frame may go at once. Overrides call this first.
    virtual void BeginLink();
    // Opening the virtual front panel: the waiting commands are dropped, read
    // mode is released (command 18, position 1, value 0) and the panel gets
    // its four state flags. Closing it: the waiting commands are dropped, read
    // mode is released at once and a new transfer may start.
    FrontPanelState OpenFrontPanel();
    void CloseFrontPanel();
    // Number of frames waiting.
    size_t PendingCount() const;
    // Copies of the waiting frames, head first.
    std::vector<std::vector<uint8_t>> PendingFrames() const;
    // Frames written by the send thread since construction.
    uint64_t FramesWritten() const { return m_framesWritten.load(); }
    // Time the send thread spent inside the device's write calls since
    // construction, in nanoseconds: an instrument that takes a frame in only
    // once it has its answer ready spends its answer time there.
    int64_t WriteNanoseconds() const { return m_writeNanoseconds.load(); }

    bool IsSendThreadRunning() const { return m_bSendThread.load() != 0; }
    // Clears the send-thread flag and waits for the thread to end (it ends at
    // its next poll); the next SendCommand starts it again.
    void StopSendThread();

    // Whether channel 0 (CH1) or 1 (CH2) is switched on, and whether the third
    // trace is; RequestWaveforms asks these. The sender alone knows no
    // settings and answers "both channels on, no third trace"; the settings
    // model overrides them.
    virtual int IsChannelOn(int channel) const;
    virtual int IsThirdTraceOn() const;
    // Whether the instrument's trigger state is STOP; the sender alone: no.
    virtual int IsStopped() const;

private:
    static void SendThreadProc(CDSOSetup* self);
    void StartSendThreadIfStopped();
    void Place(PendingCommand&& record, int64_t llValue);
    void WriteHeadIfReleased();

    LinkTimings m_timings;
    std::atomic<CUsbDevice*> m_pDevice{nullptr};

    mutable std::mutex m_listLock;           // guards CommandList
    std::deque<PendingCommand> CommandList;

    std::mutex m_threadLock;                 // serialises starting and stopping the thread
    std::atomic<int32_t> m_bSendThread{0};   // 1 while the send thread is to run
    std::thread m_sendThread;
    std::mutex m_wakeLock;
    std::condition_variable m_wake;          // cuts the poll sleep short when stopping
    std::atomic<uint64_t> m_framesWritten{0};
    std::atomic<int64_t> m_writeNanoseconds{0};
};
