// quorvex-cli keys FILE: reads a key description the way the program does at
// connect time and prints every key with its position number.
#include "cli/CliCommand.h"
#include "cli/TextFile.h"
#include "parlex/VKTableParlex.h"

#include <cstdio>

namespace {
int RunKeys(CliContext& ctx) {
    std::string text;
    if (const int status = ReadDescriptionArgument(ctx.args, "keys", text); status != 0) return status;
    const std::string& path = ctx.args[0];
    g_VKTable.TableClear();
    if (g_VKTable.VKTrans_Init(text.c_str()) == 0) {
        std::fprintf(stderr, "quorvex-cli: %s: key description refused (missing total line or start marker)\n", path.c_str());
        return 1;
    }
    for (const auto& [name, position] : g_VKTable.GetKeyMap()) std::printf("%s %d\n", name.c_str(), position);
    return 0;
}
}  // namespace

QV_CLI_COMMAND("keys", "FILE", "print the key table of a key description", RunKeys);
