// Wave data memory: sample and acquisition-record buffers that follow the
// store depth without heap allocations. Address space is reserved once and
// whole 4096-byte pages are committed and decommitted inside it.
//
// Corvane keeps two program-wide reservations:
//   the wave range   (4194304 bytes = 1024 pages): ADBufferCH1, ADBufferCH2
//                    and ADBufferMath, one byte per sample, each starting on
//                    the page after the previous one;
//   the record range (8364032 bytes): ADBufferData, 8 bytes per sample.
// Data views manage reservations of their own with the Member* functions.
// Every function here is safe to call from any thread; MallocWaveDataBuf
// takes g_csLock itself while it swaps the buffers.
#pragma once

#include <cstdint>

#include "corvane/SharedState.h"

// Base of a reserved range of sample pages; used only as an address.
typedef void* WAVEDATA;
// Base of the reserved range of acquisition records; used only as an address.
typedef void* ACBUFFERDATA;

// One committed block inside a view's reservation.
struct MEMBERSTRUCT {
    void* pMemAddr;      // address of the block as the commit returned it
    int32_t nStartPage;  // index of its first page within the reservation
    int32_t nPageNum;    // number of pages it spans
};

inline constexpr int32_t kWavePageSize = 4096;
inline constexpr int32_t kWaveRangeBytes = 4194304;
inline constexpr int32_t kAcquireRangeBytes = 8364032;

extern WAVEDATA g_pWaveVirtualPage;       // base of the wave range, null until reserved
extern ACBUFFERDATA g_pACBufVirtualPage;  // base of the record range, null until reserved
extern tagAcquireData* ADBufferData;      // committed record array, null until committed
extern int32_t g_DepthNo;                 // store-depth number that goes with g_DepthSize (-1)

// Reserves both program-wide ranges (nothing committed). 1 when both exist
// afterwards, else 0. A second call keeps the existing reservations.
int ObligateMemSpace();

// Releases both program-wide ranges; the buffers become null and the
// committed depth 0.
void FreeMemSpace();

// Makes the three sample buffers and the record array fit depth samples and
// sets waveDataLen to ratio × depth (truncated, plus 1 unless ratio is the
// single-precision 0.8). Returns 1 after a reallocation (all samples and
// records read 0 afterwards), 0 when nothing changed: depth equal to the one
// committed, no reservation, a depth the ranges cannot hold, or a ratio
// outside (0, 1].
int MallocWaveDataBuf(int32_t depth, int32_t number, float ratio);

// The display length MallocWaveDataBuf gives waveDataLen for depth and ratio.
int32_t DisplayLength(int32_t depth, float ratio);

// Reserves a view's own range of pageCount pages; null on failure or for a
// count outside 1 .. 65536.
WAVEDATA ReserveMemberMemSpace(int32_t pageCount);

// Commits size bytes from page firstPage of the reservation base and adds the
// pages the block spans to pageCounter (a partial page counts as one; the
// caller passes 0). Returns the block's address, or null (counter untouched)
// when base is not a reservation, size is not positive or the block would
// leave the reservation.
void* MemberCommitMem(WAVEDATA base, int32_t size, int32_t& pageCounter, int32_t firstPage);

// Decommits the block's pages one at a time and zeroes the record.
void FreeMemberCommitMem(MEMBERSTRUCT& member, WAVEDATA base);

// Releases the whole reservation base (nothing for null or an unknown base).
void FreeMemberMemSpace(WAVEDATA base);
