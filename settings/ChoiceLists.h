#pragma once
// The choices a list setting offers, in the current language: a row of the
// fixed label tables, or the labels of the setting's segment of the UI system
// table. The parameter dialog fills its list from here and the decode takes
// the text of a list position from here, so both show the same words.
#include <string>
#include <vector>

#include "settings/SettingKinds.h"

class CUI_Sys_table;

// Labels of a kind for a target; empty for a kind that is not a list or
// whose segment the table does not hold.
std::vector<std::string> ChoiceList(const KindInfo& info, int target, const CUI_Sys_table& table);

// The label of one list position; empty when the position is not in the list.
std::string ChoiceText(const KindInfo& info, int target, const CUI_Sys_table& table, int64_t position);
