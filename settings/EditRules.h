#pragma once
// Which edits the settings panel refuses, and with which message. The rules
// read the decoded settings (list positions of the group records) and the
// waveform parameters; they change nothing.
//
// A refusal is the two-language message table whose text the panel shows
// (szXYMode, szTGType, ...), as a pointer to its English row: row
// LanguageIndex() of it is the text to show. Null means the edit may go on.
#include <cstdint>

#include "corvane/SharedState.h"
#include "settings/SettingsRecords.h"

using RefusalMessage = const char (*)[50];

class CEditRules {
public:
    CEditRules(const CSettingsRecords& records, const tagWaveformParam& waveform)
        : m_r(records), m_wfm(waveform)
    {
    }

    // Refusals on the current state, before any choice is asked for.
    RefusalMessage RefuseOnState(int kind, int target) const;

    // Refusals on the chosen value: position is the chosen list position and
    // code the instrument value it stands for.
    RefusalMessage RefuseChoice(int kind, int position, int code) const;

    // The instrument value of the deep store depth, which needs one channel
    // and a fast time base, and the slowest time per division it allows (ns).
    static constexpr int kDeepDepthCode = 7;
    static constexpr float kDeepDepthSlowestNs = 80000.0f;

    // The main time base is in the scan range (its label is "Scan").
    bool IsScan() const;

private:
    bool IsXY() const;
    bool IsMathFFT() const;
    bool IsFFTShown() const;
    bool ChannelShown(int channel) const;
    int ShownChannels() const;

    RefusalMessage RefuseStoreDepth() const;
    RefusalMessage RefuseByDisplay(int kind, int target) const;
    RefusalMessage RefuseByTrigger(int kind, int target) const;
    RefusalMessage RefuseByAcquisition(int kind) const;

    const CSettingsRecords& m_r;
    const tagWaveformParam& m_wfm;
};
