#pragma once
// A data window's own reservation of wave-data pages (2 MiB, 512 pages), with
// the blocks committed in it. The power spectrum and arithmetic windows keep
// their copies of the channel records here, so a window's copies follow the
// record length without heap allocations. Reserved on the first commit and
// released with the object.
#include "corvane/WaveMemory.h"

#include <cstdint>
#include <vector>

class CMemberBlock {
public:
    static constexpr std::int32_t kReservedPages = 512;
    static constexpr std::int64_t kReservedBytes = std::int64_t{kReservedPages} * kWavePageSize;

    CMemberBlock() = default;
    ~CMemberBlock();
    CMemberBlock(const CMemberBlock&) = delete;
    CMemberBlock& operator=(const CMemberBlock&) = delete;

    // Commits size zero-filled bytes on the first page after the blocks
    // committed so far. Null (nothing committed) when size is not positive,
    // when the blocks would leave the reservation, or when it cannot be made.
    std::uint8_t* Commit(std::int32_t size);
    // Decommits every block; the next commit starts on page 0 again.
    void FreeAll();

    // The blocks in the order they were committed.
    const std::vector<MEMBERSTRUCT>& Blocks() const { return m_blocks; }
    // First page after the committed blocks.
    std::int32_t NextPage() const;

private:
    WAVEDATA m_base = nullptr;
    std::vector<MEMBERSTRUCT> m_blocks;
};
