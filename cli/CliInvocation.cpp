#include "cli/CliInvocation.h"

#include <cstdlib>

namespace {

// Splits the words after the global options at each separator. An empty
// command (a separator first, last or doubled) is an error.
bool SplitCalls(const std::vector<std::string>& args, size_t first, std::vector<CliCall>& calls)
{
    CliCall call;
    for (size_t i = first; i <= args.size(); ++i) {
        if (i == args.size() || args[i] == kCommandSeparator) {
            if (call.name.empty())
                return false;
            calls.push_back(std::move(call));
            call = CliCall{};
        } else if (call.name.empty()) {
            call.name = args[i];
        } else {
            call.args.push_back(args[i]);
        }
    }
    return true;
}

}  // namespace

CliInvocation ParseCliInvocation(const std::vector<std::string>& args)
{
    CliInvocation plan;
    size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0 && args[i] != kCommandSeparator; ++i) {
        const std::string& a = args[i];
        const int backend = ParseUsbBackendOption(a, &plan.backend, &plan.error);
        if (backend < 0)
            return plan;
        if (backend > 0)
            continue;
        if (a == "--language" && i + 1 < args.size()) {
            plan.language = std::atoi(args[++i].c_str()) == 1 ? 1u : 0u;
        } else if (a == "--help") {
            plan.help = true;
            return plan;
        } else {
            plan.error = "unknown option " + a;
            return plan;
        }
    }
    if (i >= args.size()) {
        plan.error = kNoCommand;
    } else if (!SplitCalls(args, i, plan.calls)) {
        plan.calls.clear();
        plan.error = std::string("a command is missing before or after ") + kCommandSeparator;
    }
    return plan;
}
