// libFuzzer driver: arbitrary option strings for quorvex-cli. The input is
// the argument list, arguments separated by zero bytes; it runs through the
// tool's own main(). The commands that need no instrument run in full on
// small files in a scratch folder ("r1", "r2": raw records; "p": a protocol
// description); a command that would connect to an instrument is cut off
// (the global options before it are still read, and the usage printed).
// Paths out of the scratch folder are replaced, so no device file is read.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "sim/SimProtocolLayout.h"

int QvCliMain(int argc, char** argv);

namespace {
constexpr std::size_t kMaxArgs = 24;
constexpr std::size_t kMaxArgBytes = 200;
std::filesystem::path s_folder;

void WriteFile(const std::string& name, const std::string& bytes)
{
    std::ofstream out(s_folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Record(double cycles, bool square)
{
    std::string samples(2048, '\0');
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double s = std::sin(2 * M_PI * cycles * static_cast<double>(i) / 2048.0);
        samples[i] = static_cast<char>(static_cast<int8_t>(square ? (s >= 0 ? 75 : -75) : 90 * s));
    }
    return samples;
}

std::vector<std::string> Split(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() <= kMaxArgs; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else if (args.back().size() < kMaxArgBytes)
            args.back().push_back(static_cast<char>(data[i]));
    }
    // Only the scratch folder's files: no absolute paths, no way up, no devices.
    for (std::string& a : args) {
        if (a.find('/') != std::string::npos)
            a = "r1";
    }
    return args;
}

bool Has(const std::vector<std::string>& args, std::size_t from, const char* option)
{
    for (std::size_t i = from; i < args.size(); ++i) {
        if (args[i] == option)
            return true;
    }
    return false;
}

// Whether the command at args[at] runs without an instrument.
bool RunsOffline(const std::vector<std::string>& args, std::size_t at)
{
    static const std::set<std::string> kFileCommands = {"arith", "table", "protocol", "keys"};
    const std::string& name = args[at];
    if (kFileCommands.count(name))
        return true;
    if (name == "measure" || name == "spectrum")
        return Has(args, at + 1, "--record") && !Has(args, at + 1, "--source") && !Has(args, at + 1, "--count");
    if (name == "decode")
        return Has(args, at + 1, "--data") && Has(args, at + 1, "--clock") && !Has(args, at + 1, "--autoset");
    return false;
}

// Where main() would find the command: after the global options.
std::size_t CommandIndex(const std::vector<std::string>& args)
{
    std::size_t i = 0;
    while (i < args.size() && args[i].rfind("--", 0) == 0)
        i += args[i] == "--language" ? 2 : 1;
    return i;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    s_folder = FuzzScratchFolder();
    WriteFile("r1", Record(8, true));
    WriteFile("r2", Record(64, false));
    WriteFile("p", CSimProtocolLayout::Standard().DescriptionText());
    std::filesystem::current_path(s_folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> args = Split(data, size);
    const std::size_t command = CommandIndex(args);
    if (command < args.size() && !RunsOffline(args, command))
        args.resize(command);
    std::vector<char*> argv{const_cast<char*>("quorvex-cli")};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int status = QvCliMain(static_cast<int>(argv.size() - 1), argv.data());
    if (status < 0 || status > 2)
        std::abort();
    return 0;
}
