#pragma once
// CScopedFlag: sets one of the shared process flags (g_bFileProcess while a
// file dialog is open or a file is read or written, g_bPrintProcess while a
// printout is drawn, g_bPreview while a print preview is open) to 1 for the
// life of the guard and back to 0 when it goes, whatever way the scope ends.
#include <atomic>
#include <cstdint>

class CScopedFlag {
public:
    explicit CScopedFlag(std::atomic<int32_t>& flag) : m_flag(flag) { m_flag.store(1); }
    ~CScopedFlag() { m_flag.store(0); }
    CScopedFlag(const CScopedFlag&) = delete;
    CScopedFlag& operator=(const CScopedFlag&) = delete;

private:
    std::atomic<int32_t>& m_flag;
};
