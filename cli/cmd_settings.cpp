// quorvex-cli settings: connects, decodes the instrument's settings once and
// prints every setting with its tree label in the current language.
#include <cstdio>
#include <memory>

#include "cli/CliCommand.h"
#include "cli/SettingsCli.h"
#include "corvane/SharedState.h"
#include "settings/HeadlessSettings.h"
#include "settings/SettingsListing.h"
#include "settings/SettingsModel.h"

namespace {

int RunSettings(CliContext& ctx)
{
    if (!ctx.args.empty()) {
        std::fprintf(stderr, "quorvex-cli: usage: settings\n");
        return 2;
    }
    int status = 0;
    CHeadlessSettings* connected = ConnectSettingsPanel(ctx, status);
    if (!connected) return status;
    CHeadlessSettings& panel = *connected;
    std::printf("%s\n", panel.Model().ModelName().c_str());
    for (const SettingLine& line : ListSettings(panel.Model().Records()))
        std::printf("%s: %s\n", line.path.c_str(), line.text.c_str());
    return 0;
}
}  // namespace

QV_CLI_COMMAND("settings", "", "print every decoded instrument setting", RunSettings);
