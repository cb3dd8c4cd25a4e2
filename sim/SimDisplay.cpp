#include "sim/SimDisplay.h"

#include <cmath>
#include <cstdio>

#include "sim/SimAcquisition.h"
#include "sim/SimMenus.h"

namespace {

// Formats value with three significant digits and an SI prefix.
std::string Engineering(double value, const char* unit) {
    static const struct { double scale; const char* prefix; } prefixes[] = {
        {1e9, "G"}, {1e6, "M"}, {1e3, "k"}, {1.0, ""}, {1e-3, "m"}, {1e-6, "u"}, {1e-9, "n"}, {1e-12, "p"}};
    const double magnitude = std::fabs(value);
    if (magnitude < 1e-15) {  // zero reads as plain units, not "0.00p"
        char text[32];
        std::snprintf(text, sizeof text, "0.00%s", unit);
        return text;
    }
    for (const auto& p : prefixes) {
        if (magnitude >= p.scale * 0.9995 || p.scale == 1e-12) {
            const double scaled = value / p.scale;
            const char* format = std::fabs(scaled) >= 99.95 ? "%.0f%s%s" : std::fabs(scaled) >= 9.995 ? "%.1f%s%s" : "%.2f%s%s";
            char text[32];
            std::snprintf(text, sizeof text, format, scaled, p.prefix, unit);
            return text;
        }
    }
    return "0";
}

constexpr int kScreenRecordPerDiv = 50;  // trace points per division on screen

void ComposeMenu(const SimState& state, ScreenState& screen) {
    screen.menuShown = state.block.Get("CONTROL-DISP-MENU") != 0;
    const SimMenu* menu = FindSimMenu(state.menus, static_cast<int>(state.block.Get("CONTROL-MENUID")));
    if (!menu)
        return;
    screen.menuTitle = menu->title;
    for (std::size_t i = 0; i < menu->items.size() && i < screen.menuItems.size(); ++i) {
        const SimMenuItem& item = menu->items[i];
        screen.menuItems[i].label = item.label;
        for (std::size_t c = 0; c < item.codes.size(); ++c)
            if (!item.param.empty() && state.block.Get(item.param) == item.codes[c])
                screen.menuItems[i].value = item.names[c];
    }
    screen.selectedItem = state.selectedItem;
}

std::string TriggerText(const SimState& state) {
    int source = 0;
    const double level = CSimAcquisition::TriggerLevelVolts(state, &source);
    static const char* const sources[] = {"CH1", "CH2", "EXT", "EXT/5", "LINE"};
    const std::int64_t code = state.block.Get("TRIG-SRC");
    const char* name = code >= 0 && code <= 4 ? sources[code] : "?";
    const char* slope = state.block.Get("TRIG-EDGE-SLOPE") == 0 ? " / " : " \\ ";
    return std::string(name) + slope + CSimDisplay::VoltsText(level);
}

}  // namespace

std::string CSimDisplay::VoltsText(double volts) { return Engineering(volts, "V"); }
std::string CSimDisplay::SecondsText(double seconds) { return Engineering(seconds, "s"); }
std::string CSimDisplay::RateText(double samplesPerSecond) { return Engineering(samplesPerSecond, "Sa/s"); }

ScreenState CSimDisplay::Compose(SimState& state) {
    ScreenState screen;
    const CSimParamBlock& b = state.block;
    screen.modelName = state.model->name;
    screen.running = state.run == SimRunState::Running || state.run == SimRunState::SingleArmed;
    screen.stateText = CSimAcquisition::TrigStateText(CSimAcquisition::TrigStateCode(state));
    screen.triggerText = TriggerText(state);
    screen.ch1Scale = VoltsText(CSimAcquisition::VoltsPerDiv(b, 1));
    screen.ch2Scale = VoltsText(CSimAcquisition::VoltsPerDiv(b, 2));
    const double secondsPerDiv = CSimAcquisition::SecondsPerDiv(b);
    screen.timeBase = SecondsText(secondsPerDiv);
    const double grid = CSimAcquisition::GridDivisions(b);
    screen.extraText = RateText(CSimAcquisition::RecordLength(b) / (grid * secondsPerDiv));
    const SimRecords records =
        CSimAcquisition::Render(state, static_cast<int>(std::lround(grid * kScreenRecordPerDiv)));
    screen.ch1 = {b.Get("VERT-CH1-DISP") != 0, records.ch1, static_cast<int>(b.Get("VERT-CH1-POS"))};
    screen.ch2 = {b.Get("VERT-CH2-DISP") != 0, records.ch2, static_cast<int>(b.Get("VERT-CH2-POS"))};
    int source = 0;
    CSimAcquisition::TriggerLevelVolts(state, &source);
    screen.triggerSourceChannel = source == 2 ? 2 : 1;
    screen.triggerLevelCounts = static_cast<int>(b.Get("TRIG-VPOS"));
    screen.triggerOffsetDiv = CSimAcquisition::TriggerOffsetDivisions(b);
    ComposeMenu(state, screen);
    if (state.messageFrames > 0) {
        screen.message = state.message;
        --state.messageFrames;
    }
    return screen;
}
