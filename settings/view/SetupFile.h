#pragma once
// Setup files (".set"): the whole system parameter block of the instrument,
// stored as the settings panel's archive record (class "CPartTreeView",
// schema 3, the 32-bit length N and the N bytes of the block). Workspace
// files hold the same record. Opening a setup file replaces the program's
// block and, while the link is up, sends it to the instrument; a workspace
// only replaces the block.
//
// Rules for the block a record brings:
// - another class or schema, or fewer than N bytes: not a setup file;
// - N = 0: no settings (a setup file is refused; a workspace saved before
//   any connection keeps the block in memory as it is);
// - while the link is up, N different from the connected instrument's
//   block: settings of another instrument (a setup file is refused; a
//   workspace keeps the instrument's block and says so);
// - bytes after the block are ignored.
// Whatever is refused leaves the block in memory as it was.
#include <QString>

class CArchive;
class CDSOSetup;

enum class SetupStatus {
    Ok,
    Unreadable,       // the file cannot be read or written
    NotSetupFile,     // another class or schema, or the file ends early
    NoSettings,       // N = 0, or nothing to save
    OtherInstrument,  // N differs from the connected instrument's block
};

// The name a chosen file is saved under: ".set" is appended unless the name
// already ends in exactly ".set".
QString SetupFileName(const QString& chosen);

// Writes the block to path atomically (replacing an existing file).
SetupStatus SaveSetupFile(const QString& path);

// Reads path under the rules above. On Ok the path becomes the open setup
// file and, while the link is up, the new block is sent through sender
// (command 17).
SetupStatus OpenSetupFile(const QString& path, CDSOSetup& sender);

// The settings panel's record of a workspace file, both directions; non-zero
// on success. Loading follows the workspace rules above.
int SerializeWorkspacePanel(CArchive& ar);

// Length of the block that the connected instrument describes; 0 while the
// link is down.
int ConnectedBlockLength();
