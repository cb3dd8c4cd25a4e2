#pragma once
// Turns the choice made for a setting into the parameter writes of the
// system parameter block: the list position through the setting's segment
// of the UI system table, a typed value through its input processor, and
// the further writes some settings carry (time bases, the trigger level that
// follows a trace, the display format that follows FFT, ...). It computes the
// writes only; the settings model makes them under g_csLock.
//
// Units written: positions and levels in 1/25 division on the screen, times
// in picoseconds, time bases as their scale code + 1, every other choice as
// its instrument value.
#include <cstdint>
#include <string>
#include <vector>

#include "corvane/SharedState.h"
#include "settings/SettingChooser.h"
#include "settings/SettingsRecords.h"

class CUI_Sys_table;
struct KindInfo;
struct SegmentData;

struct ParamWrite {
    std::string name;
    int64_t value;
    bool operator==(const ParamWrite& o) const { return name == o.name && value == o.value; }
};

enum class WriteStatus {
    Ok,
    NoSegment,    // the setting's segment is not in the UI system table
    OutOfList,    // the position is not one of the list's entries
    Rejected,     // the typed value was refused by its input processor
    NotEditable,  // the kind writes no parameter, or the target is wrong
};

class CEditWriter {
public:
    CEditWriter(const CSettingsRecords& records, const CUI_Sys_table& table, const tagWaveformParam& waveform)
        : m_r(records), m_table(table), m_wfm(waveform)
    {
    }

    // The writes for a choice; out is replaced. shownText receives the text
    // of the value as its input processor wrote it back (typed kinds).
    WriteStatus Writes(int kind, int target, const SettingChoice& choice, std::vector<ParamWrite>& out,
                       std::string* shownText = nullptr) const;

    // The instrument value of a list position of a kind (for the refusal on
    // the chosen value); -1 when the kind has no segment or the position is
    // not in it.
    int ChosenCode(int kind, int target, int position) const;

    // The list position of the volts per division v (µV, probe included) and
    // the fine count that reaches it from the entry below; fills both and
    // returns false when "VBASE" is missing.
    bool VoltsPosition(int64_t v, int64_t probe, int& position, int64_t& fine) const;

private:
    const SegmentData* Segment(const KindInfo& info, int target) const;
    int Code(const char* segment, int position) const;

    WriteStatus ListWrites(const KindInfo& info, int target, int position, std::vector<ParamWrite>& out) const;
    WriteStatus TypedWrites(const KindInfo& info, int target, const std::string& text,
                            std::vector<ParamWrite>& out, std::string& shown) const;

    void AcquireTypeWrites(int position, int code, std::vector<ParamWrite>& out) const;
    void ChannelOnWrites(int channel, int on, std::vector<ParamWrite>& out) const;
    void MainTimeBaseWrites(int position, std::vector<ParamWrite>& out) const;
    void WindowTimeBaseWrites(int position, std::vector<ParamWrite>& out) const;
    void TriggerTypeWrites(int target, int position, int code, std::vector<ParamWrite>& out) const;
    void InvertWrites(int channel, int invert, std::vector<ParamWrite>& out) const;

    WriteStatus PositionWrites(int channel, const std::string& text, std::vector<ParamWrite>& out,
                               std::string& shown) const;
    WriteStatus VoltsWrites(int channel, const std::string& text, std::vector<ParamWrite>& out,
                            std::string& shown) const;
    WriteStatus LevelWrites(const KindInfo& info, int target, const std::string& text,
                            std::vector<ParamWrite>& out, std::string& shown) const;

    const CSettingsRecords& m_r;
    const CUI_Sys_table& m_table;
    const tagWaveformParam& m_wfm;
};
