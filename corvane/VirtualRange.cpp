#include "corvane/VirtualRange.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {
std::size_t RoundUp(std::size_t value, std::size_t unit)
{
    return (value + unit - 1) / unit * unit;
}
}  // namespace

std::size_t CVirtualRange::MachinePageSize()
{
    const long size = sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<std::size_t>(size) : kPageSize;
}

CVirtualRange::CVirtualRange(std::size_t bytes, std::size_t granule)
{
    const std::size_t machine = MachinePageSize();
    m_granule = RoundUp(granule < machine ? machine : granule, machine);
    if (m_granule % kPageSize != 0)
        m_granule = RoundUp(m_granule, kPageSize);
    if (bytes == 0)
        return;
    const std::size_t pages = RoundUp(bytes, kPageSize) / kPageSize;
    m_mappedBytes = RoundUp(pages * kPageSize, m_granule);
    void* base = mmap(nullptr, m_mappedBytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) {
        m_mappedBytes = 0;
        return;
    }
    m_pBase = static_cast<unsigned char*>(base);
    m_committed.assign(pages, 0);
}

CVirtualRange::~CVirtualRange()
{
    if (m_pBase)
        munmap(m_pBase, m_mappedBytes);
}

void* CVirtualRange::Commit(std::size_t firstPage, std::size_t bytes)
{
    const std::size_t pages = RoundUp(bytes, kPageSize) / kPageSize;
    if (!m_pBase || bytes == 0 || firstPage >= PageCount() || pages > PageCount() - firstPage)
        return nullptr;
    const std::size_t begin = firstPage * kPageSize / m_granule * m_granule;
    const std::size_t end = RoundUp((firstPage + pages) * kPageSize, m_granule);
    if (mprotect(m_pBase + begin, end - begin, PROT_READ | PROT_WRITE) != 0)
        return nullptr;
    for (std::size_t p = firstPage; p < firstPage + pages; ++p)
        m_committed[p] = 1;
    return m_pBase + firstPage * kPageSize;
}

bool CVirtualRange::GranuleInUse(std::size_t granuleIndex) const
{
    const std::size_t perGranule = m_granule / kPageSize;
    const std::size_t first = granuleIndex * perGranule;
    for (std::size_t p = first; p < first + perGranule && p < PageCount(); ++p) {
        if (m_committed[p])
            return true;
    }
    return false;
}

void CVirtualRange::Decommit(std::size_t page)
{
    if (!m_pBase || page >= PageCount() || !m_committed[page])
        return;
    m_committed[page] = 0;
    const std::size_t granuleIndex = page * kPageSize / m_granule;
    if (GranuleInUse(granuleIndex))
        return;
    unsigned char* granule = m_pBase + granuleIndex * m_granule;
    madvise(granule, m_granule, MADV_DONTNEED);
    mprotect(granule, m_granule, PROT_NONE);
}

bool CVirtualRange::IsCommitted(std::size_t page) const
{
    return page < PageCount() && m_committed[page] != 0;
}
