#pragma once
// The simulated instrument's own protocol description: the list of its system
// parameters in block order with their widths in bytes, the offsets that
// follow from it, and the "/protocol.inf" text it serves.
//
// The firmware lays its block out from this list, not from the program's
// protocol table, so that the text the program parses and the bytes the
// firmware keeps are two independent readings of one description.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct SimParamEntry {
    std::string name;  // full name, as "VERT-CH1-VB"
    int width = 0;     // bytes
};

class CSimProtocolLayout {
public:
    // The layout every simulated model uses.
    static const CSimProtocolLayout& Standard();

    explicit CSimProtocolLayout(std::vector<SimParamEntry> entries);

    const std::vector<SimParamEntry>& Entries() const { return m_entries; }
    int BlockSize() const { return m_blockSize; }

    // Offset and width of a parameter; -1 when the layout does not name it.
    int OffsetOf(const std::string& name) const;
    int WidthOf(const std::string& name) const;

    // The description text: comment lines, the total line, the start marker,
    // one "[NAME] WIDTH" line per entry, the end marker. Lines end in CR LF.
    std::string DescriptionText() const;

private:
    std::vector<SimParamEntry> m_entries;
    std::map<std::string, std::pair<int, int>> m_places;  // name -> (offset, width)
    int m_blockSize = 0;
};
