// Draws the simulated instrument's screen: 800 x 480 pixels, one palette
// index per pixel, row by row from the top left, the image the instrument
// sends for the front panel's screen mirror. It shows a status bar (model,
// run state, acquisition state text, trigger read-out), the graticule with
// both traces and their markers, the scale read-outs and, when shown, the
// current menu with up to five items, plus an optional message box. Every
// text in the state is drawn, so any change of a read-out, menu or message
// changes pixels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 480;

// Indices into the front panel's 256-colour screen palette (a 6 x 6 x 6
// colour cube with a grey ramp), chosen for the colours named.
namespace ScreenColour {
constexpr uint8_t kBackground = 0;     // black
constexpr uint8_t kGrid = 124;         // grey 0x444444: graticule dots
constexpr uint8_t kGridAxis = 127;     // grey 0x777777: frame, centre axes, ticks
constexpr uint8_t kCh1 = 35;           // yellow
constexpr uint8_t kCh2 = 250;          // cyan
constexpr uint8_t kText = 255;         // white
constexpr uint8_t kStatusBar = 122;    // grey 0x222222
constexpr uint8_t kMenuBack = 36;      // dark blue
constexpr uint8_t kMenuItem = 123;     // grey 0x333333
constexpr uint8_t kMenuSelected = 196; // light blue
constexpr uint8_t kRunning = 30;       // green
constexpr uint8_t kStopped = 5;        // red
constexpr uint8_t kTrigger = 23;       // orange
} // namespace ScreenColour

struct ScreenTrace {
    bool shown = true;
    std::vector<uint8_t> record; // signed counts as in the channel records, spread over the grid
    int positionCounts = 0;      // centre-line marker
};

struct ScreenMenuItem {
    std::string label;  // first line, e.g. "Coupling"
    std::string value;  // second line, e.g. "DC"; may be empty
};

struct ScreenState {
    std::string modelName;       // e.g. "QV1102"
    bool running = true;         // "RUN" in green or "STOP" in red
    std::string stateText;       // acquisition state, e.g. "Trigd", "Auto", "Scan", "STOP"
    std::string triggerText;     // e.g. "CH1 / 0.00V"
    std::string ch1Scale;        // e.g. "500mV"
    std::string ch2Scale;
    std::string timeBase;        // e.g. "500us"
    std::string extraText;       // bottom right, e.g. sample rate or trigger position
    ScreenTrace ch1;
    ScreenTrace ch2;
    int triggerSourceChannel = 1;     // colour of the trigger level marker
    int triggerLevelCounts = 0;       // level marker, counts above the screen centre
    double triggerOffsetDiv = 0.0;    // trigger position marker, divisions right of centre
    bool scanMode = false;            // record bytes 0xFF are not yet acquired (not drawn)
    bool menuShown = true;            // hidden: the grid widens from 16 to 19.2 divisions
    std::string menuTitle;            // e.g. "CH1"
    std::array<ScreenMenuItem, 5> menuItems;
    int selectedItem = -1;            // highlighted item 0 ... 4, -1 none
    std::string message;              // boxed notice over the grid (e.g. the last key); empty none
};

// Divisions across the graticule: 16 with the menu shown, 19.2 without.
double ScreenGridDivisions(bool menuShown);

// Draws the whole screen; always kScreenWidth * kScreenHeight bytes.
std::vector<uint8_t> RenderScreen(const ScreenState& state);
