#include "sim/SimFrontPanel.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "corvane/ScaleConversion.h"
#include "sim/SimAcquisition.h"
#include "sim/SimSettingsRules.h"

namespace {

using KeyAction = std::function<void(SimState&)>;

constexpr std::int64_t kHoldOffStepPs = 100000;  // 100 ns per knob detent
constexpr int kDefaultContrast = 8;

std::string Vert(int channel, const char* what) {
    return std::string(channel == 2 ? "VERT-CH2-" : "VERT-CH1-") + what;
}

void Notice(SimState& s, const std::string& text) {
    s.message = text;
    s.messageFrames = 3;
}

void Restart(SimState& s) {
    s.run = SimRunState::Running;
    s.runSince = std::chrono::steady_clock::now();
}

void AddClamped(SimState& s, const std::string& name, std::int64_t step, std::int64_t low, std::int64_t high) {
    s.block.Set(name, std::clamp(s.block.Get(name) + step, low, high));
}

bool Shown(const SimState& s, int channel) { return s.block.Get(Vert(channel, "DISP")) != 0; }

void MovePosition(SimState& s, int channel, int step) {
    if (!Shown(s, channel))
        return;
    const int limit = CSimSettingsRules::PositionLimitCounts(static_cast<int>(s.block.Get(Vert(channel, "VB"))));
    AddClamped(s, Vert(channel, "POS"), step, -limit, limit);
}

void StepScale(SimState& s, int channel, int step) {
    if (!Shown(s, channel))
        return;
    AddClamped(s, Vert(channel, "VB"), step, 0, CSimSettingsRules::kMaxVoltCode);
    s.block.Set(Vert(channel, "CNT-FINE"), 0);
}

void StepTimeBase(SimState& s, int step) {
    const bool wasScan = CSimAcquisition::ScanRange(s.block);
    AddClamped(s, "HORIZ-TB", step, CSimSettingsRules::kFastestMainCodeOneChannel + 1,
               CSimSettingsRules::kSlowestTimeCode + 1);
    CSimSettingsRules::Normalize(s.block);
    if (s.block.Get("HORIZ-WIN-STATE") == 0)
        s.block.Set("HORIZ-WIN-TB", s.block.Get("HORIZ-TB"));
    if (wasScan != CSimAcquisition::ScanRange(s.block))
        s.runSince = std::chrono::steady_clock::now();
}

void MoveTriggerTime(SimState& s, int step) {
    const std::int64_t tdivNs = CalcTimeBase(static_cast<int>(s.block.Get("HORIZ-TB")));
    const std::int64_t stepPs = tdivNs * 1000 / 25;  // 1/25 division
    AddClamped(s, "HORIZ-TRIGTIME", step * stepPs, CSimSettingsRules::TriggerTimeLowerPs(tdivNs),
               CSimSettingsRules::TriggerTimeUpperPs(tdivNs));
}

void MoveTriggerLevel(SimState& s, int step) {
    AddClamped(s, "TRIG-VPOS", step, -CSimSettingsRules::kScreenLevelLimit, CSimSettingsRules::kScreenLevelLimit);
}

void TriggerLevelToZero(SimState& s) {
    int source = 0;
    CSimAcquisition::TriggerLevelVolts(s, &source);
    s.block.Set("TRIG-VPOS", source == 0 ? 0 : s.block.Get(Vert(source, "POS")));
}

// A channel's menu key: switches a hidden channel on, switches it off when
// its menu is already on screen, and otherwise brings its menu up.
void ChannelMenuKey(SimState& s, const std::string& dispParam, int menuId) {
    const bool menuUp = s.block.Get("CONTROL-DISP-MENU") != 0 && s.block.Get("CONTROL-MENUID") == menuId;
    if (s.block.Get(dispParam) == 0) {
        s.block.Set(dispParam, 1);
        s.block.Set("CONTROL-MENUID", menuId);
        s.block.Set("CONTROL-DISP-MENU", 1);
    } else if (menuUp) {
        s.block.Set(dispParam, 0);
    } else {
        CSimFrontPanel::OpenMenu(s, menuId);
    }
    s.selectedItem = -1;
}

// The multipurpose knob adjusts the continuous value of the menu on screen.
void TurnKnob(SimState& s, int step) {
    const std::int64_t menu = s.block.Get("CONTROL-MENUID");
    if (IsTriggerMenu(static_cast<int>(menu)))
        AddClamped(s, "TRIG-HOLDTIME", step * kHoldOffStepPs, s.block.Get("TRIG-HOLDTIME-MIN"),
                   s.block.Get("TRIG-HOLDTIME-MAX"));
    else if (menu == SimMenuId::kDisplay)
        AddClamped(s, "DISPLAY-CONTRAST", step, 0, s.block.Get("DISPLAY-MAXCONTRAST"));
    else if (menu == SimMenuId::kAcquire)
        AddClamped(s, "ACQURIE-AVG-CNT", step, 0, 5);
}

void PushKnob(SimState& s) {
    const std::int64_t menu = s.block.Get("CONTROL-MENUID");
    if (IsTriggerMenu(static_cast<int>(menu)))
        s.block.Set("TRIG-HOLDTIME", s.block.Get("TRIG-HOLDTIME-MIN"));
    else if (menu == SimMenuId::kDisplay)
        s.block.Set("DISPLAY-CONTRAST", kDefaultContrast);
}

void ToggleMenuArea(SimState& s) {
    s.block.Set("CONTROL-DISP-MENU", s.block.Get("CONTROL-DISP-MENU") ? 0 : 1);
}

// --- auto set -------------------------------------------------------------

bool HasSignal(const SimState& s, int channel) {
    int line = 0;
    return ResolveChannelSignal(s.ch1, s.ch2, channel, &line).kind != SignalKind::None;
}

// Smallest scale on which the signal spans at most `divisions`.
int ScaleCodeFor(double vpp, int probe, double divisions) {
    for (int code = 0; code < CSimSettingsRules::kMaxVoltCode; ++code)
        if (static_cast<double>(CalcVoltBase(code + 1, probe)) * 1e-3 * divisions >= vpp)
            return code;
    return CSimSettingsRules::kMaxVoltCode;
}

// Fastest time base that shows `periods` periods across the grid.
int TimeCodeFor(double period, double periods, double grid) {
    for (int code = CSimSettingsRules::kFastestMainCodeOneChannel; code < CSimSettingsRules::kSlowestTimeCode; ++code)
        if (static_cast<double>(CalcTimeBase(code + 1)) * 1e-9 * grid >= period * periods)
            return code;
    return CSimSettingsRules::kSlowestTimeCode;
}

void AutoSetChannel(SimState& s, int channel, int centreCounts, double divisions) {
    int line = 0;
    const SignalSpec& wave = ResolveChannelSignal(s.ch1, s.ch2, channel, &line);
    s.block.Set(Vert(channel, "DISP"), 1);
    s.block.Set(Vert(channel, "COUP"), 0);
    s.block.Set(Vert(channel, "FINE"), 0);
    s.block.Set(Vert(channel, "CNT-FINE"), 0);
    s.block.Set(Vert(channel, "VB"), ScaleCodeFor(wave.vpp, CSimAcquisition::ProbeFactor(s.block, channel), divisions));
    s.block.Set(Vert(channel, "POS"), centreCounts);
    // Centre the middle of the signal where the trace's ground was.
    const int mid = CSimAcquisition::MidLevelCounts(s, channel);
    s.block.Set(Vert(channel, "POS"), 2 * centreCounts - mid);
}

void AutoSetTimeBase(SimState& s, int source) {
    int line = 0;
    const SignalSpec& wave = ResolveChannelSignal(s.ch1, s.ch2, source, &line);
    const double period = CSignalSource(wave).Period();
    if (period <= 0.0)
        return;
    const double periods = wave.IsBus() ? 1.0 : 3.0;
    s.block.Set("HORIZ-TB", TimeCodeFor(period, periods, CSimAcquisition::GridDivisions(s.block)) + 1);
    s.block.Set("HORIZ-WIN-TB", s.block.Get("HORIZ-TB"));
}

}  // namespace

void CSimFrontPanel::DefaultSetup(SimState& s) {
    CSimSettingsRules::LoadDefaultSetup(s.block, *s.model);
    Restart(s);
    s.selectedItem = -1;
    Notice(s, "Default Setup");
}

void CSimFrontPanel::AutoSet(SimState& s) {
    const bool has1 = HasSignal(s, 1), has2 = HasSignal(s, 2);
    const bool both = has1 && has2;
    if (has1 || !has2)
        AutoSetChannel(s, 1, both ? 50 : 0, both ? 3.0 : 6.0);
    else
        s.block.Set("VERT-CH1-DISP", 0);
    if (has2)
        AutoSetChannel(s, 2, both ? -50 : 0, both ? 3.0 : 6.0);
    else
        s.block.Set("VERT-CH2-DISP", 0);
    const int source = has1 || !has2 ? 1 : 2;
    s.block.Set("TRIG-TYPE", 0);
    s.block.Set("TRIG-MODE", 0);
    s.block.Set("TRIG-SRC", source - 1);
    s.block.Set("TRIG-EDGE-SLOPE", 0);
    s.block.Set("TRIG-COUP", 0);
    s.block.Set("HORIZ-TRIGTIME", 0);
    s.block.Set("HORIZ-WIN-STATE", 0);
    AutoSetTimeBase(s, source);
    CSimSettingsRules::Normalize(s.block);
    s.block.Set("TRIG-VPOS", CSimAcquisition::MidLevelCounts(s, source));
    Restart(s);
    Notice(s, "Auto Set");
}

void CSimFrontPanel::RunStop(SimState& s) {
    if (s.run == SimRunState::Running || s.run == SimRunState::SingleArmed)
        s.run = SimRunState::Stopped;
    else
        Restart(s);
}

void CSimFrontPanel::SingleSequence(SimState& s) {
    s.run = SimRunState::SingleArmed;
}

void CSimFrontPanel::ForceTrigger(SimState& s) {
    if (s.run == SimRunState::SingleArmed) {
        s.run = SimRunState::SingleDone;
        ++s.acquisition;
    } else if (s.run == SimRunState::Running) {
        ++s.acquisition;
    }
}

void CSimFrontPanel::TriggerToMiddle(SimState& s) {
    int source = 0;
    CSimAcquisition::TriggerLevelVolts(s, &source);
    if (source != 0)
        s.block.Set("TRIG-VPOS", std::clamp(CSimAcquisition::MidLevelCounts(s, source),
                                            -CSimSettingsRules::kScreenLevelLimit,
                                            CSimSettingsRules::kScreenLevelLimit));
}

void CSimFrontPanel::OpenMenu(SimState& s, int menuId) {
    if (s.block.Get("CONTROL-DISP-MENU") != 0 && s.block.Get("CONTROL-MENUID") == menuId) {
        s.block.Set("CONTROL-DISP-MENU", 0);
    } else {
        s.block.Set("CONTROL-MENUID", menuId);
        s.block.Set("CONTROL-DISP-MENU", 1);
    }
    s.selectedItem = -1;
}

void CSimFrontPanel::StepMenuItem(SimState& s, int item) {
    if (s.block.Get("CONTROL-DISP-MENU") == 0) {
        s.block.Set("CONTROL-DISP-MENU", 1);  // the first press brings the menu back
        return;
    }
    s.selectedItem = item;
    const SimMenu* menu = FindSimMenu(s.menus, static_cast<int>(s.block.Get("CONTROL-MENUID")));
    if (!menu || item < 0 || item >= static_cast<int>(menu->items.size()) || menu->items[item].param.empty())
        return;
    const SimMenuItem& it = menu->items[static_cast<std::size_t>(item)];
    const auto current = std::find(it.codes.begin(), it.codes.end(), s.block.Get(it.param));
    const std::size_t at = current == it.codes.end() ? it.codes.size() - 1 : current - it.codes.begin();
    // The next choice that the instrument accepts in the present state.
    for (std::size_t k = 1; k <= it.codes.size(); ++k) {
        CSimParamBlock trial = s.block;
        const int candidate = it.codes[(at + k) % it.codes.size()];
        trial.Set(it.param, candidate);
        CSimSettingsRules::Normalize(trial);
        if (trial.Get(it.param) == candidate) {
            s.block = trial;
            break;
        }
    }
    if (it.param == "TRIG-TYPE")
        s.block.Set("CONTROL-MENUID", TriggerMenuOfType(static_cast<int>(s.block.Get("TRIG-TYPE"))));
}

int CSimFrontPanel::PressKey(SimState& state, const std::string& keyName) {
    static const std::map<std::string, KeyAction> actions = {
        {"FN-0-KEY", ToggleMenuArea},
        {"FN-1-KEY", [](SimState& s) { StepMenuItem(s, 0); }},
        {"FN-2-KEY", [](SimState& s) { StepMenuItem(s, 1); }},
        {"FN-3-KEY", [](SimState& s) { StepMenuItem(s, 2); }},
        {"FN-4-KEY", [](SimState& s) { StepMenuItem(s, 3); }},
        {"FN-5-KEY", [](SimState& s) { StepMenuItem(s, 4); }},
        {"FN-6-KEY", [](SimState&) {}},
        {"FN-7-KEY", [](SimState&) {}},
        {"FN-MLEFT-KEY", [](SimState& s) { TurnKnob(s, -1); }},
        {"FN-MRIGHT-KEY", [](SimState& s) { TurnKnob(s, 1); }},
        {"FN-MZERO-KEY", PushKnob},
        {"MENU-SR-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kSaveRecall); }},
        {"MENU-UTILITY-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kUtility); }},
        {"MENU-MEASURE-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kMeasure); }},
        {"MENU-CURSOR-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kCursor); }},
        {"MENU-ACQUIRE-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kAcquire); }},
        {"MENU-DISPLAY-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kDisplay); }},
        {"CT-HELP-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kHelp); }},
        {"CT-DS-KEY", DefaultSetup},
        {"CT-AUTOSET-KEY", AutoSet},
        {"CT-SINGLESEQ-KEY", SingleSequence},
        {"CT-RS-KEY", RunStop},
        {"CT-STU-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kStatus); }},
        {"VT-CH1-MENU-KEY", [](SimState& s) { ChannelMenuKey(s, "VERT-CH1-DISP", SimMenuId::kCh1); }},
        {"VT-CH2-MENU-KEY", [](SimState& s) { ChannelMenuKey(s, "VERT-CH2-DISP", SimMenuId::kCh2); }},
        {"VT-MATH-MENU-KEY", [](SimState& s) { ChannelMenuKey(s, "MATH-DISP", SimMenuId::kMath); }},
        {"VT-CH1-PADD-KEY", [](SimState& s) { MovePosition(s, 1, 1); }},
        {"VT-CH1-PSUB-KEY", [](SimState& s) { MovePosition(s, 1, -1); }},
        {"VT-CH1-PZERO-KEY", [](SimState& s) { MovePosition(s, 1, -static_cast<int>(s.block.Get("VERT-CH1-POS"))); }},
        {"VT-CH1-VBADD-KEY", [](SimState& s) { StepScale(s, 1, 1); }},
        {"VT-CH1-VBSUB-KEY", [](SimState& s) { StepScale(s, 1, -1); }},
        {"VT-CH2-PADD-KEY", [](SimState& s) { MovePosition(s, 2, 1); }},
        {"VT-CH2-PSUB-KEY", [](SimState& s) { MovePosition(s, 2, -1); }},
        {"VT-CH2-PZERO-KEY", [](SimState& s) { MovePosition(s, 2, -static_cast<int>(s.block.Get("VERT-CH2-POS"))); }},
        {"VT-CH2-VBADD-KEY", [](SimState& s) { StepScale(s, 2, 1); }},
        {"VT-CH2-VBSUB-KEY", [](SimState& s) { StepScale(s, 2, -1); }},
        {"HZ-MENU-KEY", [](SimState& s) { OpenMenu(s, SimMenuId::kHoriz); }},
        {"HZ-PADD-KEY", [](SimState& s) { MoveTriggerTime(s, 1); }},
        {"HZ-PSUB-KEY", [](SimState& s) { MoveTriggerTime(s, -1); }},
        {"HZ-PZERO-KEY", [](SimState& s) { s.block.Set("HORIZ-TRIGTIME", 0); }},
        {"HZ-TBADD-KEY", [](SimState& s) { StepTimeBase(s, 1); }},
        {"HZ-TBSUB-KEY", [](SimState& s) { StepTimeBase(s, -1); }},
        {"TG-MENU-KEY", [](SimState& s) { OpenMenu(s, TriggerMenuOfType(static_cast<int>(s.block.Get("TRIG-TYPE")))); }},
        {"TG-PHALF-KEY", TriggerToMiddle},
        {"TG-FORCE-KEY", ForceTrigger},
        {"TG-PROBECHECK-KEY", [](SimState& s) { Notice(s, "Probe Check"); }},
        {"TG-PADD-KEY", [](SimState& s) { MoveTriggerLevel(s, 1); }},
        {"TG-PSUB-KEY", [](SimState& s) { MoveTriggerLevel(s, -1); }},
        {"TG-PZERO-KEY", TriggerLevelToZero},
    };
    auto it = actions.find(keyName);
    if (it == actions.end())
        return 0;
    it->second(state);
    CSimSettingsRules::Normalize(state.block);
    return 1;
}
