// quorvex-cli info: connects and prints what the instrument told about itself.
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/LinkCli.h"
#include "corvane/SharedState.h"
#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"

namespace {
void PrintModel()
{
    uint64_t model = 0;
    if (!ParamValue("CONTROL-TYPE", &model)) {
        std::printf("model      unknown\n");
        return;
    }
    const char* name = model < static_cast<uint64_t>(kMachineTypeCount) ? g_Machinetype[model] : "unknown";
    std::printf("model      %llu %s\n", static_cast<unsigned long long>(model), name);
}

int RunInfo(CliContext& ctx)
{
    if (!ctx.args.empty()) {
        std::fprintf(stderr, "usage: quorvex-cli [--sim[=OPTIONS] | --usb] info\n");
        return 2;
    }
    CCliLink link(ctx);
    if (!link.ConnectWithParams())
        return 1;
    std::printf("backend    %s\n", link.BackendDescription().c_str());
    PrintModel();
    std::printf("block      %d bytes\n", g_SysParamLen);
    std::printf("parameters %zu\n", ParlexParam.GetTable().size());
    std::printf("keys       %zu\n", g_bVKTable.load() ? g_VKTable.GetKeyMap().size() : size_t{0});
    return 0;
}
}  // namespace

QV_CLI_COMMAND("info", "", "connect; print model, block size, parameter and key counts", RunInfo);
