// The simulated cable: handles, blocking reads that always come back, and
// the configured faults.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "test_sim_harness.h"

namespace {

const Bytes kStatus = {0x53, 0x02, 0x00, 0x01, 0x56};

int Write(SimBench& b, const Bytes& frame) {
    return b.sim->WriteFrame(b.handle, frame.data(), static_cast<std::uint32_t>(frame.size()));
}

// Starts a read that blocks (nothing is ready); returns once the thread runs.
struct BlockedRead {
    explicit BlockedRead(SimBench& b) : bench(b) {
        reader = std::thread([this] {
            Bytes buffer(65535);
            std::uint32_t received = 7;
            started = true;
            result = bench.sim->ReadPacket(bench.handle, buffer.data(), 65535, &received);
            size = received;
        });
        while (!started)
            std::this_thread::yield();
    }
    int Join() {
        reader.join();
        return result;
    }
    SimBench& bench;
    std::thread reader;
    std::atomic<bool> started{false};
    std::atomic<int> result{-1};
    std::atomic<std::uint32_t> size{0};
};

}  // namespace

TEST(SimDriver, HandlesAndTheLinkState) {
    std::string error;
    auto sim = CreateSimInstrument("", &error);
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->Open("\\\\.\\Other-0"), 0);
    EXPECT_EQ(sim->Open(nullptr), 0);
    const UsbHandle reader = sim->Open("\\\\.\\Ezusb-0");
    const UsbHandle writer = sim->Open("\\\\.\\Ezusb-0");
    ASSERT_NE(reader, 0);
    EXPECT_NE(reader, writer);
    Bytes buffer(65535);
    std::uint32_t received = 0;
    // Before the start call answers are not kept and reads fail.
    EXPECT_EQ(sim->WriteFrame(writer, kStatus.data(), 5), 1);
    EXPECT_EQ(sim->PacketsQueued(), 0);
    EXPECT_EQ(sim->ReadPacket(reader, buffer.data(), 65535, &received), 0);
    ASSERT_EQ(sim->Start(reader), 1);
    sim->Close(writer);  // each write may use a handle of its own
    EXPECT_EQ(sim->WriteFrame(writer, kStatus.data(), 5), 0);
    const UsbHandle second = sim->Open("\\\\.\\Ezusb-0");
    EXPECT_EQ(sim->WriteFrame(second, kStatus.data(), 5), 1);
    ASSERT_EQ(sim->ReadPacket(reader, buffer.data(), 65535, &received), 1);
    EXPECT_EQ(buffer[3], 0x81);
    // A small buffer gets the start of the packet.
    sim->WriteFrame(second, kStatus.data(), 5);
    ASSERT_EQ(sim->ReadPacket(reader, buffer.data(), 4, &received), 1);
    EXPECT_EQ(received, 4u);
    // Stop through another handle ends the link.
    EXPECT_EQ(sim->Stop(second), 1);
    EXPECT_EQ(sim->ReadPacket(reader, buffer.data(), 65535, &received), 0);
    EXPECT_EQ(received, 0u);
}

TEST(SimDriver, BlockedReadsComeBackOnStopCloseAndPull) {
    {
        SimBench bench;
        BlockedRead read(bench);
        const UsbHandle other = bench.sim->Open("\\\\.\\Ezusb-0");
        bench.sim->Stop(other);
        EXPECT_EQ(read.Join(), 0);
        EXPECT_EQ(read.size, 0u);
    }
    {
        SimBench bench;
        BlockedRead read(bench);
        bench.sim->Close(bench.handle);
        EXPECT_EQ(read.Join(), 0);
    }
    {
        SimBench bench;
        BlockedRead read(bench);
        bench.sim->PullCable();
        EXPECT_EQ(read.Join(), 0);
        EXPECT_TRUE(bench.sim->CablePulled());
        EXPECT_EQ(bench.sim->Open("\\\\.\\Ezusb-0"), 0);
        EXPECT_EQ(Write(bench, kStatus), 0);
        bench.sim->PlugCable();
        const UsbHandle h = bench.sim->Open("\\\\.\\Ezusb-0");
        ASSERT_NE(h, 0);
        EXPECT_EQ(bench.sim->Start(h), 1);
    }
    {
        // A read waiting for a late answer also comes back on stop; the
        // answer is held back by the latency, not lost.
        SimBench bench("latency=600000");
        ASSERT_EQ(Write(bench, kStatus), 1);
        EXPECT_EQ(bench.sim->PacketsQueued(), 1);
        BlockedRead read(bench);
        bench.sim->Stop(bench.sim->Open("\\\\.\\Ezusb-0"));
        EXPECT_EQ(read.Join(), 0);
    }
    {
        // A read that is waiting gets the answer written from another thread.
        SimBench bench;
        BlockedRead read(bench);
        ASSERT_EQ(Write(bench, kStatus), 1);
        EXPECT_EQ(read.Join(), 1);
        EXPECT_GT(read.size, 5u);
    }
}

TEST(SimDriver, CableFaults) {
    {
        SimBench bench("fault=pull:3");
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(bench.SendRaw(kStatus).size(), 1u);
        EXPECT_EQ(Write(bench, kStatus), 0);
        EXPECT_TRUE(bench.sim->CablePulled());
    }
    {
        SimBench bench("fault=silence:2");
        EXPECT_EQ(bench.SendRaw(kStatus).size(), 1u);
        EXPECT_EQ(bench.SendRaw(kStatus).size(), 1u);
        EXPECT_EQ(Write(bench, kStatus), 1);  // taken, never answered
        EXPECT_EQ(bench.sim->PacketsQueued(), 0);
        EXPECT_EQ(bench.sim->PacketsLost(), 1);
    }
    {
        SimBench bench;
        bench.sim->Silence(600000);
        EXPECT_TRUE(bench.SendRaw(kStatus).empty());
    }
    {
        SimBench bench("fault=drop:1");
        EXPECT_TRUE(bench.Send(32).empty());
        EXPECT_GT(bench.sim->PacketsLost(), 5);
    }
    {
        SimBench bench("fault=badsum:1");
        const std::vector<Bytes> got = bench.SendRaw(kStatus);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_FALSE(EnvelopeSound(got[0]));
        EXPECT_EQ(got[0][3], 0x81);
    }
    {
        SimBench bench("fault=short:1");
        const std::vector<Bytes> got = bench.Send(18, {1, 1});
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].size(), 3u);  // half of 7 bytes: the receive loop drops it
    }
    {
        // The same seed loses the same packets.
        SimBench a("fault=drop:0.5,seed=7"), b("fault=drop:0.5,seed=7"), c("fault=drop:0.5,seed=8");
        a.Send(32);
        b.Send(32);
        c.Send(32);
        EXPECT_EQ(a.sim->PacketsLost(), b.sim->PacketsLost());
        EXPECT_GT(a.sim->PacketsLost(), 0);
    }
}

TEST(SimDriver, WritersAndAReaderOnSeveralThreads) {
    SimBench bench("latency=1:2");
    constexpr int kWriters = 3, kFramesEach = 20;
    std::atomic<int> answers{0};
    std::thread reader([&] {
        Bytes buffer(65535);
        std::uint32_t received = 0;
        while (bench.sim->ReadPacket(bench.handle, buffer.data(), 65535, &received) == 1)
            if (received >= 5 && buffer[3] == 0x81)
                ++answers;
    });
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w)
        writers.emplace_back([&] {
            const UsbHandle h = bench.sim->Open("\\\\.\\Ezusb-0");
            for (int i = 0; i < kFramesEach; ++i)
                bench.sim->WriteFrame(h, kStatus.data(), 5);
            bench.sim->Close(h);
        });
    for (std::thread& t : writers)
        t.join();
    while (answers < kWriters * kFramesEach)
        std::this_thread::yield();
    bench.sim->PullCable();
    reader.join();
    EXPECT_EQ(bench.sim->FramesWritten(), kWriters * kFramesEach);
}
