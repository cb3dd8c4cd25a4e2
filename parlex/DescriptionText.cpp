#include "parlex/DescriptionText.h"

#include <limits>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool CDescriptionText::ReadLine(std::string_view& line, bool& complete) {
    if (m_pos >= m_text.size()) return false;
    const std::string_view rest = m_text.substr(m_pos);
    const std::size_t feed = rest.find('\n');
    complete = feed != std::string_view::npos;
    const std::size_t length = complete ? feed : rest.size();
    line = rest.substr(0, length < kMaxLineLength ? length : kMaxLineLength);
    m_pos += complete ? feed + 1 : rest.size();
    return true;
}

bool CDescriptionText::ReadLine(std::string_view& line) {
    bool complete = false;
    return ReadLine(line, complete);
}

bool CDescriptionText::FindTotal(int32_t& total) {
    std::string_view line;
    while (ReadLine(line)) {
        if (line.find("[TOTAL]") == std::string_view::npos) continue;
        total = ReadDecimal(line.substr(line.find(']') + 1));
        return true;
    }
    return false;
}

bool CDescriptionText::FindStart() {
    std::string_view line;
    while (ReadLine(line)) {
        if (!IsMarkerLine(line, "[START]")) continue;
        m_entriesPos = m_pos;
        return true;
    }
    return false;
}

int32_t CDescriptionText::CountEntryLines() {
    int32_t count = 0;
    std::string_view line;
    bool complete = false;
    while (count < std::numeric_limits<int32_t>::max() && ReadLine(line, complete)) {
        if (!complete || IsMarkerLine(line, "[END]")) break;
        ++count;
    }
    RewindToEntries();
    return count;
}

std::string_view CDescriptionText::SkipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

int32_t CDescriptionText::ReadDecimal(std::string_view s) {
    s = SkipBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Saturates one step past the 32-bit range, so no digit string overflows.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') break;
        if (magnitude < kLimit) magnitude = magnitude * 10 + (c - '0');
    }
    if (magnitude > kLimit) magnitude = kLimit;
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

bool CDescriptionText::IsMarkerLine(std::string_view line, std::string_view marker) {
    line = SkipBlanks(line);
    const std::size_t close = line.find(']');
    if (close != std::string_view::npos) line = line.substr(0, close + 1);
    return line == marker;
}
