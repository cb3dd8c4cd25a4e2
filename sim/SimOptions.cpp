#include "sim/SimOptions.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <vector>

#include "sim/SimModel.h"

namespace {

struct OptionItem {
    std::string key;
    std::string value;
    std::string text;  // as written, for messages
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

bool StartsNewItem(const std::string& piece) {
    const std::size_t eq = piece.find('=');
    if (eq == std::string::npos || eq == 0)
        return false;
    for (std::size_t i = 0; i < eq; ++i)
        if (!std::isalnum(static_cast<unsigned char>(piece[i])))
            return false;
    return true;
}

bool IsSignalKey(const std::string& key) { return key == "ch1" || key == "ch2"; }

// Splits at commas; a piece without "KEY=" continues a signal item.
bool SplitItems(const std::string& text, std::vector<OptionItem>* items, std::string* error) {
    for (const std::string& piece : Split(text, ',')) {
        if (piece.empty())
            continue;
        if (StartsNewItem(piece)) {
            const std::size_t eq = piece.find('=');
            items->push_back({piece.substr(0, eq), piece.substr(eq + 1), piece});
        } else if (!items->empty() && IsSignalKey(items->back().key)) {
            items->back().value += "," + piece;
            items->back().text += "," + piece;
        } else {
            *error = "'" + piece + "' is not of the form KEY=VALUE";
            return false;
        }
    }
    return true;
}

bool ParseInt(const std::string& text, long long low, long long high, long long* out) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high)
        return false;
    *out = value;
    return true;
}

bool ParseRate(const std::string& text, double* out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(value >= 0.0 && value <= 1.0))
        return false;
    *out = value;
    return true;
}

constexpr long long kMaxMs = 3600000;      // an hour
constexpr long long kMaxFrames = 1000000000;

bool ParseLatency(const std::vector<std::string>& args, SimFaultPlan* plan) {
    long long ms = 0, jitter = 0;
    if (args.empty() || args.size() > 2 || !ParseInt(args[0], 0, kMaxMs, &ms))
        return false;
    if (args.size() == 2 && !ParseInt(args[1], 0, kMaxMs, &jitter))
        return false;
    plan->latencyMs = static_cast<int>(ms);
    plan->jitterMs = static_cast<int>(jitter);
    return true;
}

bool ParseSilence(const std::vector<std::string>& args, SimFaultPlan* plan) {
    long long frames = 0, ms = 0;
    if (args.empty() || args.size() > 2 || !ParseInt(args[0], 0, kMaxFrames, &frames))
        return false;
    if (args.size() == 2 && !ParseInt(args[1], 1, kMaxMs, &ms))
        return false;
    plan->silenceAfterFrames = static_cast<int>(frames);
    plan->silenceMs = static_cast<int>(ms);
    return true;
}

bool ParseFrameCount(const std::vector<std::string>& args, int* out) {
    long long n = 0;
    if (args.size() != 1 || !ParseInt(args[0], 0, kMaxFrames, &n))
        return false;
    *out = static_cast<int>(n);
    return true;
}

// "baddesc" alone damages the first transfer; "baddesc:N" the first N.
bool ParseDamageCount(const std::vector<std::string>& args, int* out) {
    if (args.empty()) {
        *out = 1;
        return true;
    }
    return ParseFrameCount(args, out);
}

// One "fault=KIND[:ARG...]" value.
bool ParseFault(const std::string& value, SimFaultPlan* plan, std::string* why) {
    std::vector<std::string> args = Split(value, ':');
    const std::string kind = args.front();
    args.erase(args.begin());
    bool ok = false;
    if (kind == "latency")
        ok = ParseLatency(args, plan);
    else if (kind == "drop")
        ok = args.size() == 1 && ParseRate(args[0], &plan->dropRate);
    else if (kind == "badsum")
        ok = args.size() == 1 && ParseRate(args[0], &plan->badSumRate);
    else if (kind == "short")
        ok = args.size() == 1 && ParseRate(args[0], &plan->shortReadRate);
    else if (kind == "silence")
        ok = ParseSilence(args, plan);
    else if (kind == "pull")
        ok = ParseFrameCount(args, &plan->pullAfterFrames);
    else if (kind == "baddesc")
        ok = ParseDamageCount(args, &plan->damagedDescriptions);
    else if (kind == "nokeys")
        ok = args.empty() && (plan->noKeyDescription = true);
    else {
        *why = "unknown fault '" + kind +
               "' (known: latency, drop, badsum, short, silence, pull, baddesc, nokeys)";
        return false;
    }
    if (!ok)
        *why = "bad arguments for fault '" + kind + "'";
    return ok;
}

// "pipe=BYTES[:PAUSE[:EVERY]]": the answers through a USB pipe.
bool ParsePipe(const std::vector<std::string>& args, SimPipePlan* plan) {
    long long bytes = 0, pause = plan->pauseMs, every = plan->pauseEvery;
    if (args.empty() || args.size() > 3 || !ParseInt(args[0], 1, 65536, &bytes))
        return false;
    if (args.size() >= 2 && !ParseInt(args[1], 0, kMaxMs, &pause))
        return false;
    if (args.size() == 3 && !ParseInt(args[2], 0, kMaxFrames, &every))
        return false;
    plan->maxBytes = static_cast<int>(bytes);
    plan->pauseMs = static_cast<int>(pause);
    plan->pauseEvery = static_cast<int>(every);
    return true;
}

bool ApplyItem(const OptionItem& item, SimOptions* opt, std::string* why) {
    long long n = 0;
    if (item.key == "model") {
        const SimModelInfo* model = FindSimModel(item.value);
        if (!model) {
            *why = "no simulated model '" + item.value + "' (known: 0 QX1022, 4 QX1202)";
            return false;
        }
        opt->modelNumber = model->number;
        return true;
    }
    if (IsSignalKey(item.key))
        return ParseSignalSpec(item.value, item.key == "ch1" ? &opt->ch1 : &opt->ch2, why) != 0;
    if (item.key == "seed") {
        if (!ParseInt(item.value, 0, 0x7FFFFFFFFFFFFFFFLL, &n)) {
            *why = "seed must be a non-negative integer";
            return false;
        }
        opt->seed = static_cast<std::uint64_t>(n);
        return true;
    }
    if (item.key == "latency") {
        if (!ParseLatency(Split(item.value, ':'), &opt->faults)) {
            *why = "latency must be MS or MS:JITTER (0 ... 3600000)";
            return false;
        }
        return true;
    }
    if (item.key == "piece") {
        if (!ParseInt(item.value, 0, 65528, &n)) {
            *why = "piece must be 0 ... 65528 bytes";
            return false;
        }
        opt->pieceBytes = static_cast<int>(n);
        return true;
    }
    if (item.key == "fault")
        return ParseFault(item.value, &opt->faults, why);
    if (item.key == "pipe") {
        if (!ParsePipe(Split(item.value, ':'), &opt->pipe)) {
            *why = "pipe must be BYTES[:PAUSE[:EVERY]] (BYTES 1 ... 65536, PAUSE 0 ... 3600000 ms)";
            return false;
        }
        return true;
    }
    *why = "unknown key '" + item.key + "' (known: model, ch1, ch2, seed, latency, piece, pipe, fault)";
    return false;
}

}  // namespace

SimOptions DefaultSimOptions() {
    SimOptions opt;
    opt.ch1.kind = SignalKind::Sine;
    opt.ch1.frequency = 1000.0;
    opt.ch1.vpp = 2.0;
    opt.ch2.kind = SignalKind::Square;
    opt.ch2.frequency = 10000.0;
    opt.ch2.vpp = 3.3;
    opt.ch2.offset = 1.65;
    return opt;
}

int ParseSimOptions(const std::string& text, SimOptions* out, std::string* error) {
    SimOptions opt = DefaultSimOptions();
    std::vector<OptionItem> items;
    std::string why;
    if (!SplitItems(text, &items, &why)) {
        if (error)
            *error = "simulator options: " + why;
        return 0;
    }
    for (const OptionItem& item : items) {
        if (!ApplyItem(item, &opt, &why)) {
            if (error)
                *error = "simulator options: in '" + item.text + "': " + why;
            return 0;
        }
    }
    *out = opt;
    return 1;
}
