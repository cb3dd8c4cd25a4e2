#pragma once
// How the settings model asks for the new value of one setting. The desktop
// program answers with the parameter dialog (modal, with its Apply button);
// quorvex-cli and the tests answer with a value given in advance. Either way
// the same model turns the answer into parameter writes.
#include <string>
#include <vector>

// What the chooser is asked.
struct ChoiceRequest {
    int kind = -1;
    int target = 0;                     // channel, trigger target or measurement item
    std::string title;                  // the tree item's text
    bool listMode = false;              // a choice list (else a typed value)
    std::vector<std::string> labels;    // the list, in the current language
    int currentPosition = 0;            // list mode: the decoded position
    std::string currentText;            // text mode: the decoded value as text
};

// The answer: a list position (list mode) or a typed text (text mode).
struct SettingChoice {
    int position = -1;
    std::string text;
};

class ISettingChooser {
public:
    virtual ~ISettingChooser() = default;
    // Returns true for OK with the choice filled in, false for Cancel.
    virtual bool Choose(const ChoiceRequest& request, SettingChoice& choice) = 0;
};
