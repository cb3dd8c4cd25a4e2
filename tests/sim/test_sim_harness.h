#pragma once
// Drives a simulated instrument frame by frame, as the device layer would,
// with no latency: every answer is readable as soon as its frame is written.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/SimFrameCodec.h"
#include "sim/SimInstrument.h"

using Bytes = std::vector<std::uint8_t>;

class SimBench {
public:
    explicit SimBench(const std::string& options = "") {
        std::string error;
        sim = CreateSimInstrument(options, &error);
        EXPECT_TRUE(sim) << error;
        if (!sim)
            return;
        handle = sim->Open("\\\\.\\Ezusb-0");
        EXPECT_NE(handle, 0);
        EXPECT_EQ(sim->Start(handle), 1);
    }

    // Writes the bytes as one frame and reads every answer it produced.
    std::vector<Bytes> SendRaw(const Bytes& frame) {
        std::vector<Bytes> answers;
        if (!sim || sim->WriteFrame(handle, frame.data(), static_cast<std::uint32_t>(frame.size())) != 1)
            return answers;
        while (sim->PacketsQueued() > 0) {
            Bytes packet(65535);
            std::uint32_t received = 0;
            if (sim->ReadPacket(handle, packet.data(), 65535, &received) != 1)
                break;
            packet.resize(received);
            answers.push_back(packet);
        }
        return answers;
    }

    std::vector<Bytes> Send(std::uint8_t code, const Bytes& args = {}, bool letterF = false) {
        return SendRaw(EncodeSimCommand(code, args, letterF));
    }

    std::vector<Bytes> Request(const std::string& file) {
        Bytes args(file.size() + 1, 0);  // position 0, then the name
        for (std::size_t i = 0; i < file.size(); ++i)
            args[i + 1] = static_cast<std::uint8_t>(file[i]);
        return Send(16, args, true);
    }

    std::vector<Bytes> PressKey(int number) { return Send(19, {static_cast<std::uint8_t>(number), 1}); }

    Bytes Block() {
        std::vector<Bytes> a = Send(1);
        return a.size() == 1 ? Bytes(a[0].begin() + 4, a[0].end() - 1) : Bytes();
    }

    std::shared_ptr<CSimInstrument> sim;
    UsbHandle handle = 0;
};

// The data bytes of an answer (between the code and the check byte).
inline Bytes DataOf(const Bytes& packet) {
    return packet.size() < 5 ? Bytes() : Bytes(packet.begin() + 4, packet.end() - 1);
}

// True when the packet's envelope is sound: "S", length = size - 3, sum last.
inline bool EnvelopeSound(const Bytes& p) {
    return p.size() >= 5 && p[0] == 'S' && static_cast<std::size_t>(p[1] | (p[2] << 8)) + 3 == p.size() &&
           p.back() == SimByteSum(p.data(), p.size() - 1);
}
