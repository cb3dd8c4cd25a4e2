#pragma once
// The instrument's on-screen menus: the menu a menu key opens (its id goes
// into "CONTROL-MENUID") and the five items beside it, each bound to the
// parameter that its function key steps through.
#include <string>
#include <vector>

#include "sim/SimModel.h"

struct SimMenuItem {
    std::string label;                // e.g. "Coupling"
    std::string param;                // parameter the function key changes; "" = none
    std::vector<int> codes;           // the choices in the order the key steps through them
    std::vector<std::string> names;   // the choice shown for each code
};

struct SimMenu {
    int id = 0;
    std::string title;
    std::vector<SimMenuItem> items;   // at most five
};

// Menu ids the firmware uses.
namespace SimMenuId {
constexpr int kCh1 = 1, kCh2 = 2, kMath = 3, kHoriz = 4;
constexpr int kTrigEdge = 5, kTrigPulse = 6, kTrigSwap = 7, kTrigVideo = 8;
constexpr int kSaveRecall = 9, kUtility = 10, kMeasure = 11, kCursor = 12;
constexpr int kAcquire = 13, kDisplay = 14, kHelp = 15, kStatus = 16;
constexpr int kTrigSlope = 22, kTrigOvertime = 38;
}  // namespace SimMenuId

// Every menu of a model (choices trimmed to what the model offers).
std::vector<SimMenu> SimMenusFor(const SimModelInfo& model);
// The menu of an id among menus; null for an unknown id.
const SimMenu* FindSimMenu(const std::vector<SimMenu>& menus, int id);

// The trigger menu of a trigger type (0 edge ... 5 alternating).
int TriggerMenuOfType(int triggerType);
bool IsTriggerMenu(int id);
