#pragma once
// Setup files (".set"): the whole system parameter block of the instrument,
// stored as the settings panel's archive record (class "CPartTreeView",
// schema 3, the 32-bit length and the block). Opening one replaces the
// program's block and, while the link is up, sends it to the instrument.
#include <QString>

class CDSOSetup;

// The name a chosen file is saved under: ".set" is appended unless the name
// already ends in exactly ".set".
QString SetupFileName(const QString& chosen);

// Writes the block to path (replacing an existing file). Non-zero on success.
int SaveSetupFile(const QString& path);

// Reads path; a file that is not a setup file or ends early is refused (0)
// and leaves the block in memory as it was. On success the path becomes the
// open setup file and, while the link is up, the new block is sent through
// sender (command 17).
int OpenSetupFile(const QString& path, CDSOSetup& sender);
