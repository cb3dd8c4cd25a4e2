#pragma once
// A chooser that answers every request with one choice given in advance:
// what quorvex-cli and the tests hand to the settings model instead of the
// parameter dialog.
#include <utility>

#include "settings/SettingChooser.h"

// A chooser that answers every request with one choice given in advance.
class CFixedChoice : public ISettingChooser {
public:
    explicit CFixedChoice(SettingChoice choice, bool ok = true) : m_choice(std::move(choice)), m_ok(ok) {}
    bool Choose(const ChoiceRequest& request, SettingChoice& choice) override
    {
        m_request = request;
        choice = m_choice;
        return m_ok;
    }
    // The last request it answered.
    const ChoiceRequest& LastRequest() const { return m_request; }

private:
    SettingChoice m_choice;
    bool m_ok;
    ChoiceRequest m_request;
};
