#include "docs/MemberBlock.h"

#include <cstring>

CMemberBlock::~CMemberBlock() {
    FreeAll();
    FreeMemberMemSpace(m_base);
}

std::int32_t CMemberBlock::NextPage() const {
    return m_blocks.empty() ? 0 : m_blocks.back().nStartPage + m_blocks.back().nPageNum;
}

std::uint8_t* CMemberBlock::Commit(std::int32_t size) {
    if (size <= 0) return nullptr;
    const std::int32_t first = NextPage();
    const std::int64_t pages = (std::int64_t{size} + kWavePageSize - 1) / kWavePageSize;
    if (first + pages > kReservedPages) return nullptr;
    if (!m_base) m_base = ReserveMemberMemSpace(kReservedPages);
    if (!m_base) return nullptr;
    std::int32_t counter = 0;
    void* block = MemberCommitMem(m_base, size, counter, first);
    if (!block) return nullptr;
    std::memset(block, 0, static_cast<std::size_t>(size));
    m_blocks.push_back({block, first, counter});
    return static_cast<std::uint8_t*>(block);
}

void CMemberBlock::FreeAll() {
    for (MEMBERSTRUCT& block : m_blocks) FreeMemberCommitMem(block, m_base);
    m_blocks.clear();
}
