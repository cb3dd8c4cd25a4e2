#pragma once
// Reading the system parameter block into the group records: every
// parameter the panel knows is looked up in the protocol table and read with
// its width rule, then each setting's list position and text are derived
// through the UI system table. No locking here: the caller (the settings
// model's decode) holds g_csLock.
//
// Width rule: the parameters of kCombinedParameters are read as unsigned
// little-endian numbers over their width; every other parameter as one
// signed byte at its offset. Positions and levels are signed: they are
// sign-extended from their width after the unsigned reading.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/SettingsRecords.h"

class CParlex;
class CUI_Sys_table;

// What the decode found in the volts-per-division codes.
struct VoltCodeReport {
    // "VBASE" has no entries: the volts per division kept its value.
    bool beyondList = false;
    // A channel (0, 1) whose "VERT-CHn-VB" code "VBASE" does not hold; it is
    // shown as the first entry, as the table's lookup gives. -1: none.
    int unknownChannel = -1;
    int64_t unknownCode = 0;
};

class CSettingsDecoder {
public:
    CSettingsDecoder(const CParlex& protocol, const CUI_Sys_table& table) : m_protocol(protocol), m_table(table) {}

    // Every parameter after the control type, in the panel's order: display,
    // acquisition, CH1, CH2, math, trigger, the swap trigger settings,
    // overtime, measurement items with their sources, menu state, horizontal.
    static const std::vector<std::string>& ParameterOrder();

    // Reads one parameter from block (blockLen bytes) into value; false,
    // value untouched, when the description does not name it or its place
    // does not lie wholly inside the block.
    bool ReadParameter(const unsigned char* block, int32_t blockLen, const std::string& name, int64_t& value) const;
    // Reads the named parameters into records.raw; absent ones keep their value.
    void ReadParameters(const unsigned char* block, int32_t blockLen, const std::vector<std::string>& names,
                        CSettingsRecords& records) const;

    // Derives every setting's value and text from records.raw, and says what
    // it found in the volts-per-division codes.
    VoltCodeReport DecodeSettings(CSettingsRecords& records) const;

private:
    void DecodeKind(const struct KindInfo& info, int target, CSettingsRecords& records) const;
    void DecodeVoltsPerDiv(int channel, CSettingsRecords& records, VoltCodeReport& report) const;
    void DecodeLevels(CSettingsRecords& records) const;
    void DecodeExtras(CSettingsRecords& records) const;

    const CParlex& m_protocol;
    const CUI_Sys_table& m_table;
};
