// quorvex-cli arith: combines two raw channel records sample by sample as the
// arithmetic window does (operation 0 add, 1 subtract, 2 multiply, 3 divide,
// 4 RMS sum, in divisions of the larger volts per division), one result per
// line ("%.6f"; a division by a zero sample prints the sentinel), then the
// line "peak VALUE" (sentinels excluded).
#include "analysis/Arithmetic.h"
#include "cli/CliCommand.h"
#include "cli/OptionPairs.h"
#include "cli/RecordFile.h"

#include <cstdio>

namespace {

constexpr const char* kUsage = "usage: arith --record1 F1 --record2 F2 --vdiv1 MV --vdiv2 MV --op 0..4";

int RunArith(CliContext& ctx) {
    std::map<std::string, std::string> o;
    double vdiv1 = 0, vdiv2 = 0;
    int operation = 0;
    const bool valid = ReadOptionPairs(ctx.args, {"--record1", "--record2", "--vdiv1", "--vdiv2", "--op"}, o) &&
                       o.size() == 5 && ReadPositiveOption(o["--vdiv1"], vdiv1) &&
                       ReadPositiveOption(o["--vdiv2"], vdiv2) && ReadIntOption(o["--op"], 0, 4, operation);
    if (!valid) {
        std::fprintf(stderr, "quorvex-cli: %s\n", kUsage);
        return 2;
    }
    std::vector<std::uint8_t> ch1, ch2;
    if (!ReadRecordFile(o["--record1"], ch1) || !ReadRecordFile(o["--record2"], ch2)) return 1;
    const ArithmeticResult result =
        ComputeArithmetic({ch1, ch2, vdiv1 / 1000, vdiv2 / 1000}, kInputCH1, kInputCH2, operation);
    for (std::size_t i = 0; i < result.Size(); ++i) std::printf("%.6f\n", result.Value(i));
    std::printf("peak %.6f\n", result.peak);
    return 0;
}

} // namespace

QV_CLI_COMMAND("arith", "--record1 F1 --record2 F2 --vdiv1 MV --vdiv2 MV --op N",
               "combine two channel records as the arithmetic window does", RunArith);
