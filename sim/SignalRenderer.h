// Turns the signals at the probe tips into the sample records the simulated
// instrument sends: one byte per sample, the signed count of the trace (25
// counts per vertical division, 0 on the centre line, positive upward) cast
// to uint8_t.
//
// Per sample: volts = signal (after coupling); counts = round(volts /
// voltsPerDiv * 25), negated when inverted, plus the channel position; the
// result is clipped to +-kClipCounts, the top and bottom edges of the 8
// division screen. The byte values 0x80 (-128), 0x81 (-127) and, in scan mode,
// 0xFF (-1) are markers to the program and never stand for a sample here.
//
// Timing: the record spans gridDivisions divisions of secondsPerDiv, so the
// sample interval is secondsPerDiv * gridDivisions / recordLength. The record
// is triggered: the first crossing of the trigger level with the chosen slope
// found on the source channel at or after startTime lands on the trigger
// sample (record centre + triggerOffsetDiv divisions). Without a crossing the
// acquisition free-runs: the record starts at startTime.
#pragma once

#include "sim/SignalSource.h"

#include <cstdint>
#include <vector>

constexpr int kCountsPerDiv = 25;
constexpr int kClipCounts = 100;          // 4 divisions above and below the centre
constexpr int kMaxRecordLength = 4000000; // longer requests give an empty record

enum class Coupling { Dc, Ac, Gnd };

// One channel's vertical settings.
struct ChannelFrontEnd {
    bool enabled = true;       // the screen hides a disabled trace; records render regardless
    double voltsPerDiv = 1.0;  // at the probe tip, probe factor applied (10x probe: 10 x the scale)
    Coupling coupling = Coupling::Dc;
    int positionCounts = 0;    // trace centre line, counts above the screen centre
    bool inverted = false;
};

struct TriggerSetup {
    int sourceChannel = 1;     // 1 or 2
    double levelVolts = 0.0;   // at the source probe tip, compared with the coupled clean signal
    bool risingSlope = true;
};

struct AcquisitionTiming {
    double secondsPerDiv = 1e-3;
    double gridDivisions = 16.0;    // 16 with the menu shown, 19.2 with it hidden
    int recordLength = 3200;        // samples
    TriggerSetup trigger;
    double triggerOffsetDiv = 0.0;  // trigger point right of the record centre, divisions
    double startTime = 0.0;         // seconds; where the trigger search begins
    uint64_t seed = 1;              // noise sequence; change it per acquisition for live noise
    bool scanMode = false;          // slow time bases: the record fills from the left
    double scanFilled = 1.0;        // scan mode: share of the record acquired so far (0 ... 1);
                                    // the rest holds the not-yet-acquired marker 0xFF
};

// Seconds between two samples; 0 for an unusable timing.
double SampleInterval(const AcquisitionTiming& timing);

// Index of the sample that sits on the trigger point (may lie outside the
// record when the offset pushes it off screen).
double TriggerSampleIndex(const AcquisitionTiming& timing);

struct TriggerResult {
    bool triggered = false; // a crossing was found ("Trigd"), else free-running ("Auto")
    double time = 0.0;      // seconds: the signal time at the trigger sample
};

// Looks for the trigger crossing on the source channel. ch1/ch2 are the signals
// on the two probe tips (bus lines resolved as described in SignalSource.h);
// sourceFrontEnd supplies the coupling of the source channel (AC removes the
// mean, GND gives no crossing).
TriggerResult FindTrigger(const SignalSpec& ch1, const SignalSpec& ch2,
                          const ChannelFrontEnd& sourceFrontEnd,
                          const AcquisitionTiming& timing);

// Renders the record of channel 1 or 2 at the given trigger time (from
// FindTrigger, so both channels share one). Returns an empty vector for a
// channel other than 1 or 2, a record length outside 1 ... kMaxRecordLength or
// a scale that is not positive.
std::vector<uint8_t> RenderChannel(const SignalSpec& ch1, const SignalSpec& ch2, int channel,
                                   const ChannelFrontEnd& frontEnd,
                                   const AcquisitionTiming& timing,
                                   const TriggerResult& trigger);

// Convenience: finds the trigger assuming the source channel has DC coupling
// (or frontEnd's coupling when the source is this channel) and renders.
std::vector<uint8_t> RenderChannel(const SignalSpec& ch1, const SignalSpec& ch2, int channel,
                                   const ChannelFrontEnd& frontEnd,
                                   const AcquisitionTiming& timing);

// The signal description and line a channel shows, with bus lines shared between channels
// as described in SignalSource.h. *line is 0 (data / plain signal) or 1 (clock).
const SignalSpec& ResolveChannelSignal(const SignalSpec& ch1, const SignalSpec& ch2,
                                       int channel, int* line);
