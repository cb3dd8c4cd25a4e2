#include "sim/SimSettingsRules.h"

#include <algorithm>
#include <map>

#include "corvane/ScaleConversion.h"

namespace {

constexpr std::int64_t kPsPerNs = 1000;
constexpr std::int64_t kPsPerMs = 1000000000;
constexpr std::int64_t kPsPerS = 1000000000000;
constexpr std::int64_t kShortestTimePs = 20 * kPsPerNs;   // pulse, slope and overtime times
constexpr std::int64_t kLongestTimePs = 10 * kPsPerS;
constexpr std::int64_t kHoldOffMinPs = 500 * kPsPerNs;
constexpr std::int64_t kHoldOffMaxPs = 10 * kPsPerS;
constexpr int kMaxContrast = 15;
constexpr int kMaxGridBright = 15;

struct Rule {
    enum Kind { ReadOnly, Choice, Clamp } kind = ReadOnly;
    std::vector<int> codes;      // Choice
    std::int64_t low = 0;        // Clamp
    std::int64_t high = 0;
};

Rule Codes(std::vector<int> codes) { return {Rule::Choice, std::move(codes), 0, 0}; }
Rule Upto(int last) {
    std::vector<int> codes;
    for (int c = 0; c <= last; ++c)
        codes.push_back(c);
    return Codes(codes);
}
Rule Range(std::int64_t low, std::int64_t high) { return {Rule::Clamp, {}, low, high}; }
Rule Fixed() { return {}; }

void AddTriggerModeRules(std::map<std::string, Rule>& r, const std::string& p, const SimModelInfo& model) {
    r[p + "COUP"] = Codes(model.triggerCouplings);
    r[p + "EDGE-SLOPE"] = Upto(1);
    r[p + "VIDEO-NEG"] = Upto(1);
    r[p + "VIDEO-PAL"] = Upto(1);
    r[p + "VIDEO-SYN"] = Upto(4);
    r[p + "VIDEO-LINE"] = Range(1, 625);  // the standard's own limit follows in Normalize
    r[p + "PULSE-NEG"] = Upto(1);
    r[p + "PULSE-WHEN"] = Upto(3);
    r[p + "PULSE-TIME"] = Range(kShortestTimePs, kLongestTimePs);
    r[p + "SLOPE-SET"] = Upto(1);
    r[p + "SLOPE-WIN"] = Upto(2);
    r[p + "SLOPE-V1"] = Range(-CSimSettingsRules::kScreenLevelLimit, CSimSettingsRules::kScreenLevelLimit);
    r[p + "SLOPE-V2"] = Range(-CSimSettingsRules::kScreenLevelLimit, CSimSettingsRules::kScreenLevelLimit);
    r[p + "SLOPE-WHEN"] = Upto(3);
    r[p + "SLOPE-TIME"] = Range(kShortestTimePs, kLongestTimePs);
}

void AddChannelRules(std::map<std::string, Rule>& r, const std::string& ch) {
    const std::string p = "VERT-" + ch + "-";
    r[p + "DISP"] = Upto(1);
    r[p + "20MHZ"] = Upto(1);
    r[p + "COUP"] = Upto(2);
    r[p + "POS"] = Range(-32768, 32767);  // the scale's own limit follows in Normalize
    r[p + "VB"] = Upto(CSimSettingsRules::kMaxVoltCode);
    r[p + "CNT-FINE"] = Range(0, 75);
    r[p + "FINE"] = Upto(1);
    r[p + "PROBE"] = Upto(3);
    r[p + "RPHASE"] = Upto(1);
}

std::map<std::string, Rule> RulesFor(const SimModelInfo& model) {
    std::map<std::string, Rule> r;
    r["CONTROL-MENUID"] = Range(0, 63);
    r["CONTROL-DISP-MENU"] = Upto(1);
    r["DISPLAY-FORMAT"] = Upto(2);
    r["DISPLAY-PERSIST"] = Codes({0, 2, 4, 8, 10, 11, 13, 17, 19});
    r["DISPLAY-MODE"] = Upto(1);
    r["DISPLAY-CONTRAST"] = Range(0, kMaxContrast);
    r["DISPLAY-GRID-KIND"] = Upto(2);
    r["DISPLAY-GRID-BRIGHT"] = Range(0, kMaxGridBright);
    r["ACQURIE-MODE"] = Upto(2);
    r["ACQURIE-AVG-CNT"] = Upto(5);
    r["ACQURIE-TYPE"] = Upto(1);
    r["ACQURIE-STORE-DEPTH"] = Codes({0, 1, 2, 3, CSimSettingsRules::kDeepDepthCode});
    AddChannelRules(r, "CH1");
    AddChannelRules(r, "CH2");
    r["MATH-DISP"] = Upto(1);
    r["MATH-MODE"] = Upto(3);
    r["MATH-FFT-SRC"] = Upto(1);
    r["MATH-FFT-WIN"] = Upto(2);
    r["MATH-FFT-FACTOR"] = Upto(model.maxFftFactor);
    r["MATH-FFT-DB"] = Upto(4);
    r["HORIZ-TB"] = Range(CSimSettingsRules::kFastestMainCodeOneChannel + 1, CSimSettingsRules::kSlowestTimeCode + 1);
    r["HORIZ-WIN-TB"] = Range(1, CSimSettingsRules::kSlowestTimeCode + 1);
    r["HORIZ-WIN-STATE"] = Upto(2);
    r["HORIZ-TRIGTIME"] = Range(INT64_MIN, INT64_MAX);  // the time base's limits follow in Normalize
    r["TRIG-TYPE"] = Upto(5);
    r["TRIG-MODE"] = Upto(1);
    r["TRIG-SRC"] = Upto(4);
    r["TRIG-VPOS"] = Range(-CSimSettingsRules::kScreenLevelLimit, CSimSettingsRules::kScreenLevelLimit);
    r["TRIG-HOLDTIME"] = Range(kHoldOffMinPs, kHoldOffMaxPs);
    r["TRIG-OVERTIME-NEG"] = Upto(1);
    r["TRIG-OVERTIME-TIME"] = Range(kShortestTimePs, kLongestTimePs);
    for (const char* p : {"TRIG-", "TRIG-SWAP-CH1-", "TRIG-SWAP-CH2-"})
        AddTriggerModeRules(r, p, model);
    for (const char* ch : {"CH1", "CH2"}) {
        r[std::string("TRIG-SWAP-") + ch + "-MODE"] = Upto(1);
        r[std::string("TRIG-SWAP-") + ch + "-TYPE"] = Upto(4);
    }
    for (int i = 1; i <= 8; ++i) {
        r["MEASURE-ITEM" + std::to_string(i)] = Upto(model.maxMeasureItem);
        r["MEASURE-ITEM" + std::to_string(i) + "-SRC"] = Upto(1);
    }
    return r;  // every other name (model, state, limits, spares) is fixed
}

// Applies one rule; returns 1 when the sent value was not taken as it is.
int ApplyRule(const Rule& rule, const std::string& name, CSimParamBlock& block, std::int64_t sent) {
    switch (rule.kind) {
    case Rule::ReadOnly:
        return 0;  // reported values are the instrument's; the sent copy may be stale
    case Rule::Choice:
        if (std::find(rule.codes.begin(), rule.codes.end(), sent) == rule.codes.end())
            return 1;  // no such choice: the old one stays
        block.Set(name, sent);
        return 0;
    case Rule::Clamp:
        block.Set(name, std::clamp(sent, rule.low, rule.high));
        return sent < rule.low || sent > rule.high;
    }
    return 1;
}

int SetIfDifferent(CSimParamBlock& block, const std::string& name, std::int64_t value) {
    if (block.Get(name) == value)
        return 0;
    block.Set(name, value);
    return 1;
}

int ClampParam(CSimParamBlock& block, const std::string& name, std::int64_t low, std::int64_t high) {
    return SetIfDifferent(block, name, std::clamp(block.Get(name), low, high));
}

std::int64_t MainTimePerDivNs(const CSimParamBlock& block) {
    return CalcTimeBase(static_cast<int>(block.Get("HORIZ-TB")));
}

int NormalizeTimeBase(CSimParamBlock& block) {
    const int fastest = CSimSettingsRules::ShownChannelCount(block) >= 2
                            ? CSimSettingsRules::kFastestMainCodeTwoChannels
                            : CSimSettingsRules::kFastestMainCodeOneChannel;
    return ClampParam(block, "HORIZ-TB", fastest + 1, CSimSettingsRules::kSlowestTimeCode + 1);
}

// 1M needs exactly one channel and a fast time base; otherwise 512K.
int NormalizeDepth(CSimParamBlock& block) {
    if (block.Get("ACQURIE-STORE-DEPTH") != CSimSettingsRules::kDeepDepthCode)
        return 0;
    const bool fits = CSimSettingsRules::ShownChannelCount(block) == 1 &&
                      block.Get("HORIZ-TB") - 1 <= CSimSettingsRules::kDeepDepthSlowestCode;
    return fits ? 0 : SetIfDifferent(block, "ACQURIE-STORE-DEPTH", 3);
}

int NormalizePositions(CSimParamBlock& block) {
    int changed = 0;
    for (const char* ch : {"CH1", "CH2"}) {
        const std::string p = std::string("VERT-") + ch + "-";
        const int limit = CSimSettingsRules::PositionLimitCounts(static_cast<int>(block.Get(p + "VB")));
        changed += ClampParam(block, p + "POS", -limit, limit);
    }
    return changed;
}

int NormalizeTrigger(CSimParamBlock& block) {
    const std::int64_t tdiv = MainTimePerDivNs(block);
    int changed = ClampParam(block, "HORIZ-TRIGTIME", CSimSettingsRules::TriggerTimeLowerPs(tdiv),
                             CSimSettingsRules::TriggerTimeUpperPs(tdiv));
    changed += ClampParam(block, "TRIG-HOLDTIME", block.Get("TRIG-HOLDTIME-MIN"), block.Get("TRIG-HOLDTIME-MAX"));
    const int maxSource = CSimSettingsRules::MaxTriggerSource(static_cast<int>(block.Get("TRIG-TYPE")));
    if (block.Get("TRIG-SRC") > maxSource)
        changed += SetIfDifferent(block, "TRIG-SRC", 0);
    for (const char* p : {"TRIG-", "TRIG-SWAP-CH1-", "TRIG-SWAP-CH2-"}) {
        const int lines = block.Get(std::string(p) + "VIDEO-PAL") ? 625 : 525;
        changed += ClampParam(block, std::string(p) + "VIDEO-LINE", 1, lines);
    }
    return changed;
}

}  // namespace

int CSimSettingsRules::ShownChannelCount(const CSimParamBlock& block) {
    return (block.Get("VERT-CH1-DISP") != 0) + (block.Get("VERT-CH2-DISP") != 0);
}

int CSimSettingsRules::PositionLimitCounts(int voltCode) {
    // Offsets up to 2 V below 200 mV/div, up to 50 V above.
    const std::int64_t mvPerDiv = CalcVoltBase(voltCode + 1, 1);
    const std::int64_t limitMv = mvPerDiv <= 200 ? 2000 : 50000;
    return static_cast<int>(std::min<std::int64_t>(limitMv * 25 / mvPerDiv, 32767));
}

std::int64_t CSimSettingsRules::TriggerTimeUpperPs(std::int64_t tdivNs) {
    if (tdivNs <= 10)
        return 20 * kPsPerMs;
    if (tdivNs <= 100000)
        return 50 * kPsPerMs;
    return 50 * kPsPerS;
}

std::int64_t CSimSettingsRules::TriggerTimeLowerPs(std::int64_t tdivNs) { return -4 * tdivNs * kPsPerNs; }

int CSimSettingsRules::MaxTriggerSource(int triggerType) {
    switch (triggerType) {
    case 0: return 4;  // edge: CH1, CH2, EXT, EXT/5, LINE
    case 4: return 1;  // overtime: CH1, CH2
    case 5: return 1;  // alternating: CH1, CH2
    default: return 3; // video, pulse, slope: CH1, CH2, EXT, EXT/5
    }
}

void CSimSettingsRules::LoadDefaultSetup(CSimParamBlock& block, const SimModelInfo& model) {
    block.Assign(std::vector<std::uint8_t>(block.Size(), 0));
    const std::vector<std::pair<const char*, std::int64_t>> values = {
        {"CONTROL-TYPE", model.number}, {"CONTROL-MENUID", 1}, {"CONTROL-DISP-MENU", 1},
        {"DISPLAY-CONTRAST", 8}, {"DISPLAY-MAXCONTRAST", kMaxContrast},
        {"DISPLAY-GRID-BRIGHT", 8}, {"DISPLAY-MAXGRID-BRIGHT", kMaxGridBright},
        {"VERT-CH1-DISP", 1}, {"VERT-CH1-POS", 50}, {"VERT-CH1-VB", 8},
        {"VERT-CH2-DISP", 1}, {"VERT-CH2-POS", -50}, {"VERT-CH2-VB", 8},
        {"MATH-FFT-DB", 3},
        {"HORIZ-TB", 15}, {"HORIZ-WIN-TB", 15},  // 200 us/div
        {"TRIG-VPOS", 50}, {"TRIG-HOLDTIME", kHoldOffMinPs}, {"TRIG-HOLDTIME-MIN", kHoldOffMinPs},
        {"TRIG-HOLDTIME-MAX", kHoldOffMaxPs}, {"TRIG-OVERTIME-TIME", kPsPerMs},
    };
    for (const auto& [name, value] : values)
        block.Set(name, value);
    for (const char* p : {"TRIG-", "TRIG-SWAP-CH1-", "TRIG-SWAP-CH2-"}) {
        block.Set(std::string(p) + "VIDEO-LINE", 1);
        block.Set(std::string(p) + "PULSE-TIME", kPsPerMs);
        block.Set(std::string(p) + "SLOPE-TIME", kPsPerMs);
        block.Set(std::string(p) + "SLOPE-V1", 25);
        block.Set(std::string(p) + "SLOPE-V2", -25);
    }
    block.Set("TRIG-SWAP-CH2-TYPE", 0);
    for (int i = 1; i <= 8; ++i)
        block.Set("MEASURE-ITEM" + std::to_string(i), std::min(i - 1, model.maxMeasureItem));
}

int CSimSettingsRules::AcceptHostBlock(CSimParamBlock& block, const std::vector<std::uint8_t>& incoming,
                                       const SimModelInfo& model) {
    if (incoming.size() != block.Size())
        return -1;
    CSimParamBlock sent(block.Layout());
    sent.Assign(incoming);
    const std::map<std::string, Rule> rules = RulesFor(model);
    int refused = 0;
    for (const SimParamEntry& e : block.Layout().Entries()) {
        auto it = rules.find(e.name);
        refused += ApplyRule(it == rules.end() ? Fixed() : it->second, e.name, block, sent.Get(e.name));
    }
    return refused + Normalize(block);
}

int CSimSettingsRules::Normalize(CSimParamBlock& block) {
    return NormalizeTimeBase(block) + NormalizeDepth(block) + NormalizePositions(block) +
           NormalizeTrigger(block);
}
