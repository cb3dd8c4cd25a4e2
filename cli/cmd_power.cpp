// quorvex-cli spectrum: the 1024 decibel values of the spectrum routine, one
// per line, for the first 2048 samples of a channel record: a raw record file
// (--record FILE, no instrument), or one record captured from the instrument
// (--source 1|2). --window takes a window code, 2 (Hanning) by default.
#include "analysis/FftPower.h"
#include "cli/CliCommand.h"
#include "cli/OptionPairs.h"
#include "cli/RecordFile.h"
#include "cli/SettingsCli.h"
#include "settings/CaptureRun.h"
#include "settings/HeadlessSettings.h"

#include <array>
#include <cstdio>
#include <memory>

namespace {

constexpr std::uint32_t kCaptureTimeoutMs = 20000;
constexpr const char* kUsage = "usage: spectrum [--record FILE | --source 1|2] [--window 0|1|2|3]";

// One record of the chosen channel from the instrument; false after printing
// why (status set).
bool CaptureRecord(CliContext& ctx, int source, std::vector<std::uint8_t>& record, int& status) {
    CHeadlessSettings* panel = ConnectSettingsPanel(ctx, status);
    if (!panel) return false;
    CCaptureRun run(panel->Session(), panel->Model());
    if (run.Run(1, kCaptureTimeoutMs, [](const CapturedRecord&) {}) != 1 || run.Records().empty()) {
        std::fprintf(stderr, "quorvex-cli: no record arrived\n");
        status = 1;
        return false;
    }
    const std::vector<std::int8_t>& samples = source == 2 ? run.Records()[0].ch2 : run.Records()[0].ch1;
    record.assign(samples.begin(), samples.end());
    return true;
}

int RunSpectrum(CliContext& ctx) {
    std::map<std::string, std::string> options;
    int window = kWindowHanning, source = 1;
    const bool valid = ReadOptionPairs(ctx.args, {"--record", "--source", "--window"}, options) &&
                       !(options.count("--record") && options.count("--source")) &&
                       (!options.count("--window") || ReadIntOption(options["--window"], 0, 3, window)) &&
                       (!options.count("--source") || ReadIntOption(options["--source"], 1, 2, source));
    if (!valid) {
        std::fprintf(stderr, "quorvex-cli: %s\n", kUsage);
        return 2;
    }
    std::vector<std::uint8_t> record;
    int status = 0;
    if (options.count("--record") ? !ReadRecordFile(options["--record"], record)
                                  : !CaptureRecord(ctx, source, record, status))
        return options.count("--record") ? 1 : status;
    const SpectrumInput input = SpectrumInputFromRecord(record.data(), record.size());
    std::array<std::int32_t, kSpectrumBins> db{};
    ComputeSpectrumDb(db, input, window);
    for (std::int32_t value : db) std::printf("%d\n", value);
    return 0;
}

} // namespace

QV_CLI_COMMAND("spectrum", "[--record FILE|--source N] [--window W]", "decibel spectrum of a channel record",
               RunSpectrum);
