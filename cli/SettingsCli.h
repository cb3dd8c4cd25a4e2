#pragma once
// Shared start of the commands that work through the settings model
// (settings, edit, capture, measure, decode, spectrum): choose the driver,
// connect, wait for the first decode of the instrument's settings. The
// connection stays with the context, so the next command of the same
// invocation finds the instrument as the previous one left it.
#include <memory>

#include "cli/CliCommand.h"
#include "settings/HeadlessSettings.h"

// The connected settings panel (owned by ctx), or null after printing why;
// status is then the exit status (2 for a bad backend choice, 1 when the
// link failed).
CHeadlessSettings* ConnectSettingsPanel(CliContext& ctx, int& status);
