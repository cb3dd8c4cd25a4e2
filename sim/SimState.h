#pragma once
// Everything the simulated firmware remembers between commands: the system
// parameter block, the acquisition state, the signals at the probe tips, the
// small parameter and menu tables, and what the screen shows besides the
// traces. The firmware, the front panel and the acquisition all work on one
// instance; the driver serialises access to it.
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SignalSource.h"
#include "sim/SimMenus.h"
#include "sim/SimModel.h"
#include "sim/SimParamBlock.h"

enum class SimRunState {
    Running,      // acquiring continuously
    Stopped,      // RUN/STOP pressed: the last record stays
    SingleArmed,  // single sequence waiting for its trigger
    SingleDone,   // single sequence captured, stopped by itself
};

struct SimState {
    explicit SimState(const SimModelInfo& m) : model(&m), menus(SimMenusFor(m)) {}

    CSimParamBlock block;
    const SimModelInfo* model;
    std::vector<SimMenu> menus;
    SignalSpec ch1;                      // at the probe tips
    SignalSpec ch2;
    std::uint64_t seed = 1;

    SimRunState run = SimRunState::Running;
    bool readMode = false;               // the record is held for the program to read
    std::uint64_t acquisition = 0;       // number of the record on screen; fixes its time and noise
    std::chrono::steady_clock::time_point runSince = std::chrono::steady_clock::now();

    int selectedItem = -1;               // menu item last stepped with a function key
    std::string message;                 // notice on screen
    int messageFrames = 0;               // screen images that still show it

    std::array<std::uint8_t, 128> smallParams{};  // 1-, 2-, 4- and 8-byte values in four ranges of 32 bytes
    std::array<std::uint8_t, 240> menuParams{};   // menu x 6 + item
};
