#pragma once
// A connected settings model against the simulated instrument: the link
// session with short timers, the model as command sender and settings panel,
// and the user messages collected instead of shown.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/FixedChoice.h"
#include "settings/SettingsModel.h"
#include "sim/SimInstrument.h"

class CLinkSession;

class CSettingsRig {
public:
    explicit CSettingsRig(const std::string& simOptions = "model=4");
    ~CSettingsRig();

    // Connects and waits for the first decode; false when either fails.
    bool Connect();
    // Waits until at least two more decodes have run (the block sent before
    // the wait is then the instrument's answer to it).
    bool WaitForFreshDecode();
    bool WaitUntil(const std::function<bool()>& done, int ms = 3000);

    // Applies an edit with a fixed choice and waits until the instrument's
    // next blocks have been decoded.
    EditResult Edit(int kind, int target, SettingChoice choice);

    // Messages shown since the last call, then forgotten.
    static std::vector<std::string> TakeMessages();
    // Notes for the message pane since the last call, then forgotten.
    static std::vector<std::string> TakeNotes();

    std::shared_ptr<CSimInstrument> sim;
    std::unique_ptr<CLinkSession> session;
    std::unique_ptr<CSettingsModel> model;
};

// Shared state back at its start values.
void ResetSettingsState();
