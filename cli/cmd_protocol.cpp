// quorvex-cli protocol FILE: reads a protocol description the way the program
// does at connect time and prints the resulting table, one entry a line.
#include "cli/CliCommand.h"
#include "cli/TextFile.h"
#include "parlex/Parlex.h"

#include <cstdio>

namespace {
int RunProtocol(CliContext& ctx) {
    std::string text;
    if (const int status = ReadDescriptionArgument(ctx.args, "protocol", text); status != 0) return status;
    const std::string& path = ctx.args[0];
    ParlexParam.TableClear();
    if (ParlexParam.Trans_Init(text.c_str()) == 0) {
        std::fprintf(stderr, "quorvex-cli: %s: protocol description refused (missing total line or start marker, or sizes out of range)\n",
                     path.c_str());
        return 1;
    }
    std::printf("TOTAL %d\n", ParlexParam.GetSysBufLen());
    for (const auto& [name, place] : ParlexParam.GetTable())
        std::printf("%s %d %d\n", name.c_str(), place.first, place.second);
    return 0;
}
}  // namespace

QV_CLI_COMMAND("protocol", "FILE", "print the protocol table of a description", RunProtocol);
