// Every kind of data window open and running on the simulated instrument's
// session, taking a thousand acquisitions through its update path: the heap
// in use after the thousandth is what it was after the first few (under
// AddressSanitizer its leak checker also sees every window closed).
#include "app/ChildFrame.h"
#include "corvane/SharedState.h"
#include "corvane/WaveMemory.h"
#include "link/LinkSession.h"
#include "sim/SimInstrument.h"
#include "ui/DocKinds.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's allocator interface (its header is not always installed).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Resident size in MB (/proc/self/statm), for the benchmark report.
double ResidentMb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0 / 1e6;
}

// QV_MEMORY_DEPTH and QV_MEMORY_ACQUISITIONS run the same windows at another
// store depth or count (the report's resident-size figure: depth 1000000).
int EnvOr(const char* name, int fallback) {
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : value.toInt();
}

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// A new record in the shared buffers: CH1 a sine, CH2 a square, both moved
// along by the acquisition number.
void WriteAcquisition(int n) {
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    for (int i = 0; i < waveDataLen; ++i) {
        const int t = i + n * 7;
        ADBufferCH1[i] = static_cast<uint8_t>(static_cast<int8_t>(std::lround(60 * std::sin(t * 2 * M_PI / 320))));
        ADBufferCH2[i] = static_cast<uint8_t>((t / 160) % 2 ? 40 : -40);
    }
}

} // namespace

TEST(WindowMemory, ThousandAcquisitionsThroughEveryWindowLeaveTheHeapAsItWas) {
    std::string why;
    auto sim = CreateSimInstrument("model=0", &why);
    ASSERT_TRUE(sim) << why;
    CLinkSession session(sim);
    ObligateMemSpace();
    MallocWaveDataBuf(EnvOr("QV_MEMORY_DEPTH", 1000), 0, 0.8f);
    const int acquisitions = EnvOr("QV_MEMORY_ACQUISITIONS", 1000);
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam = tagWaveformParam{};
        g_wfmParam.strState = "Ready";
        g_wfmParam.llCH1VoltBase = 1000000;
        g_wfmParam.llCH2VoltBase = 500000;
        g_wfmParam.fMeasureTimeBase = 200000.0f;
        g_wfmParam.fTableTimeBase = 200000.0f;
        g_wfmParam.nCH1Show = g_wfmParam.nCH2Show = 1;
    }
    std::vector<std::unique_ptr<CChildFrame>> frames;
    for (const DocKind& kind : DocKinds()) {
        std::unique_ptr<IChildView> view = CreateChildView(kind, ChildViewContext{&session, &kind, nullptr});
        ASSERT_FALSE(view->IsPlaceholder()) << kind.typeName;
        frames.push_back(std::make_unique<CChildFrame>(kind, std::move(view), &session));
        frames.back()->View()->StartRun();
    }
    const auto acquire = [&](int n) {
        WriteAcquisition(n);
        for (auto& frame : frames) {
            QEvent update(static_cast<QEvent::Type>(UpdateMessageOf(frame->Kind())));
            QCoreApplication::sendEvent(frame->View()->LinkView()->Receiver(), &update);
        }
        QCoreApplication::processEvents(); // deferred recomputes (the windows are not shown: no repaints)
    };
    for (int n = 0; n < 20; ++n) acquire(n);
    const size_t settled = HeapInUse();
    for (int n = 20; n < acquisitions; ++n) acquire(n);
    // Room for allocator and font cache noise, far below one record's worth
    // per acquisition (980 × 800 bytes would be 784 KB).
    EXPECT_LT(HeapInUse(), settled + 256 * 1024) << "settled at " << settled;
    std::printf("six windows, %d samples a record: resident %.1f MB\n", waveDataLen, ResidentMb());
    for (auto& frame : frames) frame->View()->StopRun();
}
