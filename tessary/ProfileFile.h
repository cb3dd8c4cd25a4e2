// A small profile file ("[Section]" lines and "Key=Value" lines) read and
// written with the semantics the program's settings files were made for:
// - section and key names match case-insensitively (ASCII), surrounding
//   blanks ignored; the first matching section and, inside it, the first
//   matching key win;
// - a missing file, section or key gives the caller's default;
// - a value loses its surrounding blanks and one pair of enclosing quotes,
//   and is cut to fit the caller's buffer (size including the terminator);
// - an integer is read as decimal with an optional sign; a value that does
//   not start with a number reads as 0, one beyond 32 bits is held at the limit;
// - lines starting with ";" or "#" are comments; a UTF-8 byte-order mark is
//   skipped; lines may end in CR LF.
// Writing replaces the first matching key in place, adds a missing key at the
// end of its section or a missing section at the end of the file, and keeps
// every other line as it was. Files larger than kMaxFileBytes are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CProfileFile {
public:
    static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
    static constexpr std::size_t kDefaultBufferSize = 256;

    CProfileFile() = default;

    // Reads path; false (and an empty profile) when it is missing, unreadable
    // or too large.
    bool Load(const std::string& path);
    // Takes the profile from text (what Load does after reading the file).
    void Parse(std::string_view text);
    // Writes the profile to path atomically (corvane/AtomicFile.h); false on failure.
    bool Save(const std::string& path) const;
    // The profile as file text.
    std::string Text() const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::size_t bufferSize = kDefaultBufferSize) const;
    int32_t GetInt(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Sets a key; false (nothing changed) when a name is empty or holds a
    // line break, a section name holds "]" or a key holds "=".
    bool SetString(std::string_view section, std::string_view key, std::string_view value);
    bool SetInt(std::string_view section, std::string_view key, int32_t value);

    // Reads a decimal integer as GetInt does.
    static int32_t ParseInt(std::string_view text);

private:
    struct Entry {
        std::string key;
        std::string value;
        std::size_t line;
    };
    struct Section {
        std::string name;
        std::size_t headerLine;
        std::size_t lastLine;  // last non-blank line that belongs to the section
        std::vector<Entry> entries;
    };

    void Index();
    const Section* FindSection(std::string_view section) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;

    std::vector<std::string> m_lines;
    std::vector<Section> m_sections;
};

// One-call helpers for a single value of a file on disk.
std::string ProfileGetString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view defaultValue,
                             std::size_t bufferSize = CProfileFile::kDefaultBufferSize);
int32_t ProfileGetInt(const std::string& path, std::string_view section, std::string_view key,
                      int32_t defaultValue);
// Loads path (or starts an empty profile when it is missing), sets the key and
// saves. Returns false when the key is refused or the file cannot be written.
bool ProfileWriteString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);
