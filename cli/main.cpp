// quorvex-cli: the headless face of Quorvex. Global options come before the
// commands: [--sim[=OPTIONS] | --usb] [--language N] COMMAND ARGS...
// [--then COMMAND ARGS...]... (CliInvocation.h).
#include "cli/CliCommand.h"
#include "cli/CliInvocation.h"
#include "settings/HeadlessSettings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
std::vector<CliCommand>& Registry() {
    static std::vector<CliCommand> commands;
    return commands;
}

void PrintUsage(FILE* out) {
    std::fprintf(out,
                 "usage: quorvex-cli [--sim[=OPTIONS] | --usb] [--language N] COMMAND ARGS...\n"
                 "                   [--then COMMAND ARGS...]...\n\n"
                 "commands joined by --then run in order and stop at the first that fails; those\n"
                 "that work through the settings panel (settings, edit, capture, measure, decode,\n"
                 "spectrum) share one connection, so an edit holds for the capture after it:\n"
                 "  quorvex-cli --sim edit 11=512K --then capture --count 5 --csv deep.csv\n"
                 "info, dump, set and press open a connection of their own\n\n"
                 "instrument (the same for every command):\n"
                 "  --sim[=OPTIONS]  the simulated instrument, with these signals and faults\n"
                 "  --usb            the real instrument that the [USB] section of Param.ini names\n"
                 "  neither          [USB] Backend of Param.ini decides (usb, sim or auto: a configured\n"
                 "                   or attached instrument, else the simulated one)\n"
                 "exit status: 0 done, 1 the operation failed, 2 bad usage or unreadable input\n\n"
                 "commands:\n");
    for (const CliCommand& c : Registry())
        std::fprintf(out, "  %-10s %-28s %s\n", c.name, c.usage, c.summary);
}
}  // namespace

bool RegisterCliCommand(const CliCommand& command) {
    Registry().push_back(command);
    return true;
}

const std::vector<CliCommand>& CliCommands() { return Registry(); }

const CliCommand* FindCommand(const std::string& name) {
    for (const CliCommand& c : Registry())
        if (name == c.name) return &c;
    return nullptr;
}

int main(int argc, char** argv) {
    const CliInvocation plan = ParseCliInvocation(std::vector<std::string>(argv + 1, argv + argc));
    if (plan.help) {
        PrintUsage(stdout);
        return 0;
    }
    if (plan.calls.empty()) {
        if (plan.error != kNoCommand) std::fprintf(stderr, "quorvex-cli: %s\n", plan.error.c_str());
        PrintUsage(stderr);
        return 2;
    }
    // Every name is checked before the first command touches the instrument.
    for (const CliCall& call : plan.calls)
        if (!FindCommand(call.name)) {
            std::fprintf(stderr, "quorvex-cli: unknown command %s\n", call.name.c_str());
            PrintUsage(stderr);
            return 2;
        }
    CliContext ctx;
    ctx.backend = plan.backend;
    ctx.language = plan.language;
    int status = 0;
    for (const CliCall& call : plan.calls) {
        ctx.args = call.args;
        status = FindCommand(call.name)->run(ctx);
        if (status != 0) break;
    }
    ctx.settingsPanel.reset();
    return status;
}
