// quorvex-cli table --record FILE --vdiv MV --tdiv NS [--hpos H] [--page K] [--txt|--csv]:
// the data table window's export of page K (1) of a raw CH1 record (one
// signed byte per sample) with volts per division MV in mV, time per
// division NS in ns, horizontal position H (0) and 200 samples per
// division: ".txt" (default) or ".csv", as the window writes it.
// Bad arguments exit 2 with a one-line reason; an unreadable or empty record 1.
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/RecordArguments.h"
#include "docs/TabularExport.h"

namespace {
constexpr int kSamplesPerDivision = 200;
constexpr double kMaxVdivMillivolts = 1e9;

int Usage(const std::string& reason) {
    std::fprintf(stderr, "quorvex-cli: table: %s\n", reason.c_str());
    return 2;
}

int RunTable(CliContext& ctx) {
    std::map<std::string, std::string> o;
    std::string reason = ParseRecordOptions(ctx.args, {"--record", "--vdiv", "--tdiv", "--hpos", "--page"}, {"--txt", "--csv"}, o);
    double mv = 0, ns = 0;
    int hpos = 0, page = 1;
    if (reason.empty() && !o.count("--record")) reason = "--record FILE is required";
    for (const std::string& r : {PositiveNumber(o, "--vdiv", mv), PositiveNumber(o, "--tdiv", ns),
                                 IntegerIn(o, "--hpos", -1000000, 1000000, hpos), IntegerIn(o, "--page", 1, 1000000, page)})
        if (reason.empty()) reason = r;
    // Held in microvolts as a 64-bit integer; no probe comes near this.
    if (reason.empty() && mv > kMaxVdivMillivolts) reason = "--vdiv must be at most 1e9 mV";
    if (reason.empty() && o.count("--txt") && o.count("--csv")) reason = "--txt and --csv exclude each other";
    if (!reason.empty()) return Usage(reason);
    std::vector<uint8_t> record;
    if (!ReadNonEmptyRecord(o.at("--record"), record)) return 1;
    tagWaveformParam wfm;
    wfm.llCH1VoltBase = static_cast<int64_t>(mv * 1000.0);
    wfm.fTableTimeBase = static_cast<float>(ns);
    wfm.nHorizPos = static_cast<int32_t>(hpos);
    TabularInput in;
    in.wfm = &wfm;
    in.ch1 = record.data();
    in.length = record.size();
    in.recordLength = static_cast<int32_t>(record.size());
    in.samplesPerDiv = kSamplesPerDivision;
    CTabularData table(in.recordLength);
    if (page > table.pageCount)
        return Usage("--page " + std::to_string(page) + " is past the last page, " + std::to_string(table.pageCount));
    table.currentPage = static_cast<int32_t>(page);
    UpdateTable(table, in);
    const int language = static_cast<int>(ctx.language);
    const QByteArray out = o.count("--csv") ? TabularCsvTable(table, language) : TabularTextTable(table, language);
    WriteOut(out.constData(), static_cast<size_t>(out.size()));
    return 0;
}
}  // namespace

QV_CLI_COMMAND("table", "--record FILE --vdiv MV --tdiv NS [--hpos H] [--page K] [--txt|--csv]",
               "the data table export of one page of a raw record file", RunTable);
