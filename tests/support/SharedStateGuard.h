#pragma once
// Saves the shared acquisition and link state a test may change (the
// waveform parameters, record length, shown traces, running-view count, link
// and read-mode flags, language) and puts it back when it goes, so that one
// test's settings do not leak into the next.
#include <cstdint>

#include "corvane/SharedState.h"

class CSharedStateGuard {
public:
    CSharedStateGuard();
    ~CSharedStateGuard();
    CSharedStateGuard(const CSharedStateGuard&) = delete;
    CSharedStateGuard& operator=(const CSharedStateGuard&) = delete;

private:
    tagWaveformParam m_wfm;
    int32_t m_recordLength;
    int32_t m_show[3];
    int32_t m_updateNum;
    int32_t m_runThread;
    int32_t m_readWfm;
    uint32_t m_language;
};
