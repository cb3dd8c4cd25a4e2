// quorvex-cli measure: the measurement window's 25 items.
//
//   measure [--source 1|2] [--count N]
//     runs the acquisition cycle on the instrument (or the simulator) and
//     prints, per record, the 25 items as "<name>\t<text>" exactly as the
//     grid shows them; records are separated by an empty line.
//   measure --record FILE --vdiv MV --tdiv NS [--pos P] [--dots N] [--txt|--csv]
//     measures a raw record (one signed byte per sample) with volts per
//     division MV in mV, time per division NS in ns, vertical position P in
//     counts (0) and N samples per division (200), and prints what the
//     window's ".txt" (default) or ".csv" export writes for it.
// Bad arguments exit 2 with a one-line reason; an unreadable or empty record 1.
#include <cmath>
#include <cstdio>
#include <memory>

#include "cli/CliCommand.h"
#include "cli/RecordArguments.h"
#include "cli/SettingsCli.h"
#include "corvane/ValueTables.h"
#include "docs/MeasureExport.h"
#include "link/LinkSession.h"
#include "settings/CaptureRun.h"

namespace {
constexpr uint32_t kRecordTimeoutMs = 15000;
constexpr int kIntervalMs = 200;

int Usage(const std::string& reason) {
    std::fprintf(stderr, "quorvex-cli: measure: %s\n", reason.c_str());
    return 2;
}

int MeasureRecordFile(const std::map<std::string, std::string>& o, unsigned language) {
    double mv = 0, ns = 0;
    int pos = 0, dots = 200;
    for (const std::string& reason :
         {PositiveNumber(o, "--vdiv", mv), PositiveNumber(o, "--tdiv", ns), IntegerIn(o, "--pos", -1000, 1000, pos),
          IntegerIn(o, "--dots", 1, 1000000, dots)})
        if (!reason.empty()) return Usage(reason);
    if (o.count("--txt") && o.count("--csv")) return Usage("--txt and --csv exclude each other");
    std::vector<uint8_t> record;
    const std::string& path = o.at("--record");
    if (!ReadNonEmptyRecord(path, record)) return 1;
    MeasureInput in;
    in.samples = record.data();
    in.count = record.size();
    in.position = static_cast<int>(pos);
    in.voltsPerDiv = mv * 1000.0;
    in.timePerDiv = ns;
    in.samplesPerDiv = static_cast<int>(dots);
    CMeasureData data;
    data.Apply(MeasureWaveform(in));
    const QByteArray table = o.count("--csv") ? MeasureCsvTable(data, static_cast<int>(language))
                                              : MeasureTextTable(data, static_cast<int>(language));
    WriteOut(table.constData(), static_cast<size_t>(table.size()));
    return 0;
}

void PrintItems(const CapturedRecord& r, int source, unsigned language, bool first) {
    const std::vector<int8_t>& s = source == 2 ? r.ch2 : r.ch1;
    MeasureInput in;
    in.samples = reinterpret_cast<const uint8_t*>(s.data());
    in.count = s.size();
    in.position = source == 2 ? r.param.nCH2Pos : r.param.nCH1Pos;
    in.voltsPerDiv = static_cast<double>(source == 2 ? r.param.llCH2VoltBase : r.param.llCH1VoltBase);
    in.timePerDiv = r.param.fMeasureTimeBase;
    in.samplesPerDiv = r.gridDivisions > 0 ? static_cast<int>(std::lround(s.size() / r.gridDivisions)) : 0;
    in.scan = r.param.strState == "Scan";
    const MeasureResult m = MeasureWaveform(in);
    if (!first) std::printf("\n");
    for (int k = 0; k < kMeasureItemCount; ++k)
        std::printf("%s\t%s\n", MesItem[k][language == 1 ? 1 : 0].c_str(),
                    ShownMeasureText(k, m.text[static_cast<size_t>(k)]).c_str());
    std::fflush(stdout);
}

int MeasureInstrument(CliContext& ctx, const std::map<std::string, std::string>& o) {
    int source = 1, count = 1;
    for (const std::string& reason : {IntegerIn(o, "--source", 1, 2, source), IntegerIn(o, "--count", 1, 100000, count)})
        if (!reason.empty()) return Usage(reason);
    int status = 0;
    CHeadlessSettings* panel = ConnectSettingsPanel(ctx, status);
    if (!panel) return status;
    panel->Session().SetAcquisitionInterval(kIntervalMs);
    CCaptureRun run(panel->Session(), panel->Model());
    int n = 0;
    const uint32_t timeout = static_cast<uint32_t>(count * (kIntervalMs + kRecordTimeoutMs));
    const int taken = run.Run(static_cast<int>(count), timeout, [&](const CapturedRecord& r) {
        PrintItems(r, static_cast<int>(source), ctx.language, n++ == 0);
    });
    return taken == count ? 0 : 1;
}

int RunMeasure(CliContext& ctx) {
    std::map<std::string, std::string> o;
    const std::string reason =
        ParseRecordOptions(ctx.args, {"--record", "--vdiv", "--tdiv", "--pos", "--dots", "--source", "--count"},
                     {"--txt", "--csv"}, o);
    if (!reason.empty()) return Usage(reason);
    if (o.count("--record")) {
        if (o.count("--source") || o.count("--count")) return Usage("--source and --count need the instrument, not --record");
        return MeasureRecordFile(o, ctx.language);
    }
    for (const char* offline : {"--vdiv", "--tdiv", "--pos", "--dots", "--txt", "--csv"})
        if (o.count(offline)) return Usage(std::string(offline) + " needs --record FILE");
    return MeasureInstrument(ctx, o);
}
}  // namespace

QV_CLI_COMMAND("measure", "[--source 1|2] [--count N] | --record FILE --vdiv MV --tdiv NS [--pos P] [--dots N] [--txt|--csv]",
               "the 25 measurements of each record, or of a raw record file", RunMeasure);
