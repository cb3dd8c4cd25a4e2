#include "parlex/Parlex.h"

#include "parlex/DescriptionText.h"

#include <algorithm>
#include <array>
#include <string_view>

CParlex ParlexParam;

namespace {
// The eight group words a parameter name may begin with, spelled as the
// instrument spells them.
constexpr std::array<std::string_view, 8> kGroupWords = {
    "VERT", "TRIG", "HORIZ", "MATH", "DISPLAY", "ACQURIE", "MEASURE", "CONTROL"};

constexpr CParlex::Place kAbsent{-1, -1};

struct EntryLine {
    std::string_view group;
    std::string_view rest;  // the name after the group word and its hyphen
    int32_t width = 0;
};

// Splits one entry line, "[GROUP-REST] WIDTH" with the opening bracket
// optional. False when the line files nothing: no hyphen, a group word that is
// not one of the eight, or no closing bracket.
bool ParseEntryLine(std::string_view line, EntryLine& entry) {
    if (line.find(']') != std::string_view::npos) line = CDescriptionText::SkipBlanks(line);
    if (!line.empty() && line.front() == '[') line.remove_prefix(1);
    const std::size_t hyphen = line.find('-');
    if (hyphen == std::string_view::npos) return false;
    const std::string_view group = line.substr(0, hyphen);
    if (std::find(kGroupWords.begin(), kGroupWords.end(), group) == kGroupWords.end()) return false;
    const std::string_view rest = line.substr(hyphen + 1);
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos) return false;
    entry = {group, rest.substr(0, close), CDescriptionText::ReadDecimal(rest.substr(close + 1))};
    return true;
}

// Walks `count` entry lines and hands every line of a known group to `file`
// with its offset, the running sum of the earlier widths. Returns false, at the
// first such line, when a width is negative or the place would reach past
// kMaxSysBufLen; the offsets therefore never leave [0, kMaxSysBufLen].
template <typename FileFn>
bool WalkEntries(CDescriptionText& text, int32_t count, FileFn&& file) {
    int32_t offset = 0;
    std::string_view line;
    for (int32_t i = 0; i < count && text.ReadLine(line); ++i) {
        EntryLine entry;
        if (!ParseEntryLine(line, entry)) continue;
        if (entry.width < 0 || entry.width > CParlex::kMaxSysBufLen - offset) return false;
        file(entry, offset);
        offset += entry.width;
    }
    return true;
}
}  // namespace

CParlex::~CParlex() = default;

int CParlex::Trans_Init(const char* description) {
    if (description == nullptr) return 0;
    CDescriptionText text(description);
    int32_t total = 0;
    if (!text.FindTotal(total) || total < 0 || total > kMaxSysBufLen) return 0;
    m_pSysBuf = std::make_unique<unsigned char[]>(static_cast<std::size_t>(total));
    m_nSysBufLen = total;
    if (!text.FindStart()) return 0;
    m_nEntryCount = text.CountEntryLines();

    // The lines are checked in full before any is filed, so a damaged
    // description leaves the table as it was.
    if (!WalkEntries(text, m_nEntryCount, [](const EntryLine&, int32_t) {})) return 0;
    text.RewindToEntries();
    WalkEntries(text, m_nEntryCount, [this](const EntryLine& entry, int32_t offset) {
        std::string name;
        name.reserve(entry.group.size() + 1 + entry.rest.size());
        name.append(entry.group).append(1, '-').append(entry.rest);
        m_table.try_emplace(std::move(name), offset, entry.width);
    });
    return 1;
}

void CParlex::TableClear() {
    m_table.clear();
    m_pSysBuf.reset();
}

const CParlex::Place* CParlex::FindUsablePlace(const std::string& name, int32_t blockLen) const {
    const auto it = m_table.find(name);
    if (it == m_table.end()) return nullptr;
    const auto [offset, width] = it->second;
    const int32_t limit = std::min(m_nSysBufLen, blockLen);
    if (offset < 0 || width < 0 || offset > limit - width) return nullptr;
    return &it->second;
}

CParlex::Place CParlex::DSOdataToPCParam(std::string name) const {
    return DSOdataToPCParam(name, m_nSysBufLen);
}

CParlex::Place CParlex::DSOdataToPCParam(const std::string& name, int32_t blockLen) const {
    const Place* place = FindUsablePlace(name, blockLen);
    return place != nullptr ? *place : kAbsent;
}

void CParlex::PCParamToDSOdata(std::string name, int64_t value, unsigned char* block) const {
    PCParamToDSOdata(name, value, block, m_nSysBufLen);
}

bool CParlex::DSOdataToPCValue(const std::string& name, const unsigned char* block, int32_t blockLen,
                               uint64_t& value) const {
    const Place* place = FindUsablePlace(name, blockLen);
    if (place == nullptr || block == nullptr) return false;
    const auto [offset, width] = *place;
    uint64_t v = 0;
    for (int32_t i = std::min(width, 8) - 1; i >= 0; --i) v = (v << 8) | block[offset + i];
    value = v;
    return true;
}

void CParlex::PCParamToDSOdata(const std::string& name, int64_t value, unsigned char* block,
                               int32_t blockLen) const {
    const Place* place = FindUsablePlace(name, blockLen);
    if (place == nullptr || block == nullptr) return;
    const auto [offset, width] = *place;
    const auto bits = static_cast<uint64_t>(value);
    for (int32_t i = 0; i < width; ++i)
        block[offset + i] = i < 8 ? static_cast<unsigned char>(bits >> (8 * i)) : 0;
}
