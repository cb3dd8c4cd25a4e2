#pragma once
// Shared start of the commands that work through the settings model
// (settings, edit, capture): choose the driver, connect, wait for the first
// decode of the instrument's settings.
#include <memory>

#include "cli/CliCommand.h"
#include "settings/HeadlessSettings.h"

// The connected settings panel, or null after printing why; status is then
// the exit status (2 for a bad backend choice, 1 when the link failed).
std::unique_ptr<CHeadlessSettings> ConnectSettingsPanel(const CliContext& ctx, int& status);
