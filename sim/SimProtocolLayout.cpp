#include "sim/SimProtocolLayout.h"

#include <utility>

namespace {

// Trigger settings that exist once for the normal trigger and once per channel
// of the alternating trigger, with their widths.
const std::vector<SimParamEntry>& PerModeTriggerEntries() {
    static const std::vector<SimParamEntry> entries = {
        {"COUP", 1},       {"EDGE-SLOPE", 1}, {"VIDEO-NEG", 1},  {"VIDEO-PAL", 1},  {"VIDEO-SYN", 1},
        {"VIDEO-LINE", 2}, {"PULSE-NEG", 1},  {"PULSE-WHEN", 1}, {"PULSE-TIME", 8}, {"SLOPE-SET", 1},
        {"SLOPE-WIN", 1},  {"SLOPE-V1", 2},   {"SLOPE-V2", 2},   {"SLOPE-WHEN", 1}, {"SLOPE-TIME", 8},
    };
    return entries;
}

void AddChannel(std::vector<SimParamEntry>& out, const std::string& ch) {
    const std::string p = "VERT-" + ch + "-";
    out.insert(out.end(), {{p + "DISP", 1}, {p + "20MHZ", 1}, {p + "COUP", 1}, {p + "POS", 2},
                           {p + "VB", 1}, {p + "CNT-FINE", 1}, {p + "FINE", 1}, {p + "PROBE", 1},
                           {p + "RPHASE", 1}});
}

void AddTrigger(std::vector<SimParamEntry>& out) {
    out.insert(out.end(), {{"TRIG-TYPE", 1}, {"TRIG-MODE", 1}, {"TRIG-SRC", 1}, {"TRIG-STATE", 1},
                           {"TRIG-VPOS", 2}, {"TRIG-HOLDTIME", 8}, {"TRIG-HOLDTIME-MIN", 8},
                           {"TRIG-HOLDTIME-MAX", 8}, {"TRIG-FREQUENCY", 4}, {"TRIG-OVERTIME-NEG", 1},
                           {"TRIG-OVERTIME-TIME", 8}});
    for (const char* prefix : {"TRIG-", "TRIG-SWAP-CH1-", "TRIG-SWAP-CH2-"})
        for (const SimParamEntry& e : PerModeTriggerEntries())
            out.push_back({prefix + e.name, e.width});
    out.insert(out.end(), {{"TRIG-SWAP-CH1-MODE", 1}, {"TRIG-SWAP-CH2-MODE", 1},
                           {"TRIG-SWAP-CH1-TYPE", 1}, {"TRIG-SWAP-CH2-TYPE", 1}});
}

void AddMeasure(std::vector<SimParamEntry>& out) {
    for (int i = 1; i <= 8; ++i)
        out.push_back({"MEASURE-ITEM" + std::to_string(i), 1});
    for (int i = 1; i <= 8; ++i)
        out.push_back({"MEASURE-ITEM" + std::to_string(i) + "-SRC", 1});
}

std::vector<SimParamEntry> StandardEntries() {
    std::vector<SimParamEntry> e = {
        {"CONTROL-TYPE", 1},         {"CONTROL-MENUID", 1},     {"CONTROL-DISP-MENU", 1},
        {"CONTROL-RESERVED", 4},     // spare, kept zero
        {"DISPLAY-FORMAT", 1},       {"DISPLAY-PERSIST", 1},    {"DISPLAY-MODE", 1},
        {"DISPLAY-CONTRAST", 1},     {"DISPLAY-MAXCONTRAST", 1}, {"DISPLAY-GRID-KIND", 1},
        {"DISPLAY-GRID-BRIGHT", 1},  {"DISPLAY-MAXGRID-BRIGHT", 1},
        {"ACQURIE-MODE", 1},         {"ACQURIE-AVG-CNT", 1},    {"ACQURIE-TYPE", 1},
        {"ACQURIE-STORE-DEPTH", 1},  {"ACQURIE-RESERVED", 2},   // spare
    };
    AddChannel(e, "CH1");
    AddChannel(e, "CH2");
    e.insert(e.end(), {{"MATH-DISP", 1}, {"MATH-MODE", 1}, {"MATH-FFT-SRC", 1}, {"MATH-FFT-WIN", 1},
                       {"MATH-FFT-FACTOR", 1}, {"MATH-FFT-DB", 1},
                       {"HORIZ-TB", 1}, {"HORIZ-WIN-TB", 1}, {"HORIZ-WIN-STATE", 1}, {"HORIZ-TRIGTIME", 8}});
    AddTrigger(e);
    AddMeasure(e);
    e.push_back({"MEASURE-RESERVED", 4});  // spare
    return e;
}

}  // namespace

const CSimProtocolLayout& CSimProtocolLayout::Standard() {
    static const CSimProtocolLayout layout(StandardEntries());
    return layout;
}

CSimProtocolLayout::CSimProtocolLayout(std::vector<SimParamEntry> entries) : m_entries(std::move(entries)) {
    for (const SimParamEntry& e : m_entries) {
        m_places.emplace(e.name, std::make_pair(m_blockSize, e.width));
        m_blockSize += e.width;
    }
}

int CSimProtocolLayout::OffsetOf(const std::string& name) const {
    auto it = m_places.find(name);
    return it == m_places.end() ? -1 : it->second.first;
}

int CSimProtocolLayout::WidthOf(const std::string& name) const {
    auto it = m_places.find(name);
    return it == m_places.end() ? -1 : it->second.second;
}

std::string CSimProtocolLayout::DescriptionText() const {
    std::string text;
    text += "; protocol.inf - system parameter block of the instrument\r\n";
    text += "; one line per parameter, in block order: [NAME] width in bytes\r\n";
    text += "[TOTAL] " + std::to_string(m_blockSize) + "\r\n";
    text += "; values are little-endian; positions and levels in 1/25 division\r\n";
    text += "[START]\r\n";
    for (const SimParamEntry& e : m_entries)
        text += "[" + e.name + "] " + std::to_string(e.width) + "\r\n";
    text += "[END]\r\n";
    return text;
}
