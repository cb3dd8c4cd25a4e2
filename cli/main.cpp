// quorvex-cli: the headless face of Quorvex. Global options come before the
// command: [--sim[=OPTIONS] | --usb] [--language N] COMMAND ARGS...
#include "cli/CliCommand.h"

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
                 "usage: quorvex-cli [--sim[=OPTIONS] | --usb] [--language N] COMMAND ARGS...\n\n"
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

int main(int argc, char** argv) {
    CliContext ctx;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        const char* a = argv[i];
        std::string error;
        const int backend = ParseUsbBackendOption(a, &ctx.backend, &error);
        if (backend < 0) {
            std::fprintf(stderr, "quorvex-cli: %s\n", error.c_str());
            return 2;
        }
        if (backend > 0) {
            continue;
        } else if (std::strcmp(a, "--language") == 0 && i + 1 < argc) {
            ctx.language = static_cast<unsigned>(std::atoi(argv[++i])) == 1 ? 1u : 0u;
        } else if (std::strcmp(a, "--help") == 0) {
            PrintUsage(stdout);
            return 0;
        } else {
            std::fprintf(stderr, "quorvex-cli: unknown option %s\n", a);
            PrintUsage(stderr);
            return 2;
        }
    }
    if (i >= argc) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string name = argv[i];
    for (int k = i + 1; k < argc; ++k) ctx.args.emplace_back(argv[k]);
    for (const CliCommand& c : Registry())
        if (name == c.name) return c.run(ctx);
    std::fprintf(stderr, "quorvex-cli: unknown command %s\n", name.c_str());
    PrintUsage(stderr);
    return 2;
}
