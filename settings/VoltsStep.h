#pragma once
// The volts-per-division sequence of the parameter dialog's spin: from a
// typed value (read as the edit reads it, with the channel's probe factor)
// to the next entry of "VBASE" up or down, as the text the tree shows.
#include <cstdint>
#include <string>

class CUI_Sys_table;

// The text of the entry after (step > 0) or before (step < 0) the value of
// typed, each entry's label times probe. A value between two entries goes to
// the one in the step's direction; the ends of the list are kept. Empty when
// "VBASE" is missing or typed is not a volts-per-division value.
std::string StepVoltsText(const CUI_Sys_table& table, int64_t probe, const std::string& typed, int step);

// The lowest and highest volts per division (µV, probe included); false when
// "VBASE" is missing.
bool VoltsLimits(const CUI_Sys_table& table, int64_t probe, int64_t& lowest, int64_t& highest);
