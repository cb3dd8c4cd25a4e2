// quorvex-cli settings: connects, decodes the instrument's settings once and
// prints every setting with its tree label in the current language.
#include <cstdio>

#include "cli/CliCommand.h"
#include "corvane/SharedState.h"
#include "settings/HeadlessSettings.h"
#include "settings/SettingsListing.h"
#include "settings/SettingsModel.h"

namespace {
constexpr uint32_t kConnectTimeoutMs = 10000;

int RunSettings(CliContext& ctx)
{
    if (!ctx.args.empty()) {
        std::fprintf(stderr, "quorvex-cli: usage: settings\n");
        return 2;
    }
    g_nLanguage = ctx.language;
    std::string error;
    UsbDriverPtr driver = CHeadlessSettings::MakeDriver(ctx.useUsb, ctx.simOptions, error);
    if (!driver) {
        std::fprintf(stderr, "quorvex-cli: %s\n", error.c_str());
        return 2;
    }
    CHeadlessSettings panel(driver);
    if (!panel.Connect(kConnectTimeoutMs)) {
        std::fprintf(stderr, "quorvex-cli: no settings from the instrument\n");
        return 1;
    }
    std::printf("%s\n", panel.Model().ModelName().c_str());
    for (const SettingLine& line : ListSettings(panel.Model().Records()))
        std::printf("%s: %s\n", line.path.c_str(), line.text.c_str());
    return 0;
}
}  // namespace

QV_CLI_COMMAND("settings", "", "print every decoded instrument setting", RunSettings);
