#include "tessary/ProfileFile.h"

#include <cstdio>
#include <fstream>
#include <limits>

#include "corvane/AtomicFile.h"

namespace {

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Cuts text to fit a buffer of bufferSize bytes including the terminator,
// never inside a UTF-8 sequence.
std::string FitBuffer(std::string_view text, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return {};
    std::size_t cut = bufferSize - 1;
    if (text.size() <= cut)
        return std::string(text);
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut));
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool CProfileFile::Load(const std::string& path)
{
    Parse({});
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > kMaxFileBytes)
        return false;
    in.seekg(0, std::ios::beg);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), size))
        return false;
    Parse(text);
    return true;
}

void CProfileFile::Parse(std::string_view text)
{
    m_lines.clear();
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    Index();
}

void CProfileFile::Index()
{
    m_sections.clear();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string_view line = Trim(m_lines[i]);
        if (line.empty())
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            m_sections.push_back({std::string(Trim(line.substr(1, close == std::string_view::npos
                                                                         ? std::string_view::npos
                                                                         : close - 1))),
                                  i, i, {}});
            continue;
        }
        if (m_sections.empty())
            continue;
        Section& section = m_sections.back();
        section.lastLine = i;
        const std::size_t equals = line.find('=');
        if (line.front() == ';' || line.front() == '#' || equals == std::string_view::npos)
            continue;
        section.entries.push_back({std::string(Trim(line.substr(0, equals))),
                                   std::string(Unquote(Trim(line.substr(equals + 1)))), i});
    }
}

std::string CProfileFile::Text() const
{
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += '\n';
    }
    return text;
}

bool CProfileFile::Save(const std::string& path) const
{
    return SaveFileAtomically(path, Text()) != 0;
}

const CProfileFile::Section* CProfileFile::FindSection(std::string_view section) const
{
    section = Trim(section);
    for (const Section& candidate : m_sections) {
        if (SameName(candidate.name, section))
            return &candidate;
    }
    return nullptr;
}

const CProfileFile::Entry* CProfileFile::FindEntry(std::string_view section, std::string_view key) const
{
    const Section* found = FindSection(section);
    if (!found)
        return nullptr;
    key = Trim(key);
    for (const Entry& entry : found->entries) {
        if (SameName(entry.key, key))
            return &entry;
    }
    return nullptr;
}

bool CProfileFile::HasSection(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

bool CProfileFile::HasKey(std::string_view section, std::string_view key) const
{
    return FindEntry(section, key) != nullptr;
}

std::string CProfileFile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferSize) const
{
    const Entry* entry = FindEntry(section, key);
    return FitBuffer(entry ? std::string_view(entry->value) : defaultValue, bufferSize);
}

int32_t CProfileFile::ParseInt(std::string_view text)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

int32_t CProfileFile::GetInt(std::string_view section, std::string_view key, int32_t defaultValue) const
{
    const Entry* entry = FindEntry(section, key);
    return entry ? ParseInt(entry->value) : defaultValue;
}

bool CProfileFile::SetString(std::string_view section, std::string_view key, std::string_view value)
{
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';' || key.front() == '#')
        return false;
    const std::string line = std::string(key) + "=" + std::string(value);
    if (const Entry* entry = FindEntry(section, key)) {
        std::string& old = m_lines[entry->line];
        old = old.substr(0, old.find('=') + 1) + std::string(value);
    } else if (const Section* found = FindSection(section)) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(found->lastLine + 1), line);
    } else {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(line);
    }
    Index();
    return true;
}

bool CProfileFile::SetInt(std::string_view section, std::string_view key, int32_t value)
{
    return SetString(section, key, std::to_string(value));
}

std::string ProfileGetString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::size_t bufferSize)
{
    CProfileFile profile;
    profile.Load(path);
    return profile.GetString(section, key, defaultValue, bufferSize);
}

int32_t ProfileGetInt(const std::string& path, std::string_view section, std::string_view key,
                      int32_t defaultValue)
{
    CProfileFile profile;
    profile.Load(path);
    return profile.GetInt(section, key, defaultValue);
}

bool ProfileWriteString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value)
{
    CProfileFile profile;
    std::ifstream probe(path, std::ios::binary);
    const bool exists = static_cast<bool>(probe);
    probe.close();
    if (!profile.Load(path) && exists)
        return false;  // present but unreadable or too large: do not overwrite it
    return profile.SetString(section, key, value) && profile.Save(path);
}
