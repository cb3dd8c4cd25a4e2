#include "sim/SimParamBlock.h"

CSimParamBlock::CSimParamBlock(const CSimProtocolLayout& layout)
    : m_layout(&layout), m_bytes(static_cast<std::size_t>(layout.BlockSize()), 0) {}

std::uint64_t CSimParamBlock::GetUnsigned(const std::string& name) const {
    const int offset = m_layout->OffsetOf(name);
    const int width = m_layout->WidthOf(name);
    if (offset < 0 || width <= 0)
        return 0;
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | m_bytes[static_cast<std::size_t>(offset + i)];
    return value;
}

std::int64_t CSimParamBlock::Get(const std::string& name) const {
    const int width = m_layout->WidthOf(name);
    const std::uint64_t raw = GetUnsigned(name);
    if (width <= 0 || width >= 8)
        return static_cast<std::int64_t>(raw);
    const std::uint64_t signBit = std::uint64_t{1} << (8 * width - 1);
    return static_cast<std::int64_t>((raw ^ signBit) - signBit);
}

void CSimParamBlock::Set(const std::string& name, std::int64_t value) {
    const int offset = m_layout->OffsetOf(name);
    const int width = m_layout->WidthOf(name);
    if (offset < 0)
        return;
    auto bits = static_cast<std::uint64_t>(value);
    for (int i = 0; i < width && i < 8; ++i, bits >>= 8)
        m_bytes[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(bits & 0xFF);
}

int CSimParamBlock::Assign(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() != m_bytes.size())
        return 0;
    m_bytes = bytes;
    return 1;
}
