#pragma once
// The simulated instrument's system parameter block: the bytes the firmware
// keeps, read and written by parameter name through its own layout. Values are
// little-endian integers of the parameter's width.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimProtocolLayout.h"

class CSimParamBlock {
public:
    explicit CSimParamBlock(const CSimProtocolLayout& layout = CSimProtocolLayout::Standard());

    const CSimProtocolLayout& Layout() const { return *m_layout; }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::size_t Size() const { return m_bytes.size(); }

    // Unsigned reading of the parameter's bytes; 0 for a name the layout lacks.
    std::uint64_t GetUnsigned(const std::string& name) const;
    // The same bytes sign-extended from the parameter's width.
    std::int64_t Get(const std::string& name) const;
    // Stores the low bytes of value; a name the layout lacks is ignored.
    void Set(const std::string& name, std::int64_t value);

    // Replaces the whole block; returns 0 (and changes nothing) when the size differs.
    int Assign(const std::vector<std::uint8_t>& bytes);

private:
    const CSimProtocolLayout* m_layout;
    std::vector<std::uint8_t> m_bytes;
};
