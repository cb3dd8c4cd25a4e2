#include "cli/SettingsCli.h"

#include <cstdio>
#include <string>

#include "backend/UsbBackend.h"
#include "corvane/SharedState.h"
#include "tessary/ProgramFolder.h"

namespace {
constexpr uint32_t kConnectTimeoutMs = 10000;
}

std::unique_ptr<CHeadlessSettings> ConnectSettingsPanel(const CliContext& ctx, int& status)
{
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
    status = 0;
    return panel;
}
