#include "corvane/WaveMemory.h"

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "corvane/VirtualRange.h"

WAVEDATA g_pWaveVirtualPage = nullptr;
ACBUFFERDATA g_pACBufVirtualPage = nullptr;
tagAcquireData* ADBufferData = nullptr;
int32_t g_DepthNo = -1;

namespace {

constexpr int32_t kMaxMemberPages = 65536;

// Every reservation made here, by base address. The map has its own lock so
// that views may manage their ranges without g_csLock.
std::mutex s_rangesLock;
std::map<const void*, std::unique_ptr<CVirtualRange>> s_ranges;

// Live buffer bookkeeping, guarded by g_csLock.
int32_t s_nCH1Pages = 0;
int32_t s_nCH2Pages = 0;
int32_t s_nMathPages = 0;
int32_t s_nRecordBytes = 0;

int32_t PagesFor(int64_t bytes)
{
    return static_cast<int32_t>((bytes + kWavePageSize - 1) / kWavePageSize);
}

void* ReserveRange(std::size_t bytes)
{
    auto range = std::make_unique<CVirtualRange>(bytes);
    if (!range->IsReserved())
        return nullptr;
    void* base = range->Base();
    std::lock_guard<std::mutex> lock(s_rangesLock);
    s_ranges.emplace(base, std::move(range));
    return base;
}

void ReleaseRange(const void* base)
{
    std::unique_ptr<CVirtualRange> doomed;
    {
        std::lock_guard<std::mutex> lock(s_rangesLock);
        auto found = s_ranges.find(base);
        if (found == s_ranges.end())
            return;
        doomed = std::move(found->second);
        s_ranges.erase(found);
    }
}

void* CommitIn(const void* base, int32_t firstPage, int64_t bytes)
{
    if (firstPage < 0 || bytes <= 0)
        return nullptr;
    std::lock_guard<std::mutex> lock(s_rangesLock);
    auto found = s_ranges.find(base);
    if (found == s_ranges.end())
        return nullptr;
    return found->second->Commit(static_cast<std::size_t>(firstPage), static_cast<std::size_t>(bytes));
}

void DecommitIn(const void* base, int32_t firstPage, int32_t pageCount)
{
    if (firstPage < 0 || pageCount <= 0)
        return;
    std::lock_guard<std::mutex> lock(s_rangesLock);
    auto found = s_ranges.find(base);
    if (found == s_ranges.end())
        return;
    for (int32_t i = 0; i < pageCount; ++i)
        found->second->Decommit(static_cast<std::size_t>(firstPage) + static_cast<std::size_t>(i));
}

bool DepthFits(int32_t depth)
{
    return depth > 0 && 3 * PagesFor(depth) <= kWaveRangeBytes / kWavePageSize &&
           static_cast<int64_t>(depth) * static_cast<int64_t>(sizeof(tagAcquireData)) <= kAcquireRangeBytes;
}

void ZeroPages(unsigned char* buffer, int32_t pages)
{
    if (buffer && pages > 0)
        std::memset(buffer, 0, static_cast<std::size_t>(pages) * kWavePageSize);
}

// Empties and decommits the live buffers. Caller holds g_csLock.
void ReleaseLiveBuffers()
{
    ZeroPages(ADBufferCH1, s_nCH1Pages);
    ZeroPages(ADBufferCH2, s_nCH2Pages);
    ZeroPages(ADBufferMath, s_nMathPages);
    DecommitIn(g_pWaveVirtualPage, 0, s_nCH1Pages);
    DecommitIn(g_pWaveVirtualPage, s_nCH1Pages, s_nCH2Pages);
    DecommitIn(g_pWaveVirtualPage, s_nCH1Pages + s_nCH2Pages, s_nMathPages);
    DecommitIn(g_pACBufVirtualPage, 0, PagesFor(s_nRecordBytes));
    s_nCH1Pages = s_nCH2Pages = s_nMathPages = 0;
    s_nRecordBytes = 0;
    ADBufferCH1 = ADBufferCH2 = ADBufferMath = nullptr;
    ADBufferData = nullptr;
}

unsigned char* CommitSampleBuffer(int32_t depth, int32_t firstPage, int32_t& pages)
{
    void* block = MemberCommitMem(g_pWaveVirtualPage, depth, pages, firstPage);
    return static_cast<unsigned char*>(block);
}

// Commits the live buffers for depth samples. Caller holds g_csLock.
void CommitLiveBuffers(int32_t depth)
{
    ADBufferCH1 = CommitSampleBuffer(depth, 0, s_nCH1Pages);
    ADBufferCH2 = CommitSampleBuffer(depth, s_nCH1Pages, s_nCH2Pages);
    ADBufferMath = CommitSampleBuffer(depth, s_nCH1Pages + s_nCH2Pages, s_nMathPages);
    const int32_t recordBytes = depth * static_cast<int32_t>(sizeof(tagAcquireData));
    ADBufferData = static_cast<tagAcquireData*>(CommitIn(g_pACBufVirtualPage, 0, recordBytes));
    s_nRecordBytes = ADBufferData ? recordBytes : 0;
}

}  // namespace

int ObligateMemSpace()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    if (!g_pWaveVirtualPage)
        g_pWaveVirtualPage = ReserveRange(kWaveRangeBytes);
    if (!g_pACBufVirtualPage)
        g_pACBufVirtualPage = ReserveRange(kAcquireRangeBytes);
    return g_pWaveVirtualPage && g_pACBufVirtualPage ? 1 : 0;
}

void FreeMemSpace()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    ReleaseLiveBuffers();
    g_DepthSize = 0;
    g_DepthNo = -1;
    if (g_pWaveVirtualPage)
        ReleaseRange(g_pWaveVirtualPage);
    if (g_pACBufVirtualPage)
        ReleaseRange(g_pACBufVirtualPage);
    g_pWaveVirtualPage = nullptr;
    g_pACBufVirtualPage = nullptr;
}

int32_t DisplayLength(int32_t depth, float ratio)
{
    if (depth <= 0 || !(ratio > 0.0f && ratio <= 1.0f))
        return 0;
    const auto product = static_cast<int32_t>(static_cast<double>(ratio) * static_cast<double>(depth));
    return ratio == 0.8f ? product : product + 1;
}

int MallocWaveDataBuf(int32_t depth, int32_t number, float ratio)
{
    if (!(ratio > 0.0f && ratio <= 1.0f))
        return 0;
    const int32_t length = DisplayLength(depth, ratio);

    std::unique_lock<std::recursive_mutex> lock(g_csLock);
    if (depth == g_DepthSize || !DepthFits(depth) || !g_pWaveVirtualPage || !g_pACBufVirtualPage)
        return 0;
    g_DepthSize = depth;
    g_DepthNo = number;
    ReleaseLiveBuffers();
    waveDataLen = length;
    CommitLiveBuffers(depth);
    unsigned char* buffers[3] = {ADBufferCH1, ADBufferCH2, ADBufferMath};
    const int32_t pages[3] = {s_nCH1Pages, s_nCH2Pages, s_nMathPages};
    tagAcquireData* records = ADBufferData;
    lock.unlock();

    for (int i = 0; i < 3; ++i)
        ZeroPages(buffers[i], pages[i]);
    if (records)
        std::memset(records, 0, static_cast<std::size_t>(depth) * sizeof(tagAcquireData));
    return 1;
}

WAVEDATA ReserveMemberMemSpace(int32_t pageCount)
{
    if (pageCount < 1 || pageCount > kMaxMemberPages)
        return nullptr;
    return ReserveRange(static_cast<std::size_t>(pageCount) * kWavePageSize);
}

void* MemberCommitMem(WAVEDATA base, int32_t size, int32_t& pageCounter, int32_t firstPage)
{
    void* block = CommitIn(base, firstPage, size);
    if (!block)
        return nullptr;
    if (size % kWavePageSize != 0)
        pageCounter = 1;
    pageCounter += size / kWavePageSize;
    return block;
}

void FreeMemberCommitMem(MEMBERSTRUCT& member, WAVEDATA base)
{
    DecommitIn(base, member.nStartPage, member.nPageNum);
    member.pMemAddr = nullptr;
    member.nStartPage = 0;
    member.nPageNum = 0;
}

void FreeMemberMemSpace(WAVEDATA base)
{
    if (base)
        ReleaseRange(base);
}
