// Input processors: check a value the user typed, convert it to the
// instrument's unit, hold it inside the instrument's limits, snap it to the
// instrument's resolution and write it back as text.
//
// Common syntax: blanks are ignored; a unit suffix may end the text (per
// processor); the number is a digit or a sign first, then only digits and
// points. Anything else is rejected: the processor returns 0 and leaves every
// output untouched. Out-of-range values are never rejected, only held at the
// limit. Accepted input returns 1.
#pragma once

#include <cstdint>
#include <string>

// What a typed time is for; selects its limits.
enum TIME_PROCESS_TYPE : int32_t {
    TIME_TRIG_POSITION = 0,  // trigger position: at most 20 ms / 50 ms / 50 s, at least 4 divisions before
    TIME_HOLDOFF = 1,        // hold-off: between a ns and b s
    TIME_PULSE_WIDTH = 2,    // pulse width: 20 ns to 10 s
    TIME_SLOPE = 3,          // slope time: 20 ns to 10 s
    TIME_OVERTIME = 4        // overtime time: 20 ns to 10 s
};

// A typed time ("1.5ms", "20 ns", "0.5" in seconds) into picoseconds.
// timePerDivNs is the current time per division; a and b are the hold-off
// minimum in ns and maximum in s (kind TIME_HOLDOFF only).
int TimeProcess(const std::string& typed, int64_t timePerDivNs, std::string& text, int64_t& valuePs,
                TIME_PROCESS_TYPE kind, float a, float b);

// A typed volts per division ("20mV", "1.5", "2kv") into µV, held within
// probe × minimum .. probe × maximum (µV at probe factor 1). The text shows
// the value as typed, before the limits.
int VtScaleProcess(const std::string& typed, uint32_t probe, std::string& text, int64_t& valueUv,
                   int64_t minimumUv, int64_t maximumUv);

// Trigger sources of TgVoltProcess.
inline constexpr uint32_t kTrigSourceCH1 = 0;
inline constexpr uint32_t kTrigSourceCH2 = 1;
inline constexpr uint32_t kTrigSourceExt = 2;
inline constexpr uint32_t kTrigSourceExt5 = 3;

// A typed trigger level into µV, snapped to 1/25 of the volts per division
// and held on screen (CH1, CH2: level + channel offset within ±8 divisions)
// or within the external input's range (EXT ±1.6 V in 8 mV steps, EXT/5
// ±8 V in 40 mV steps).
int TgVoltProcess(const std::string& typed, uint32_t source, int64_t voltsPerDivUv, int64_t offsetUv,
                  std::string& text, int64_t& levelUv);

// A typed vertical position in divisions into steps of 1/25 division, held
// within the offset range of the scale and cut to a multiple of 0.04.
int VtPosProcess(const std::string& typed, int64_t voltsPerDivUv, uint16_t probe, std::string& text,
                 int64_t& position);

// Video standards of TgLineProcess.
inline constexpr uint32_t kVideoNTSC = 0;
inline constexpr uint32_t kVideoPAL = 1;

// A typed video line number, at least 1 and at most 525 (NTSC) or 625 (PAL
// and any other standard); text that is not a number reads as line 1.
// Always returns 1.
int TgLineProcess(const std::string& typed, uint32_t standard, std::string& text, int& line);
