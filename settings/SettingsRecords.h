#pragma once
// The group records of the settings panel: one record per group of settings,
// in panel order (control, display, acquire, CH1, CH2, math, horizontal,
// trigger, measurement items 1 to 8, menu state). Each setting keeps its
// decoded value and the text the tree shows for it. The decode fills them
// from the system parameter block; the refusal rules and the edits read them.
//
// A SettingValue holds a list position for choice settings and a number in
// the block's own unit for continuous ones (positions and levels in 1/25
// division, times in picoseconds, frequencies in hertz, volts per division in
// µV).
#include <cstdint>
#include <map>
#include <string>

#include "corvane/SharedState.h"

class CDSOSetup;
struct SegmentData;

struct SettingValue {
    int64_t value = 0;      // list position or number
    std::string text;       // as the tree shows it
    bool known = false;     // decoded at least once
    const SegmentData* segment = nullptr;  // the choice's segment, when it has one
};

struct ControlRecord {
    CDSOSetup* sender = nullptr;  // the command sender
    SettingValue model;           // instrument model number ("CONTROL-TYPE")
};

struct DisplayRecord {
    SettingValue format, persistence, style, contrast, gridKind, gridBright;
};

struct AcquireRecord {
    SettingValue type, mode, averageCount, state, stopAfter, storeDepth;
};

struct ChannelRecord {
    SettingValue display, bandwidth, coupling, position, voltsPerDiv, probe, invert;
    int64_t fineCount = 0;   // "VERT-CHn-CNT-FINE"
    int64_t fineMode = 0;    // "VERT-CHn-FINE"
    int64_t probeFactor = 1; // 1, 10, 100 or 1000
};

struct MathRecord {
    SettingValue display, operation, fftSource, fftWindow, fftZoom, fftDb;
};

struct HorizontalRecord {
    SettingValue view, windowTimeBase, triggerPosition, mainTimeBase;
    int64_t mainTimePerDivNs = 0;
};

// The settings that exist once for the normal trigger and once per swap channel.
struct TriggerModeRecord {
    SettingValue mode, type, coupling, edgeSlope, videoPolarity, videoStandard, videoSync, videoLine,
        pulsePolarity, pulseWhen, pulseWidth, slopeSet, slopeWindow, slopeV1, slopeV2, slopeWhen, slopeTime;
};

struct TriggerRecord {
    TriggerModeRecord normal;
    TriggerModeRecord swap[2];    // swap CH1, swap CH2
    SettingValue holdoff, level, edgeSource, videoSource, pulseSource, slopeSource, overtimeSource,
        overtimePolarity, overtimeTime, frequency, state;
    int64_t holdoffMinPs = 0;
    int64_t holdoffMaxPs = 0;
};

struct MeasureRecord {
    SettingValue source, item;
};

struct MenuStateRecord {
    int64_t menuId = 0;      // "CONTROL-MENUID": the instrument's menu on screen
    int64_t menuShown = 1;   // "CONTROL-DISP-MENU": 1 shown, 0 hidden
};

struct CSettingsRecords {
    ControlRecord control;
    DisplayRecord display;
    AcquireRecord acquire;
    ChannelRecord channel[2];
    MathRecord math;
    HorizontalRecord horizontal;
    TriggerRecord trigger;
    MeasureRecord measure[8];
    MenuStateRecord menu;

    // Every parameter as last read from the block (after the width rule and
    // the sign of positions and levels), by name; a parameter the
    // description does not name keeps its earlier value or is absent.
    std::map<std::string, int64_t> raw;
    // The raw value of a parameter, or fallback when it was never read.
    int64_t Raw(const std::string& name, int64_t fallback = 0) const;

    // The setting of a kind and target; null for a kind that has no value
    // (keys, commands) or a target outside its range.
    SettingValue* Find(int kind, int target);
    const SettingValue* Find(int kind, int target) const;

    // The trigger settings of a target (1 swap CH1, 2 swap CH2, 3 normal).
    const TriggerModeRecord& TriggerMode(int target) const;
    // The trigger type list position in force for a target.
    int64_t TriggerTypeOf(int target) const;
};

// Stores the decoded settings into the fields of the waveform parameters
// that the data windows snapshot. The caller holds g_csLock.
void BindToWaveformParam(const CSettingsRecords& records, tagWaveformParam& param);
