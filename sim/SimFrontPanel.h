#pragma once
// The front panel of the simulated instrument: what each key does to the
// settings, the run state and the menus, as the real panel would.
#include <string>

#include "sim/SimState.h"

class CSimFrontPanel {
public:
    // Acts on one key press. Returns 1 when the key is one of the panel's
    // keys (even if it changes nothing in the present state), 0 otherwise.
    static int PressKey(SimState& state, const std::string& keyName);

    // The pieces the keys are made of; also used by the firmware.
    static void DefaultSetup(SimState& state);
    static void AutoSet(SimState& state);
    static void RunStop(SimState& state);
    static void SingleSequence(SimState& state);
    static void ForceTrigger(SimState& state);
    static void TriggerToMiddle(SimState& state);
    // Opens a menu, or hides the menu area when that menu is already shown.
    static void OpenMenu(SimState& state, int menuId);
    // Function key 1 ... 5: steps the item of the current menu to its next choice.
    static void StepMenuItem(SimState& state, int item);
};
