#pragma once
// Two-language texts of the shell that the shared tables do not hold
// (English row 0, Chinese row 1, UTF-8); read them with Msg().
extern const char szRunOscillograph[2][50];   // Run while the instrument reports "STOP"
extern const char szMemoryReserveFail[];      // wave memory could not be reserved (fixed text)
