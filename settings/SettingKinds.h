#pragma once
// The setting kinds of the settings panel: every editable (or shown) setting
// has a kind number that the tree, the parameter dialog and the model share.
// For each kind this table says which protocol parameter an edit writes, the
// UI-system-table segment through which a list position becomes the
// instrument's value, how the new value is entered, and where its choice
// labels come from.
//
// Targets: channel kinds take the channel (1 CH1, 2 CH2); trigger kinds take
// the trigger target (1 swap CH1, 2 swap CH2, 3 the normal trigger);
// measurement kinds take the item (1 to 8); other kinds ignore it.
#include <string>

enum SETTING_KIND : int {
    KIND_DISPLAY_FORMAT = 0,
    KIND_PERSISTENCE = 1,
    KIND_DISPLAY_STYLE = 2,
    KIND_CONTRAST = 3,
    KIND_GRID_KIND = 4,
    KIND_GRID_BRIGHT = 5,
    KIND_ACQUIRE_TYPE = 6,
    KIND_ACQUIRE_MODE = 7,
    KIND_AVERAGE_COUNT = 8,
    KIND_ACQUIRE_STATE = 9,
    KIND_STOP_AFTER = 10,
    KIND_STORE_DEPTH = 11,
    KIND_CHANNEL_ON = 12,
    KIND_BANDWIDTH = 13,
    KIND_COUPLING = 14,
    KIND_VERT_POSITION = 15,
    KIND_VOLTS_PER_DIV = 16,
    KIND_PROBE = 17,
    KIND_INVERT = 18,
    KIND_MATH_ON = 19,
    KIND_MATH_OPERATION = 20,
    KIND_FFT_SOURCE = 21,
    KIND_FFT_WINDOW = 22,
    KIND_FFT_ZOOM = 23,
    KIND_HORIZ_VIEW = 24,
    KIND_WINDOW_TIME_BASE = 26,
    KIND_TRIGGER_POSITION = 27,
    KIND_MAIN_TIME_BASE = 28,
    KIND_HOLDOFF = 29,
    KIND_TRIGGER_LEVEL = 30,
    KIND_TRIGGER_MODE = 31,
    KIND_TRIGGER_TYPE = 32,
    KIND_TRIGGER_COUPLING = 33,
    KIND_EDGE_SLOPE = 34,
    KIND_EDGE_SOURCE = 35,
    KIND_VIDEO_POLARITY = 36,
    KIND_VIDEO_STANDARD = 37,
    KIND_VIDEO_SOURCE = 38,
    KIND_VIDEO_SYNC = 39,
    KIND_VIDEO_LINE = 40,
    KIND_PULSE_SOURCE = 41,
    KIND_PULSE_POLARITY = 42,
    KIND_PULSE_WHEN = 43,
    KIND_PULSE_WIDTH = 44,
    KIND_SLOPE_SOURCE = 45,
    KIND_SLOPE_SET = 46,
    KIND_SLOPE_WINDOW = 47,
    KIND_SLOPE_V1 = 48,
    KIND_SLOPE_V2 = 49,
    KIND_SLOPE_WHEN = 50,
    KIND_SLOPE_TIME = 51,
    KIND_OVERTIME_SOURCE = 52,
    KIND_OVERTIME_POLARITY = 53,
    KIND_OVERTIME_TIME = 54,
    KIND_TRIGGER_FREQUENCY = 55,
    KIND_TRIGGER_STATE = 56,
    KIND_MEASURE_SOURCE = 57,
    KIND_MEASURE_ITEM = 58,
    KIND_AUTOSET = 59,
    KIND_FACTORY = 60,
    KIND_RUN = 62,
    KIND_STOP = 63,
    KIND_LEVEL_50 = 64,
    KIND_FORCE = 65,
    KIND_LOCK = 66,
    KIND_UNLOCK = 67,
    KIND_FRONT_PANEL = 68,
};

// Trigger targets.
inline constexpr int kTargetSwapCH1 = 1;
inline constexpr int kTargetSwapCH2 = 2;
inline constexpr int kTargetNormal = 3;

// Where the parameter name of a kind comes from.
enum class KindScope {
    None,     // writes no parameter (shown only, keys, lock/unlock, front panel)
    Plain,    // the name as given
    Channel,  // "VERT-CH1-" or "VERT-CH2-" + name
    Trigger,  // "TRIG-" + name, or "TRIG-SWAP-CH1-"/"TRIG-SWAP-CH2-" + name for the swap targets
    Measure,  // "MEASURE-ITEM" + item number + name
    Key,      // a front-panel key name
};

// How the new value of a kind is entered.
enum class KindInput {
    None,          // shown only, or no value (keys, lock, unlock)
    List,          // a position in a choice list
    Position,      // vertical position in divisions (1/25 division in the block)
    VoltsPerDiv,   // volts per division, with the channel's fine mode
    Time,          // a time (picoseconds in the block)
    Level,         // a trigger level in volts (1/25 division on the screen in the block)
    Line,          // a video line number
};

// The label table of a list kind without a segment (rows of corvane/ValueTables.h).
enum class ChoiceTable { None, Segment, Vt, Tg, Mt, Ac, Ds, Hz };

struct KindInfo {
    int kind = -1;
    const char* param = nullptr;    // name or name part; null for kinds that write no parameter
    const char* segment = nullptr;  // segment of the UI system table, null when none
    KindScope scope = KindScope::None;
    KindInput input = KindInput::None;
    bool swappable = false;         // trigger kind with swap names
    int triggerType = -1;           // trigger type the setting belongs to (-1: any)
    ChoiceTable table = ChoiceTable::None;
    int row = -1;                   // row of the label table
    int timeKind = -1;              // TimeProcess kind of a Time input
};

// The description of a kind; null for a number that is no kind.
const KindInfo* FindKind(int kind);

// Every kind in number order.
const KindInfo* KindsBegin();
const KindInfo* KindsEnd();

// The segment a kind reads its choices from for a target: the trigger type
// of a swap target lists "SWAPTGTYPE", every other kind its own segment.
const char* KindSegment(const KindInfo& info, int target);

// The protocol parameter an edit of the kind writes for the target; empty
// for kinds that write none or a target outside the kind's range.
std::string KindParameter(const KindInfo& info, int target);

// Whether a target is valid for a kind (channel 1..2, trigger 1..3,
// measurement item 1..8; any target for the other kinds).
bool IsValidTarget(const KindInfo& info, int target);
