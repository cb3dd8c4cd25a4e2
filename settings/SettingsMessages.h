#pragma once
// Messages of the settings panel that the shared message tables do not hold
// (English row 0, Chinese row 1, UTF-8; pick the row with Msg()).

// No settings file for the attached model.
extern const char szNoConfigFile[2][50];
// The volts-per-division list of the model has no entries.
extern const char szVoltCodeUnknown[2][50];
// A volts-per-division code the model's list does not hold (message pane, once
// per connection); printf arguments: channel number, code, the text shown.
extern const char szVoltCodeNote[2][100];
