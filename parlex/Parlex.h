#pragma once
// Protocol table and parameter codec.
//
// The instrument describes the layout of its system-parameter block in a text
// it sends at connect time: the block's total size and, in block order, every
// parameter's name and width in bytes. CParlex reads that text into a table
// from parameter name to place (byte offset, byte width) and writes named
// values into a block laid out by it. Values are little-endian integers.
//
// The one instance the program uses is ParlexParam. The table has no lock: it
// is filled and read on the user-interface thread; callers that share a block
// with another thread hold g_csLock while they read or write it.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

class CParlex {
public:
    // Place of a parameter in the block: first = byte offset, second = width in bytes.
    using Place = std::pair<int32_t, int32_t>;
    using Table = std::map<std::string, Place>;

    // Largest block a description may declare, and the furthest any place may
    // reach, in bytes. Real blocks are a few hundred bytes; a description that
    // declares more is refused.
    static constexpr int32_t kMaxSysBufLen = 1 << 20;

    CParlex() = default;
    CParlex(const CParlex&) = delete;
    CParlex& operator=(const CParlex&) = delete;
    virtual ~CParlex();

    // Reads a zero-terminated description and adds its entries to the table
    // (an entry whose name is already there is left as it is). The first
    // "[TOTAL]" line gives the block size and a fresh zeroed system buffer of
    // that size replaces the previous one. Returns 1 when the total line and
    // the start marker were found, 0 otherwise. Also returns 0, leaving the
    // table as it was, when the total is negative or above kMaxSysBufLen
    // (nothing changes) or when a width is negative or a place would reach past
    // kMaxSysBufLen (the new buffer stays, as with a missing start marker).
    int Trans_Init(const char* description);

    // Empties the table and releases the system buffer. The buffer length and
    // the entry count keep their values.
    void TableClear();

    // The system buffer (GetSysBufLen() bytes), owned here; null before the
    // first reading and after TableClear.
    unsigned char* GetSysBuf() const { return m_pSysBuf.get(); }
    // Block size from the last accepted total line (0 before the first).
    int GetSysBufLen() const { return m_nSysBufLen; }
    // Lines between the start and the end marker at the last reading.
    int GetEntryCount() const { return m_nEntryCount; }
    // The whole table, in name order.
    const Table& GetTable() const { return m_table; }

    // Place of a parameter, or (-1, -1) when the name is not in the table or
    // its place does not lie wholly inside a block of GetSysBufLen() bytes.
    Place DSOdataToPCParam(std::string name) const;
    // The same for a block of blockLen bytes, which may be shorter than the
    // description's (a block loaded from a file): a place that does not lie
    // wholly inside both gives (-1, -1).
    Place DSOdataToPCParam(const std::string& name, int32_t blockLen) const;

    // Stores value little-endian at the parameter's place in block, which must
    // be at least GetSysBufLen() bytes long: byte i gets bits 8i..8i+7, bytes
    // from the ninth on get 0, and a value wider than the place is cut. Writes
    // nothing when DSOdataToPCParam(name) gives (-1, -1) or block is null.
    void PCParamToDSOdata(std::string name, int64_t value, unsigned char* block) const;
    // The same for a block of blockLen bytes: nothing is written at a place
    // that does not lie wholly inside it.
    void PCParamToDSOdata(const std::string& name, int64_t value, unsigned char* block, int32_t blockLen) const;
    // Reads the parameter's place in a block of blockLen bytes back as an
    // unsigned little-endian value (bytes from the ninth on ignored). False,
    // value untouched, when the place does not lie wholly inside the block or
    // block is null.
    bool DSOdataToPCValue(const std::string& name, const unsigned char* block, int32_t blockLen,
                          uint64_t& value) const;

private:
    const Place* FindUsablePlace(const std::string& name, int32_t blockLen) const;

    std::unique_ptr<unsigned char[]> m_pSysBuf;
    Table m_table;
    int32_t m_nEntryCount = 0;
    int32_t m_nSysBufLen = 0;
};

extern CParlex ParlexParam;
