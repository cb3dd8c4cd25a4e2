// quorvex-cli dump: every parameter of the instrument's protocol table with its
// current value in the instrument's block.
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/LinkCli.h"
#include "parlex/Parlex.h"

namespace {
int RunDump(CliContext& ctx)
{
    if (!ctx.args.empty()) {
        std::fprintf(stderr, "usage: quorvex-cli [--sim[=OPTIONS] | --usb] dump\n");
        return 2;
    }
    CCliLink link(ctx);
    if (!link.ConnectWithParams())
        return 1;
    for (const auto& entry : ParlexParam.GetTable()) {
        uint64_t value = 0;
        if (ParamValue(entry.first, &value))
            std::printf("%s %llu\n", entry.first.c_str(), static_cast<unsigned long long>(value));
    }
    return 0;
}
}  // namespace

QV_CLI_COMMAND("dump", "", "connect; print every parameter: NAME VALUE", RunDump);
