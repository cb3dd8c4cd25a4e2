// quorvex-cli capture [--count N] [--csv FILE] [--interval MS]: runs the
// acquisition cycle as the main frame does (read mode, settings decode,
// waveform requests) until N records have arrived, prints one line per
// record and writes them as CSV (time in seconds, CH1 and CH2 in volts).
// Acquisitions follow each other back to back, each starting as soon as the
// previous one has ended; with --interval, timer 2 starts them every MS
// milliseconds instead, as in the desktop program. At the end it prints the
// rate reached beside the rate the protocol allows (LinkPace.h). A progress
// count goes to a terminal's stderr; the CSV holds nothing but the data and
// is written atomically.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <cstdlib>
#include <limits>
#include <string>

#include "cli/CliCommand.h"
#include "settings/LinkPace.h"
#include "cli/SettingsCli.h"
#include "corvane/SharedState.h"
#include "link/LinkSession.h"
#include "link/LinkTimings.h"
#include "settings/CaptureRun.h"
#include "settings/HeadlessSettings.h"
#include "settings/SettingsModel.h"

namespace {
constexpr uint32_t kRecordTimeoutMs = 15000;  // per record, on top of the interval
// Timer 2 behind back-to-back acquisitions: restarts the cycle should an
// acquisition end without a record.
constexpr int kFallbackIntervalMs = 1000;

struct CaptureOptions {
    int count = 1;
    int intervalMs = 0;  // 0: back to back
    std::string csv;
};

bool ParseCount(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*end != '\0' || v < low || v > high)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseOptions(const std::vector<std::string>& args, CaptureOptions& o)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--count" && hasValue) {
            if (!ParseCount(args[++i].c_str(), 1, 100000, o.count))
                return false;
        } else if (args[i] == "--interval" && hasValue) {
            if (!ParseCount(args[++i].c_str(), 1, 600000, o.intervalMs))
                return false;
        } else if (args[i] == "--csv" && hasValue) {
            o.csv = args[++i];
        } else {
            return false;
        }
    }
    return true;
}

std::string Range(const std::vector<double>& volts)
{
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (double v : volts)
        if (!std::isnan(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (lo > hi)
        return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.3f..%.3f V", lo, hi);
    return text;
}

double PerSecond(double count, double seconds)
{
    return seconds > 0 ? count / seconds : 0.0;
}

void PrintPace(int taken, double seconds, const CLinkPace::Figures& f, uint32_t pollMs)
{
    const double rate = PerSecond(taken, seconds), bound = PerSecond(taken, f.boundSeconds);
    std::fprintf(stderr, "%d records in %.2f s (%.1f records/s)\n", taken, seconds, rate);
    std::fprintf(stderr,
                 "the protocol allows %.1f records/s: %llu frames, each at most a %u ms poll plus its answer "
                 "(answers %.2f s); reached %.0f %%\n",
                 bound, static_cast<unsigned long long>(f.frames), pollMs, f.answerSeconds,
                 bound > 0 ? 100.0 * rate / bound : 0.0);
}

int RunCapture(CliContext& ctx)
{
    CaptureOptions opt;
    if (!ParseOptions(ctx.args, opt)) {
        std::fprintf(stderr, "quorvex-cli: usage: capture [--count N] [--csv FILE] [--interval MS]\n");
        return 2;
    }
    int status = 0;
    CHeadlessSettings* connected = ConnectSettingsPanel(ctx, status);
    if (!connected) return status;
    CHeadlessSettings& panel = *connected;
    panel.Session().SetAcquisitionInterval(opt.intervalMs > 0 ? opt.intervalMs : kFallbackIntervalMs);
    CCaptureRun run(panel.Session(), panel.Model());
    run.SetBackToBack(opt.intervalMs == 0);
    const CLinkPace pace(panel.Session().Sender(), panel.Session().Timings().sendPollMs);
    const bool terminal = isatty(STDERR_FILENO) != 0;
    int n = 0;
    const auto start = std::chrono::steady_clock::now();
    const uint32_t timeout = static_cast<uint32_t>(std::min<int64_t>(
        static_cast<int64_t>(opt.count) * (opt.intervalMs + kRecordTimeoutMs), UINT32_MAX));
    const int taken = run.Run(opt.count, timeout, [&](const CapturedRecord& r) {
        ++n;
        std::printf("record %d: %zu samples, CH1 %s, CH2 %s, state %s\n", n, std::max(r.ch1.size(), r.ch2.size()),
                    Range(RecordVolts(r, 0)).c_str(), Range(RecordVolts(r, 1)).c_str(), r.param.strState.c_str());
        std::fflush(stdout);
        if (terminal)
            std::fprintf(stderr, "\rcapture: %d/%d records", n, opt.count);
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (terminal)
        std::fprintf(stderr, "\n");
    PrintPace(taken, seconds, pace.Measured(), panel.Session().Timings().sendPollMs);
    if (!opt.csv.empty()) {
        const std::vector<CapturedRecord> records(run.Records().begin(), run.Records().begin() + taken);
        if (const std::string failed = WriteCaptureCsv(opt.csv, records); !failed.empty()) {
            std::fprintf(stderr, "quorvex-cli: %s: %s\n", opt.csv.c_str(), failed.c_str());
            return 1;
        }
    }
    return taken == opt.count ? 0 : 1;
}
}  // namespace

QV_CLI_COMMAND("capture", "[--count N] [--csv FILE] [--interval MS]",
               "acquire N records back to back (or every MS ms) and write them as CSV",
               RunCapture);
