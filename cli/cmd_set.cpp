// quorvex-cli set NAME=VALUE ...: writes the values into the instrument's block,
// sends the block and prints what the instrument kept.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/LinkCli.h"
#include "corvane/SharedState.h"
#include "parlex/Parlex.h"

namespace {
struct Assignment {
    std::string name;
    int64_t value;
};

bool ParseAssignment(const std::string& text, Assignment* out)
{
    const size_t eq = text.find('=');
    if (eq == 0 || eq == std::string::npos || eq + 1 == text.size())
        return false;
    const std::string number = text.substr(eq + 1);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(number.c_str(), &end, 0);
    if (errno != 0 || *end != '\0')
        return false;
    *out = {text.substr(0, eq), value};
    return true;
}

int RunSet(CliContext& ctx)
{
    std::vector<Assignment> assignments;
    for (const std::string& arg : ctx.args) {
        Assignment a;
        if (!ParseAssignment(arg, &a)) {
            std::fprintf(stderr, "quorvex-cli: set: '%s' is not NAME=VALUE\n", arg.c_str());
            return 2;
        }
        assignments.push_back(a);
    }
    if (assignments.empty()) {
        std::fprintf(stderr, "usage: quorvex-cli [--sim[=OPTIONS] | --usb] set NAME=VALUE...\n");
        return 2;
    }
    CCliLink link(ctx);
    if (!link.ConnectWithParams())
        return 1;
    for (const Assignment& a : assignments)
        if (ParlexParam.DSOdataToPCParam(a.name).first < 0) {
            std::fprintf(stderr, "quorvex-cli: set: the instrument has no parameter %s\n", a.name.c_str());
            return 2;
        }
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        for (const Assignment& a : assignments)
            ParlexParam.PCParamToDSOdata(a.name, a.value, g_pSysParamBuffer, g_SysParamLen);
    }
    if (!link.SendParams() || !link.RefreshParams()) {
        std::fprintf(stderr, "quorvex-cli: the instrument did not answer\n");
        return 1;
    }
    for (const Assignment& a : assignments) {
        uint64_t kept = 0;
        ParamValue(a.name, &kept);
        std::printf("%s %llu\n", a.name.c_str(), static_cast<unsigned long long>(kept));
    }
    return 0;
}
}  // namespace

QV_CLI_COMMAND("set", "NAME=VALUE...", "write parameters; print the values the instrument kept", RunSet);
