#include "cli/SettingsCli.h"

#include <cstdio>
#include <string>

#include "backend/UsbBackend.h"
#include "corvane/SharedState.h"
#include "tessary/ProgramFolder.h"

namespace {
constexpr uint32_t kConnectTimeoutMs = 10000;
}

CHeadlessSettings* ConnectSettingsPanel(CliContext& ctx, int& status)
{
    status = 0;
    if (ctx.settingsPanel && g_bRunThreadR.load() == 1)
        return ctx.settingsPanel.get();
    ctx.settingsPanel.reset();
    g_nLanguage = ctx.language;
    const UsbBackend backend = CreateUsbBackend(ctx.backend, ProgramSettingsFile());
    if (!backend.driver) {
        std::fprintf(stderr, "quorvex-cli: %s\n", backend.error.c_str());
        status = 2;
        return nullptr;
    }
    auto panel = std::make_unique<CHeadlessSettings>(backend.driver);
    if (!panel->Connect(kConnectTimeoutMs)) {
        std::fprintf(stderr, "quorvex-cli: no settings from the instrument\n");
        status = 1;
        return nullptr;
    }
    ctx.settingsPanel = std::move(panel);
    return ctx.settingsPanel.get();
}
