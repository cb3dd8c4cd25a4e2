#pragma once
// The pace the protocol allows a run of acquisitions: the send thread writes
// a frame at one of its polls once the previous frame's answer has come, so
// each frame costs at most one poll period plus its answer. While a CLinkPace
// lives it counts the frames the link writes and times each answer, from the
// start of its write call (the sender's WriteNanoseconds tells how long the
// call took) to the last packet read before the next write call starts,
// through the link monitor hook. quorvex-cli capture and the benchmarks use
// it. One at a time; the hook runs on the link's threads.
#include <cstdint>

class CDSOSetup;

class CLinkPace {
public:
    CLinkPace(const CDSOSetup& sender, uint32_t pollMs);
    ~CLinkPace();
    CLinkPace(const CLinkPace&) = delete;
    CLinkPace& operator=(const CLinkPace&) = delete;

    struct Figures {
        uint64_t frames = 0;
        double answerSeconds = 0;  // all answers together
        double boundSeconds = 0;   // frames * poll + answers
    };
    // The figures so far (an answer still arriving counts up to its last read).
    Figures Measured() const;

private:
    const CDSOSetup& m_sender;
    int64_t m_writeNanosecondsAtStart;
    uint32_t m_pollMs;
};
