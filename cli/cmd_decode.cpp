// quorvex-cli decode i2c|spi: decodes a data record and a clock record (one
// signed byte per sample, as the instrument sends them) with the bus window's
// decoders and prints one line per decoded field: label, value in the chosen
// base, and ACK or NAK after an I2C field; then "status TEXT" ("status OK"
// when the decoder has nothing to say). Exit 0 when the decode succeeded, 1
// when it failed, 2 on bad usage or unreadable input. Without --data/--clock
// one record is captured from the instrument first (CH1 data and CH2 clock,
// or the other way round with --sda 2), after the AUTOSET key with --autoset.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/BusLevels.h"
#include "analysis/I2CDecoder.h"
#include "analysis/SPIDecoder.h"
#include "cli/CliCommand.h"
#include "cli/SettingsCli.h"
#include "corvane/ScaleConversion.h"
#include "settings/CaptureRun.h"
#include "settings/FixedChoice.h"
#include "settings/HeadlessSettings.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsModel.h"

namespace {

constexpr std::uint32_t kAutosetTimeoutMs = 5000;

constexpr const char* kUsage =
    "decode i2c|spi [--data FILE --clock FILE] --tdiv NS [--dots N] [--bits 8|16|32] [--addr-bits 7|10] "
    "[--addr-type 0..5] [--cpol 0|1] [--cpha 0|1] [--base 0..3] [--times T1,T2,T5,HOLD,T6] [--sda 1|2] [--autoset] [--band A]";

struct DecodeOptions {
    bool spi = false;
    std::string dataFile, clockFile;
    double tdivNs = 0; // 0: the captured record's time base
    int dots = 0;      // 0: 200 for files, the captured record's samples per division otherwise
    std::optional<int> band;  // --band A: fixed levels 60 - A and 140 - A; else each record's own 10 % / 90 %
    bool autoset = false; // press the instrument's AUTOSET key before the capture
    int bits = 8, addressBits = 7, addressType = kAddrSimple, cpol = 0, cpha = 1, base = kBaseHex, sda = 1;
    std::vector<std::string> times;
};

bool ParseInt(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseChoice(const std::string& text, std::initializer_list<int> choices, int& value) {
    int v = 0;
    if (!ParseInt(text, -1000000, 1000000, v)) return false;
    for (int c : choices)
        if (c == v) return (value = v), true;
    return false;
}

std::vector<std::string> SplitTimes(const std::string& text) {
    std::vector<std::string> times;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        times.push_back(item);
    return times;
}

bool ParseOptions(const std::vector<std::string>& args, DecodeOptions& o) {
    if (args.empty() || (args[0] != "i2c" && args[0] != "spi")) return false;
    o.spi = args[0] == "spi";
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--autoset") {
            o.autoset = true;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const std::string& key = args[i];
        const std::string& value = args[++i];
        bool ok = true;
        if (key == "--data") o.dataFile = value;
        else if (key == "--clock") o.clockFile = value;
        else if (key == "--tdiv") {
            char* end = nullptr;
            o.tdivNs = std::strtod(value.c_str(), &end);
            ok = !value.empty() && *end == '\0' && o.tdivNs > 0 && o.tdivNs < 1e13;
        } else if (key == "--dots") ok = ParseInt(value, 1, 100000000, o.dots);
        else if (key == "--bits") ok = ParseChoice(value, {8, 16, 32}, o.bits);
        else if (key == "--addr-bits") ok = ParseChoice(value, {7, 10}, o.addressBits);
        else if (key == "--addr-type") ok = ParseInt(value, 0, 5, o.addressType);
        else if (key == "--cpol") ok = ParseInt(value, 0, 1, o.cpol);
        else if (key == "--cpha") ok = ParseInt(value, 0, 1, o.cpha);
        else if (key == "--base") ok = ParseInt(value, 0, 3, o.base);
        else if (key == "--sda") ok = ParseInt(value, 1, 2, o.sda);
        else if (key == "--band") ok = ParseInt(value, -1000, 1000, *(o.band = 0));
        else if (key == "--times") ok = !(o.times = SplitTimes(value)).empty() && o.times.size() <= 5;
        else ok = false;
        if (!ok) return false;
    }
    // Files come in pairs and need the time base; a capture brings its own.
    if (o.dataFile.empty() != o.clockFile.empty()) return false;
    return o.dataFile.empty() || o.tdivNs > 0;
}

bool ReadRecord(const std::string& path, std::vector<std::uint8_t>& record) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    record.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

// The records from the two files, or 2 after saying why.
int RecordsFromFiles(const DecodeOptions& o, std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& clock) {
    for (const auto& [path, record] : {std::pair{&o.dataFile, &data}, std::pair{&o.clockFile, &clock}})
        if (!ReadRecord(*path, *record)) {
            std::fprintf(stderr, "quorvex-cli: cannot read %s\n", path->c_str());
            return 2;
        }
    if (data.empty() || data.size() != clock.size()) {
        std::fprintf(stderr, "quorvex-cli: the data and clock records must be equally long and not empty (%zu, %zu)\n",
                     data.size(), clock.size());
        return 2;
    }
    return 0;
}

// One record from the instrument; fills the time base and the samples per
// division from it unless given. Returns 0 or the exit status.
int RecordsFromCapture(CliContext& ctx, DecodeOptions& o, std::vector<std::uint8_t>& data,
                       std::vector<std::uint8_t>& clock) {
    int status = 0;
    CHeadlessSettings* panel = ConnectSettingsPanel(ctx, status);
    if (!panel) return status;
    if (o.autoset) {
        CFixedChoice none(SettingChoice{});
        panel->Model().ApplyEdit(KIND_AUTOSET, 0, none);
        panel->WaitForFreshDecode(kAutosetTimeoutMs);
    }
    CCaptureRun run(panel->Session(), panel->Model());
    if (run.Run(1, 20000) != 1) {
        std::fprintf(stderr, "quorvex-cli: no record arrived\n");
        return 1;
    }
    const CapturedRecord& r = run.Records().front();
    const std::vector<int8_t>& dataCh = o.sda == 1 ? r.ch1 : r.ch2;
    const std::vector<int8_t>& clockCh = o.sda == 1 ? r.ch2 : r.ch1;
    if (dataCh.empty() || dataCh.size() != clockCh.size()) {
        std::fprintf(stderr, "quorvex-cli: the record lacks a channel (CH1 %zu, CH2 %zu samples)\n", r.ch1.size(),
                     r.ch2.size());
        return 1;
    }
    data.assign(dataCh.begin(), dataCh.end());
    clock.assign(clockCh.begin(), clockCh.end());
    if (o.tdivNs <= 0) o.tdivNs = static_cast<double>(CalcTimeBase(r.param.nTimeBaseIndex + 1));
    if (o.dots <= 0 && r.gridDivisions > 0) o.dots = static_cast<int>(data.size() / r.gridDivisions + 0.5);
    return 0;
}

void Configure(const DecodeOptions& o, CBusDecoder& decoder) {
    decoder.SetBits(o.bits);
    decoder.SetBandOffset(o.band);
    decoder.SetTimePerDivision(o.tdivNs);
    decoder.SetSamplesPerDivision(o.dots > 0 ? o.dots : CBusDecoder::kDefaultSamplesPerDivision);
    const auto time = [&o](std::size_t i) { return i < o.times.size() && !o.times[i].empty(); };
    if (time(0)) decoder.SetTime1(o.times[0]);
    if (time(1)) decoder.SetTime2(o.times[1]);
    if (time(2)) decoder.SetTime5(o.times[2]);
    if (auto* i2c = dynamic_cast<CI2CDecoder*>(&decoder)) {
        i2c->SetAddressBits(o.addressBits);
        i2c->SetAddressType(o.addressType);
        if (time(3)) i2c->SetStartHoldTime(o.times[3]);
        if (time(4)) i2c->SetTime6(o.times[4]);
    } else if (auto* spi = dynamic_cast<CSPIDecoder*>(&decoder)) {
        spi->SetCPOL(std::to_string(o.cpol));
        spi->SetCPHA(std::to_string(o.cpha));
    }
}

void PrintFields(const CBusDecoder& decoder, int base) {
    for (const BusField& f : decoder.Results()) {
        std::string line = f.label;
        if (!f.bits.empty()) line += " " + FormatFieldValue(f.BitValues(), base);
        if (f.ack >= 0) line += f.ack == 0 ? " ACK" : " NAK";
        std::printf("%s\n", line.c_str());
    }
}

int RunDecode(CliContext& ctx) {
    DecodeOptions o;
    if (!ParseOptions(ctx.args, o)) {
        std::fprintf(stderr, "quorvex-cli: usage: %s\n", kUsage);
        return 2;
    }
    std::vector<std::uint8_t> data, clock;
    if (const int status = o.dataFile.empty() ? RecordsFromCapture(ctx, o, data, clock)
                                              : RecordsFromFiles(o, data, clock))
        return status;
    std::fprintf(stderr, "decoding %zu samples at %g ns per division, %d samples per division\n", data.size(),
                 o.tdivNs, o.dots > 0 ? o.dots : CBusDecoder::kDefaultSamplesPerDivision);
    CI2CDecoder i2c;
    CSPIDecoder spi;
    CBusDecoder& decoder = o.spi ? static_cast<CBusDecoder&>(spi) : i2c;
    Configure(o, decoder);
    const int decoded = decoder.Decode(clock.data(), static_cast<int>(clock.size()), data.data());
    PrintFields(decoder, o.base);
    std::printf("status %s\n", decoder.Status().empty() ? "OK" : decoder.Status().c_str());
    return decoded == 1 ? 0 : 1;
}

} // namespace

QV_CLI_COMMAND("decode", "i2c|spi [--data F --clock F --tdiv NS]", "decode a bus from two records", RunDecode);
