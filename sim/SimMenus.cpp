#include "sim/SimMenus.h"

namespace {

SimMenuItem Item(std::string label, std::string param, std::vector<std::string> names) {
    SimMenuItem item{std::move(label), std::move(param), {}, std::move(names)};
    for (int c = 0; c < static_cast<int>(item.names.size()); ++c)
        item.codes.push_back(c);
    return item;
}

SimMenuItem CodedItem(std::string label, std::string param, std::vector<int> codes,
                      std::vector<std::string> names) {
    return {std::move(label), std::move(param), std::move(codes), std::move(names)};
}

SimMenuItem Label(std::string label) { return {std::move(label), "", {}, {}}; }

std::vector<std::string> Names(const std::vector<std::string>& all, int last) {
    return {all.begin(), all.begin() + last + 1};
}

SimMenuItem TriggerType() {
    return Item("Type", "TRIG-TYPE", {"Edge", "Video", "Pulse", "Slope", "OverTime", "Swap"});
}

SimMenuItem TriggerMode() { return Item("Mode", "TRIG-MODE", {"Auto", "Normal"}); }

SimMenu Channel(int id, const std::string& ch) {
    const std::string p = "VERT-" + ch + "-";
    return {id, ch,
            {Item("Coupling", p + "COUP", {"DC", "AC", "GND"}), Item("BW Limit", p + "20MHZ", {"Full", "20MHz"}),
             Item("Probe", p + "PROBE", {"1X", "10X", "100X", "1000X"}), Item("Volts/Div", p + "FINE", {"Coarse", "Fine"}),
             Item("Invert", p + "RPHASE", {"Off", "On"})}};
}

std::vector<SimMenu> TriggerMenus(const SimModelInfo& model) {
    static const std::vector<std::string> couplings = {"DC", "AC", "Noise Rej", "HF Rej", "LF Rej"};
    std::vector<std::string> couplingNames;
    for (int code : model.triggerCouplings)
        couplingNames.push_back(couplings[static_cast<std::size_t>(code)]);
    const std::vector<std::string> sources = {"CH1", "CH2", "EXT", "EXT/5", "AC Line"};
    return {
        {SimMenuId::kTrigEdge, "TRIG EDGE",
         {TriggerType(), Item("Source", "TRIG-SRC", sources), Item("Slope", "TRIG-EDGE-SLOPE", {"Rising", "Falling"}),
          TriggerMode(), CodedItem("Coupling", "TRIG-COUP", model.triggerCouplings, couplingNames)}},
        {SimMenuId::kTrigVideo, "TRIG VIDEO",
         {TriggerType(), Item("Source", "TRIG-SRC", Names(sources, 3)),
          Item("Polarity", "TRIG-VIDEO-NEG", {"Normal", "Inverted"}), Item("Standard", "TRIG-VIDEO-PAL", {"NTSC", "PAL"}),
          Item("Sync", "TRIG-VIDEO-SYN", {"All Fields", "All Lines", "Line Num", "Odd", "Even"})}},
        {SimMenuId::kTrigPulse, "TRIG PULSE",
         {TriggerType(), Item("Source", "TRIG-SRC", Names(sources, 3)),
          Item("Polarity", "TRIG-PULSE-NEG", {"Positive", "Negative"}),
          Item("When", "TRIG-PULSE-WHEN", {"=", "!=", ">", "<"}), TriggerMode()}},
        {SimMenuId::kTrigSlope, "TRIG SLOPE",
         {TriggerType(), Item("Source", "TRIG-SRC", Names(sources, 3)),
          Item("Slope", "TRIG-SLOPE-SET", {"Rising", "Falling"}), Item("Window", "TRIG-SLOPE-WIN", {"V1", "V2", "V1,V2"}),
          Item("When", "TRIG-SLOPE-WHEN", {"=", "!=", ">", "<"})}},
        {SimMenuId::kTrigOvertime, "TRIG OVERTIME",
         {TriggerType(), Item("Source", "TRIG-SRC", Names(sources, 1)),
          Item("Polarity", "TRIG-OVERTIME-NEG", {"Positive", "Negative"}), TriggerMode(), Label("Time")}},
        {SimMenuId::kTrigSwap, "TRIG SWAP",
         {TriggerType(), Item("CH1 Type", "TRIG-SWAP-CH1-TYPE", {"Edge", "Video", "Pulse", "Slope", "OverTime"}),
          Item("CH2 Type", "TRIG-SWAP-CH2-TYPE", {"Edge", "Video", "Pulse", "Slope", "OverTime"}),
          Item("CH1 Mode", "TRIG-SWAP-CH1-MODE", {"Auto", "Normal"}),
          Item("CH2 Mode", "TRIG-SWAP-CH2-MODE", {"Auto", "Normal"})}},
    };
}

std::vector<std::string> MeasureNames(int last) {
    static const std::vector<std::string> all = {
        "Freq", "Period", "Mean", "Pk-Pk", "RMS", "Min", "Max", "Rise", "Fall", "+Width", "-Width",
        "+Duty", "-Duty", "Amp", "Top", "Base", "Over", "Pre", "TopTime", "BaseTime", "RiseW", "FallW",
        "CMean", "CRMS", "Slew", "ACRMS", "MSD"};
    return Names(all, last);
}

}  // namespace

std::vector<SimMenu> SimMenusFor(const SimModelInfo& model) {
    std::vector<SimMenu> menus = {
        Channel(SimMenuId::kCh1, "CH1"),
        Channel(SimMenuId::kCh2, "CH2"),
        {SimMenuId::kMath, "MATH",
         {Item("Operate", "MATH-MODE", {"CH1+CH2", "CH1-CH2", "CH2-CH1", "FFT"}),
          Item("Source", "MATH-FFT-SRC", {"CH1", "CH2"}),
          Item("Window", "MATH-FFT-WIN", {"Hanning", "Flattop", "Rectangle"}),
          Item("Zoom", "MATH-FFT-FACTOR", Names({"X1", "X2", "X5", "X10"}, model.maxFftFactor)),
          Item("dB/div", "MATH-FFT-DB", {"1dB", "2dB", "5dB", "10dB", "20dB"})}},
        {SimMenuId::kHoriz, "HORIZ", {Item("View", "HORIZ-WIN-STATE", {"Main", "Window", "Zone"})}},
        {SimMenuId::kSaveRecall, "SAVE/RECALL", {Label("Setups"), Label("Save"), Label("Recall")}},
        {SimMenuId::kUtility, "UTILITY", {Label("System Info"), Label("Self Cal"), Label("Language")}},
        {SimMenuId::kCursor, "CURSOR", {Label("Type"), Label("Source"), Label("Cursor A"), Label("Cursor B")}},
        {SimMenuId::kAcquire, "ACQUIRE",
         {Item("Type", "ACQURIE-TYPE", {"Real Time", "Equal"}),
          Item("Mode", "ACQURIE-MODE", {"Sample", "Peak", "Average"}),
          Item("Averages", "ACQURIE-AVG-CNT", {"4", "8", "16", "32", "64", "128"}),
          CodedItem("Depth", "ACQURIE-STORE-DEPTH", {0, 1, 2, 3, 7}, {"4K", "20K", "40K", "512K", "1M"})}},
        {SimMenuId::kDisplay, "DISPLAY",
         {Item("Type", "DISPLAY-MODE", {"Vectors", "Dots"}),
          CodedItem("Persist", "DISPLAY-PERSIST", {0, 2, 4, 8, 10, 11, 13, 17, 19},
                    {"Auto", "0.2s", "0.4s", "0.8s", "1s", "2s", "4s", "8s", "Infinite"}),
          Item("Format", "DISPLAY-FORMAT", {"YT", "XY"}), Item("Grid", "DISPLAY-GRID-KIND", {"Dashed", "Full", "Off"}),
          Label("Contrast")}},
        {SimMenuId::kHelp, "HELP", {Label("Index"), Label("Topic")}},
        {SimMenuId::kStatus, "STATUS", {Label("System"), Label("Settings")}},
    };
    std::vector<SimMenuItem> measure;
    for (int i = 1; i <= 5; ++i)
        measure.push_back(Item("Meas" + std::to_string(i), "MEASURE-ITEM" + std::to_string(i),
                               MeasureNames(model.maxMeasureItem)));
    menus.push_back({SimMenuId::kMeasure, "MEASURE", measure});
    for (SimMenu& m : TriggerMenus(model))
        menus.push_back(std::move(m));
    return menus;
}

const SimMenu* FindSimMenu(const std::vector<SimMenu>& menus, int id) {
    for (const SimMenu& m : menus)
        if (m.id == id)
            return &m;
    return nullptr;
}

int TriggerMenuOfType(int triggerType) {
    switch (triggerType) {
    case 1: return SimMenuId::kTrigVideo;
    case 2: return SimMenuId::kTrigPulse;
    case 3: return SimMenuId::kTrigSlope;
    case 4: return SimMenuId::kTrigOvertime;
    case 5: return SimMenuId::kTrigSwap;
    default: return SimMenuId::kTrigEdge;
    }
}

bool IsTriggerMenu(int id) {
    for (int t = 0; t <= 5; ++t)
        if (TriggerMenuOfType(t) == id)
            return true;
    return false;
}
