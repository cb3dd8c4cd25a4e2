#pragma once
// Messages of the settings panel that the shared message tables do not hold
// (English row 0, Chinese row 1, UTF-8; pick the row with Msg()).

// No settings file for the attached model.
extern const char szNoConfigFile[2][50];
// A volts-per-division code that names no entry of the model's list.
extern const char szVoltCodeUnknown[2][50];
