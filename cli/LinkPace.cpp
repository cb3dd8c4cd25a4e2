#include "cli/LinkPace.h"

#include <chrono>
#include <mutex>

#include "link/DSOSetup.h"
#include "link/LinkMonitor.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr int32_t kFrameWritten = 2;
constexpr int32_t kReadCompleted = 4;

struct PaceLog {
    std::mutex lock;
    uint64_t frames = 0;
    Clock::duration answers{};
    Clock::time_point written;   // the last frame's write
    Clock::time_point lastRead;  // the last read since then
    bool open = false;           // a frame was written and its answer not yet counted

    Clock::duration OpenAnswer() const { return open && lastRead > written ? lastRead - written : Clock::duration{}; }
};

PaceLog s_log;

void OnLinkEvent(int32_t what, int32_t)
{
    if (what != kFrameWritten && what != kReadCompleted)
        return;
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> lock(s_log.lock);
    if (what == kReadCompleted) {
        s_log.lastRead = now;
        return;
    }
    s_log.answers += s_log.OpenAnswer();
    ++s_log.frames;
    s_log.written = now;
    s_log.open = true;
}
}  // namespace

CLinkPace::CLinkPace(const CDSOSetup& sender, uint32_t pollMs)
    : m_sender(sender), m_writeNanosecondsAtStart(sender.WriteNanoseconds()), m_pollMs(pollMs)
{
    {
        std::lock_guard<std::mutex> lock(s_log.lock);
        s_log.frames = 0;
        s_log.answers = {};
        s_log.open = false;
    }
    SetLinkMonitorHook(OnLinkEvent);
}

CLinkPace::~CLinkPace()
{
    SetLinkMonitorHook(nullptr);
}

CLinkPace::Figures CLinkPace::Measured() const
{
    std::lock_guard<std::mutex> lock(s_log.lock);
    Figures f;
    f.frames = s_log.frames;
    const std::chrono::nanoseconds writing(m_sender.WriteNanoseconds() - m_writeNanosecondsAtStart);
    f.answerSeconds = std::chrono::duration<double>(s_log.answers + s_log.OpenAnswer() + writing).count();
    f.boundSeconds = static_cast<double>(f.frames) * m_pollMs / 1000.0 + f.answerSeconds;
    return f;
}
