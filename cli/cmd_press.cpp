// quorvex-cli press KEY-NAME ...: presses front-panel keys through the key table.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/LinkCli.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "parlex/VKTableParlex.h"

namespace {
int RunPress(CliContext& ctx)
{
    if (ctx.args.empty()) {
        std::fprintf(stderr, "usage: quorvex-cli [--sim[=OPTIONS] | --usb] press KEY-NAME...\n");
        return 2;
    }
    CCliLink link(ctx);
    if (!link.Connect())
        return 1;
    if (g_bVKTable.load() != 1) {
        std::fprintf(stderr, "%s\n", Msg(szVKTableErr));
        return 1;
    }
    std::vector<int> positions;
    for (const std::string& name : ctx.args) {
        const int position = g_VKTable.GetVKKeyPos(name);
        if (position < 0) {
            std::fprintf(stderr, "quorvex-cli: press: the instrument has no key %s\n", name.c_str());
            return 2;
        }
        positions.push_back(position);
    }
    for (size_t i = 0; i < positions.size(); ++i) {
        if (!link.PressKey(positions[i])) {
            std::fprintf(stderr, "quorvex-cli: press: %s could not be sent\n", ctx.args[i].c_str());
            return 1;
        }
        std::printf("%s %d\n", ctx.args[i].c_str(), positions[i]);
    }
    return 0;
}
}  // namespace

QV_CLI_COMMAND("press", "KEY-NAME...", "press front-panel keys of the instrument", RunPress);
