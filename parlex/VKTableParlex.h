#pragma once
// Key table: front-panel key names to the instrument's position numbers.
//
// The instrument numbers its keys and knobs itself and sends a key description
// at connect time, framed like the protocol description ("[TOTAL]" line,
// "[START]", entry lines "[NAME] ...", "[END]"). A key's position is the index
// of its line among the lines after the start marker, counting from 0 and
// counting every line, so a blank or malformed line still uses up a number.
//
// The one instance the program uses is g_VKTable. No lock: it is filled at
// connect time and then only read, on the user-interface thread.
#include <cstdint>
#include <map>
#include <string>

class CVKTable_Parlex {
public:
    using KeyMap = std::map<std::string, int32_t>;

    CVKTable_Parlex() = default;
    CVKTable_Parlex(const CVKTable_Parlex&) = delete;
    CVKTable_Parlex& operator=(const CVKTable_Parlex&) = delete;
    virtual ~CVKTable_Parlex();

    // Reads a zero-terminated key description and adds its keys to the map
    // (the first line with a name wins). Returns 1 when the total line and the
    // start marker were found, else 0.
    int VKTrans_Init(const char* description);

    // Position number of a key, or -1 when the name is not in the map.
    int GetVKKeyPos(const std::string& name) const;

    // Empties the map and sets the entry count and the total to 0.
    void TableClear();

    // Lines between the start and the end marker at the last reading.
    int GetEntryCount() const { return m_nEntryCount; }
    // Number on the last total line, kept as read.
    int GetTotal() const { return m_nTotal; }
    // The whole map, in name order.
    const KeyMap& GetKeyMap() const { return m_keys; }

private:
    KeyMap m_keys;
    int32_t m_nEntryCount = 0;
    int32_t m_nTotal = 0;
};

extern CVKTable_Parlex g_VKTable;
