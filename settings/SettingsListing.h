#pragma once
// Every decoded setting in the order and with the labels of the settings
// tree, in the current language: what the tree shows, as lines of text.
#include <string>
#include <vector>

#include "settings/SettingsRecords.h"

struct SettingLine {
    std::string path;   // tree labels from "Setup" down, joined by "/"
    std::vector<int> items;   // the tree item numbers of the same path, the setting's own last
    int kind = -1;
    int target = 0;
    std::string text;   // the decoded value as the tree shows it ("" before the first decode)
};

std::vector<SettingLine> ListSettings(const CSettingsRecords& records);

// The tree path of one setting ("Vertical/CH1/Coupling"); empty when the tree
// does not show it.
std::string SettingPath(int kind, int target);
