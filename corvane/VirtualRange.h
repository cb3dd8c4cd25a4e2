// One reserved range of address space in which 4096-byte pages are committed
// and decommitted one by one, on Linux virtual memory:
//   reserve  = mmap(PROT_NONE), no memory behind it;
//   commit   = the pages become readable and writable (zero on first touch);
//   decommit = the pages go back to the kernel (madvise DONTNEED) and become
//              inaccessible again, so they no longer count as resident;
//   release  = munmap.
// The page of this interface is always 4096 bytes. When the machine's page
// (the protection granule) is larger, a granule becomes accessible when any
// of its 4096-byte pages is committed and is returned to the kernel only when
// none of them is committed any more.
// Not thread-safe: the wave memory functions serialise access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CVirtualRange {
public:
    static constexpr std::size_t kPageSize = 4096;

    // Reserves bytes (rounded up to whole granules). granule 0 means the
    // machine's page size; a granule that is not a multiple of the machine's
    // page size is raised to the next multiple (tests use a larger one to
    // exercise the shared-granule rules).
    explicit CVirtualRange(std::size_t bytes, std::size_t granule = 0);
    ~CVirtualRange();
    CVirtualRange(const CVirtualRange&) = delete;
    CVirtualRange& operator=(const CVirtualRange&) = delete;

    bool IsReserved() const { return m_pBase != nullptr; }
    unsigned char* Base() const { return m_pBase; }
    std::size_t PageCount() const { return m_committed.size(); }
    std::size_t Granule() const { return m_granule; }

    // Commits the pages that hold bytes bytes from page firstPage on.
    // Returns the address of firstPage, or nullptr when the block does not lie
    // inside the range, bytes is 0 or the kernel refuses.
    void* Commit(std::size_t firstPage, std::size_t bytes);

    // Decommits one page; a page that is not committed is left alone.
    void Decommit(std::size_t page);

    bool IsCommitted(std::size_t page) const;

    static std::size_t MachinePageSize();

private:
    bool GranuleInUse(std::size_t granuleIndex) const;

    unsigned char* m_pBase = nullptr;
    std::size_t m_mappedBytes = 0;
    std::size_t m_granule = kPageSize;
    std::vector<std::uint8_t> m_committed;  // one flag per 4096-byte page
};
