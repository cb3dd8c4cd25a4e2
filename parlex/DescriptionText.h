#pragma once
// Line reader shared by the protocol table and the key table.
//
// Both descriptions that the instrument sends are plain 8-bit text. Lines end
// in a line feed; a carriage return before it is harmless because every field
// is read up to its closing bracket or as a number. Blanks are spaces and tabs.
// The text is framed by three markers: a total line containing "[TOTAL]", the
// start marker "[START]" and the end marker "[END]"; the entry lines lie
// between the last two.
//
// The reader works on a view of the caller's text and never copies it. A line
// longer than kMaxLineLength characters is cut to its first kMaxLineLength
// characters; the rest of it, up to its line feed, is passed over, so a long
// line still counts as one line.
#include <cstddef>
#include <cstdint>
#include <string_view>

class CDescriptionText {
public:
    static constexpr std::size_t kMaxLineLength = 1023;

    explicit CDescriptionText(std::string_view text) : m_text(text) {}

    // Reads the next line without its line feed. Returns false at the end of
    // the text. `complete` tells whether the line ended in a line feed (only
    // the last line of a text can lack one).
    bool ReadLine(std::string_view& line, bool& complete);
    bool ReadLine(std::string_view& line);

    // Reads on to the first line that contains "[TOTAL]" and gives the number
    // after the first "]" of that line. False when the text ends first.
    bool FindTotal(int32_t& total);

    // Reads on from the current line to the start marker and remembers the
    // position after it. False when the text ends first.
    bool FindStart();

    // Counts the complete lines from the start position up to the end marker
    // (or the end of the text), then goes back to the start position. Every
    // line that is not the end marker counts, whatever it holds; a last line
    // without a line feed does not.
    int32_t CountEntryLines();

    // Goes back to the line just after the start marker.
    void RewindToEntries() { m_pos = m_entriesPos; }

    // Text without its leading blanks.
    static std::string_view SkipBlanks(std::string_view s);

    // Signed decimal number: optional blanks, an optional sign and digits,
    // stopping at the first other character; no digits give 0. A number
    // outside the 32-bit range reads as the nearest 32-bit value.
    static int32_t ReadDecimal(std::string_view s);

    // True when the line, after its leading blanks, is the marker: the text
    // through the first "]" (or the whole line when it has none) equals it.
    static bool IsMarkerLine(std::string_view line, std::string_view marker);

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_entriesPos = 0;
};
