#pragma once
// What the simulated instrument's screen shows: turns the firmware state into
// the screen renderer's description (read-outs, traces, menu, notices).
#include "sim/ScreenRenderer.h"
#include "sim/SimState.h"

class CSimDisplay {
public:
    // Builds the screen description; counts down the frames a notice stays.
    static ScreenState Compose(SimState& state);

    // Read-out texts, e.g. "500mV", "2.00V", "200us", "4.00ns".
    static std::string VoltsText(double volts);
    static std::string SecondsText(double seconds);
    static std::string RateText(double samplesPerSecond);
};
