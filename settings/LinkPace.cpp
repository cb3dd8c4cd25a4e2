#include "settings/LinkPace.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

#include "link/DSOSetup.h"
#include "link/LinkMonitor.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr int32_t kFrameWritten = 2;
constexpr int32_t kReadCompleted = 4;

// The monitor reports a write once the write call has returned, and the
// answer may already be read by then: a write's start is its report less the
// time the sender spent in the call, and reads after that start belong to it.
struct PaceLog {
    std::mutex lock;
    std::atomic<const CDSOSetup*> sender{nullptr};
    uint64_t frames = 0;
    Clock::duration answers{};      // writes' answers after their write calls
    int64_t writeNanoseconds = 0;   // the sender's figure at the last report
    Clock::time_point written;      // the last write's report
    std::vector<Clock::time_point> reads;  // since the last write's start
    bool open = false;

    // The last frame's answer after its write call, up to its last read
    // before `until`.
    Clock::duration AnswerBefore(Clock::time_point until) const
    {
        Clock::time_point last = written;
        for (Clock::time_point t : reads)
            if (t < until)
                last = std::max(last, t);
        return open ? last - written : Clock::duration{};
    }
};

PaceLog s_log;

void OnLinkEvent(int32_t what, int32_t)
{
    if (what != kFrameWritten && what != kReadCompleted)
        return;
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> lock(s_log.lock);
    if (what == kReadCompleted) {
        s_log.reads.push_back(now);
        return;
    }
    const CDSOSetup* sender = s_log.sender.load();
    const int64_t total = sender ? sender->WriteNanoseconds() : s_log.writeNanoseconds;
    const Clock::time_point start = now - std::chrono::nanoseconds(total - s_log.writeNanoseconds);
    s_log.answers += s_log.AnswerBefore(start);
    std::erase_if(s_log.reads, [&](Clock::time_point t) { return t < start; });
    s_log.writeNanoseconds = total;
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
        s_log.sender.store(&sender);
        s_log.frames = 0;
        s_log.answers = {};
        s_log.writeNanoseconds = m_writeNanosecondsAtStart;
        s_log.reads.clear();
        s_log.open = false;
    }
    SetLinkMonitorHook(OnLinkEvent);
}

CLinkPace::~CLinkPace()
{
    SetLinkMonitorHook(nullptr);
    std::lock_guard<std::mutex> lock(s_log.lock);
    s_log.sender.store(nullptr);
}

CLinkPace::Figures CLinkPace::Measured() const
{
    std::lock_guard<std::mutex> lock(s_log.lock);
    Figures f;
    f.frames = s_log.frames;
    const std::chrono::nanoseconds writing(m_sender.WriteNanoseconds() - m_writeNanosecondsAtStart);
    const Clock::duration answers = s_log.answers + s_log.AnswerBefore(Clock::time_point::max()) + writing;
    f.answerSeconds = std::chrono::duration<double>(answers).count();
    f.boundSeconds = static_cast<double>(f.frames) * m_pollMs / 1000.0 + f.answerSeconds;
    return f;
}
