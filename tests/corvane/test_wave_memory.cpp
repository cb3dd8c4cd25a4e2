// Wave data memory: display length, page layout, zeroing, refusals, real
// decommit (resident memory), view reservations and the shared-granule rules.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "corvane/SharedState.h"
#include "corvane/VirtualRange.h"
#include "corvane/WaveMemory.h"

namespace {

// Number of resident machine pages in [address, address + bytes).
std::size_t ResidentPages(const void* address, std::size_t bytes)
{
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(address) / page * page;
    const std::size_t length = (reinterpret_cast<std::uintptr_t>(address) + bytes - start + page - 1) / page * page;
    std::vector<unsigned char> flags(length / page);
    if (mincore(reinterpret_cast<void*>(start), length, flags.data()) != 0)
        return std::numeric_limits<std::size_t>::max();
    std::size_t resident = 0;
    for (unsigned char f : flags)
        resident += f & 1;
    return resident;
}

// Resident set size of the process in bytes.
long ResidentBytes()
{
    long total = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return -1;
    const int read = std::fscanf(statm, "%ld %ld", &total, &resident);
    std::fclose(statm);
    return read == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

bool AllZero(const unsigned char* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] != 0)
            return false;
    }
    return true;
}

class WaveMemoryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ObligateMemSpace(), 1); }
    void TearDown() override { FreeMemSpace(); }
};

}  // namespace

TEST(WaveDisplayLength, TruncatesTheSinglePrecisionProductAndAddsOneExceptForPointEight)
{
    EXPECT_EQ(DisplayLength(4000, 0.8f), 3200);
    EXPECT_EQ(DisplayLength(400000, 0.8f), 320000);
    EXPECT_EQ(DisplayLength(4000, 0.96f), 3840);
    EXPECT_EQ(DisplayLength(400000, 0.96f), 384000);
    EXPECT_EQ(DisplayLength(20000, 0.96f), 19200);
    EXPECT_EQ(DisplayLength(4000, 0.5f), 2001);
    EXPECT_EQ(DisplayLength(4000, 0.8000001f), 3201);  // only the exact single-precision 0.8 adds nothing
    EXPECT_EQ(DisplayLength(4000, std::nanf("")), 0);
    EXPECT_EQ(DisplayLength(4000, 1.5f), 0);
    EXPECT_EQ(DisplayLength(-5, 0.8f), 0);
}

TEST_F(WaveMemoryTest, BuffersFollowTheDepthWithPageLayoutAndZeroedData)
{
    EXPECT_EQ(ADBufferCH1, nullptr);
    EXPECT_EQ(g_DepthSize, 0);

    ASSERT_EQ(MallocWaveDataBuf(4000, 0, 0.8f), 1);
    ASSERT_NE(ADBufferCH1, nullptr);
    ASSERT_NE(ADBufferData, nullptr);
    EXPECT_EQ(ADBufferCH1, static_cast<unsigned char*>(g_pWaveVirtualPage));
    EXPECT_EQ(ADBufferCH2 - ADBufferCH1, 4096);
    EXPECT_EQ(ADBufferMath - ADBufferCH1, 2 * 4096);
    EXPECT_EQ(static_cast<void*>(ADBufferData), g_pACBufVirtualPage);
    EXPECT_EQ(waveDataLen, 3200);
    EXPECT_EQ(g_DepthSize, 4000);
    EXPECT_EQ(g_DepthNo, 0);

    // Same depth: nothing changes, whatever number and ratio say.
    std::memset(ADBufferCH1, 0x5A, 4000);
    ADBufferData[3999].fY = 7.0f;
    EXPECT_EQ(MallocWaveDataBuf(4000, 3, 0.96f), 0);
    EXPECT_EQ(waveDataLen, 3200);
    EXPECT_EQ(g_DepthNo, 0);
    EXPECT_EQ(ADBufferCH1[3999], 0x5A);

    // New depth: five pages per trace, everything reads 0 again.
    std::memset(ADBufferCH2, 0x33, 4096);
    std::memset(ADBufferMath, 0x44, 4096);
    ASSERT_EQ(MallocWaveDataBuf(20000, 1, 0.96f), 1);
    EXPECT_EQ(ADBufferCH2 - ADBufferCH1, 5 * 4096);
    EXPECT_EQ(ADBufferMath - ADBufferCH1, 10 * 4096);
    EXPECT_EQ(waveDataLen, 19200);
    EXPECT_EQ(g_DepthSize, 20000);
    EXPECT_EQ(g_DepthNo, 1);
    EXPECT_TRUE(AllZero(ADBufferCH1, 5 * 4096));
    EXPECT_TRUE(AllZero(ADBufferCH2, 5 * 4096));
    EXPECT_TRUE(AllZero(ADBufferMath, 5 * 4096));
    EXPECT_TRUE(AllZero(reinterpret_cast<unsigned char*>(ADBufferData), 20000 * sizeof(tagAcquireData)));

    // The deepest store depth fits both ranges.
    ASSERT_EQ(MallocWaveDataBuf(800000, 7, 0.8f), 1);
    ADBufferMath[799999] = 1;
    ADBufferData[799999].fX = 1.0f;
    EXPECT_EQ(waveDataLen, 640000);
}

TEST_F(WaveMemoryTest, RefusesDepthsAndRatiosItCannotServeAndChangesNothing)
{
    ASSERT_EQ(MallocWaveDataBuf(4000, 0, 0.8f), 1);
    unsigned char* const ch1 = ADBufferCH1;

    EXPECT_EQ(MallocWaveDataBuf(0, 1, 0.8f), 0);          // unknown depth label gives 0
    EXPECT_EQ(MallocWaveDataBuf(-4000, 1, 0.8f), 0);
    EXPECT_EQ(MallocWaveDataBuf(1500000, 1, 0.8f), 0);    // more than the ranges hold
    EXPECT_EQ(MallocWaveDataBuf(20000, 1, std::nanf("")), 0);
    EXPECT_EQ(MallocWaveDataBuf(20000, 1, 0.0f), 0);
    EXPECT_EQ(MallocWaveDataBuf(20000, 1, 1.25f), 0);     // a length past the buffer
    EXPECT_EQ(ADBufferCH1, ch1);
    EXPECT_EQ(g_DepthSize, 4000);
    EXPECT_EQ(g_DepthNo, 0);
    EXPECT_EQ(waveDataLen, 3200);

    // Without reservations nothing is committed and nothing is claimed.
    FreeMemSpace();
    EXPECT_EQ(ADBufferCH1, nullptr);
    EXPECT_EQ(ADBufferData, nullptr);
    EXPECT_EQ(g_DepthSize, 0);
    EXPECT_EQ(g_DepthNo, -1);
    EXPECT_EQ(MallocWaveDataBuf(4000, 0, 0.8f), 0);
    EXPECT_EQ(g_DepthSize, 0);

    // Reserving twice keeps one pair of ranges.
    ASSERT_EQ(ObligateMemSpace(), 1);
    void* const wave = g_pWaveVirtualPage;
    ASSERT_EQ(ObligateMemSpace(), 1);
    EXPECT_EQ(g_pWaveVirtualPage, wave);
}

TEST_F(WaveMemoryTest, ShrinkingReturnsDecommittedPagesToTheKernel)
{
    ASSERT_EQ(MallocWaveDataBuf(800000, 7, 0.8f), 1);
    const std::size_t tracePages = (800000 + 4095) / 4096;
    EXPECT_GE(ResidentPages(g_pWaveVirtualPage, 3 * tracePages * 4096) * CVirtualRange::MachinePageSize(),
              3 * tracePages * 4096);
    EXPECT_GE(ResidentPages(g_pACBufVirtualPage, 6400000) * CVirtualRange::MachinePageSize(), 6400000u);
    const long residentDeep = ResidentBytes();

    ASSERT_EQ(MallocWaveDataBuf(4000, 0, 0.8f), 1);
    // Everything past the three small buffers and the small record array is gone.
    auto* wave = static_cast<unsigned char*>(g_pWaveVirtualPage);
    auto* records = static_cast<unsigned char*>(g_pACBufVirtualPage);
    const std::size_t machine = CVirtualRange::MachinePageSize();
    const std::size_t waveKept = (3 * 4096 + machine - 1) / machine * machine;
    const std::size_t recordsKept = (32000 + machine - 1) / machine * machine;
    EXPECT_EQ(ResidentPages(wave + waveKept, kWaveRangeBytes - waveKept), 0u);
    EXPECT_EQ(ResidentPages(records + recordsKept, 6400000 - recordsKept), 0u);
    const long residentShallow = ResidentBytes();
    ASSERT_GT(residentDeep, 0);
    EXPECT_GT(residentDeep - residentShallow, 8000000L);  // 2.4 MB of samples + 6.4 MB of records
}

TEST_F(WaveMemoryTest, DecommittedPagesCannotBeTouched)
{
    ASSERT_EQ(MallocWaveDataBuf(20000, 1, 0.8f), 1);
    ASSERT_EQ(MallocWaveDataBuf(4000, 0, 0.8f), 1);
    auto* wave = static_cast<unsigned char*>(g_pWaveVirtualPage);
    const std::size_t beyond = (3 * 4096 + CVirtualRange::MachinePageSize() - 1) / CVirtualRange::MachinePageSize() *
                               CVirtualRange::MachinePageSize();
    EXPECT_DEATH({ *reinterpret_cast<volatile unsigned char*>(wave + beyond) = 1; }, "");
}

TEST_F(WaveMemoryTest, ReallocationNeverShowsTheReceiveThreadAHalfChangedSet)
{
    // A writer that fills the buffers under the lock, as the receive loop does,
    // while the depth changes underneath it.
    std::atomic<bool> stop{false};
    std::thread writer([&stop] {
        while (!stop.load()) {
            {
                std::lock_guard<std::recursive_mutex> lock(g_csLock);
                if (ADBufferCH1 && ADBufferCH2 && g_DepthSize > 0) {
                    std::memset(ADBufferCH1, 0x11, static_cast<std::size_t>(g_DepthSize));
                    std::memset(ADBufferCH2, 0x22, static_cast<std::size_t>(g_DepthSize));
                }
            }
            std::this_thread::yield();
        }
    });
    const int32_t depths[] = {4000, 400000, 20000, 800000, 40000};
    for (int round = 0; round < 20; ++round)
        EXPECT_EQ(MallocWaveDataBuf(depths[round % 5], round % 5, 0.8f), 1);
    stop = true;
    writer.join();
    EXPECT_EQ(g_DepthSize, 40000);
}

TEST(MemberMemory, CommitCountsPagesAndFreeingReturnsThem)
{
    WAVEDATA base = ReserveMemberMemSpace(16);
    ASSERT_NE(base, nullptr);
    auto* bytes = static_cast<unsigned char*>(base);

    MEMBERSTRUCT first{nullptr, 0, 0};
    first.pMemAddr = MemberCommitMem(base, 5000, first.nPageNum, 0);
    EXPECT_EQ(first.pMemAddr, base);
    EXPECT_EQ(first.nPageNum, 2);  // a partial page counts as one

    MEMBERSTRUCT second{nullptr, first.nPageNum, 0};
    second.pMemAddr = MemberCommitMem(base, 8192, second.nPageNum, second.nStartPage);
    EXPECT_EQ(second.pMemAddr, bytes + 2 * 4096);
    EXPECT_EQ(second.nPageNum, 2);
    std::memset(second.pMemAddr, 0x7F, 8192);

    // Refusals leave the counter alone.
    int32_t counter = 0;
    EXPECT_EQ(MemberCommitMem(base, 8192, counter, 15), nullptr);  // would leave the range
    EXPECT_EQ(MemberCommitMem(base, 0, counter, 0), nullptr);
    EXPECT_EQ(MemberCommitMem(base, -1, counter, 0), nullptr);
    EXPECT_EQ(MemberCommitMem(base, 4096, counter, -1), nullptr);
    int unrelated = 0;
    EXPECT_EQ(MemberCommitMem(&unrelated, 4096, counter, 0), nullptr);
    EXPECT_EQ(MemberCommitMem(nullptr, 4096, counter, 0), nullptr);
    EXPECT_EQ(counter, 0);

    FreeMemberCommitMem(second, base);
    EXPECT_EQ(second.pMemAddr, nullptr);
    EXPECT_EQ(second.nStartPage, 0);
    EXPECT_EQ(second.nPageNum, 0);
    if (CVirtualRange::MachinePageSize() == 4096) {
        EXPECT_EQ(ResidentPages(bytes + 2 * 4096, 8192), 0u);
    }

    // Committing again gives zeroed pages.
    int32_t again = 0;
    ASSERT_NE(MemberCommitMem(base, 8192, again, 2), nullptr);
    EXPECT_TRUE(AllZero(bytes + 2 * 4096, 8192));

    // A record that spans no pages is only zeroed.
    MEMBERSTRUCT empty{bytes, 3, 0};
    FreeMemberCommitMem(empty, base);
    EXPECT_EQ(empty.pMemAddr, nullptr);
    EXPECT_EQ(empty.nStartPage, 0);
    EXPECT_EQ(bytes[0], 0);  // the first block is still committed

    FreeMemberMemSpace(base);
    int32_t afterRelease = 0;
    EXPECT_EQ(MemberCommitMem(base, 4096, afterRelease, 0), nullptr);
    FreeMemberMemSpace(base);  // a second release is harmless
    FreeMemberMemSpace(nullptr);
    EXPECT_EQ(ReserveMemberMemSpace(0), nullptr);
    EXPECT_EQ(ReserveMemberMemSpace(-3), nullptr);
    EXPECT_EQ(ReserveMemberMemSpace(1 << 30), nullptr);
}

TEST(VirtualRange, PagesSharingALargerGranuleAreReturnedOnlyWhenAllAreDecommitted)
{
    const std::size_t granule = 4 * CVirtualRange::MachinePageSize();  // four 4096-byte pages or more
    CVirtualRange range(8 * granule, granule);
    ASSERT_TRUE(range.IsReserved());
    EXPECT_EQ(range.Granule(), granule);
    EXPECT_EQ(range.PageCount(), 8 * granule / 4096);

    unsigned char* base = range.Base();
    ASSERT_EQ(range.Commit(0, 4096), base);
    ASSERT_EQ(range.Commit(1, 4096), base + 4096);
    base[0] = 1;
    base[4096] = 2;
    EXPECT_TRUE(range.IsCommitted(1));
    EXPECT_FALSE(range.IsCommitted(2));

    range.Decommit(0);
    EXPECT_FALSE(range.IsCommitted(0));
    EXPECT_EQ(base[4096], 2);  // its neighbour in the granule keeps its data
    EXPECT_GT(ResidentPages(base, granule), 0u);

    range.Decommit(1);
    EXPECT_EQ(ResidentPages(base, granule), 0u);
    range.Decommit(1);     // already decommitted: nothing happens
    range.Decommit(9999);  // outside: nothing happens

    EXPECT_EQ(range.Commit(range.PageCount() - 1, 8192), nullptr);
    EXPECT_EQ(range.Commit(range.PageCount(), 1), nullptr);
    EXPECT_EQ(range.Commit(0, 0), nullptr);
    ASSERT_EQ(range.Commit(0, 4096), base);
    EXPECT_EQ(base[0], 0);  // recommitted after release: zero
}
