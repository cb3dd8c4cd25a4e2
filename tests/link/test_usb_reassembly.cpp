// The libusb backend's reads over scripted bulk transfers: one read hands on
// exactly one answer however the pipe cuts the answers, and a whole record
// delivered that way reaches the channel buffers unchanged.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <random>

#include "FakeDriver.h"
#include "LinkTestSupport.h"
#include "RecordingHost.h"
#include "corvane/SharedState.h"
#include "link/LibUsbDriver.h"
#include "link/ReceiveLoop.h"

namespace {
struct Transfer {
    BulkStatus status;
    Bytes bytes;
};

Transfer Piece(const Bytes& b) { return {BulkStatus::Done, b}; }
Transfer Slice(const Bytes& b = {}) { return {BulkStatus::TimedOut, b}; }
Transfer ZeroLength() { return {BulkStatus::Done, {}}; }
Transfer Overflowed(const Bytes& b) { return {BulkStatus::Overflow, b}; }

Bytes Part(const Bytes& b, size_t from, size_t to = SIZE_MAX)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(std::min(to, b.size())));
}

Bytes Join(const Bytes& a, const Bytes& b)
{
    Bytes j = a;
    j.insert(j.end(), b.begin(), b.end());
    return j;
}

Bytes Counting(size_t n, uint8_t first)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(first + i * 7);
    return b;
}

// The IN pipe as a script of transfers; an exhausted script times out and
// calls whenEmpty (the tests stop the driver there).
class CScriptedPipe : public IUsbBulkTransport {
public:
    bool OpenDevice() override { return true; }
    void CloseDevice() override {}
    BulkResult BulkIn(uint8_t* buffer, uint32_t length, unsigned) override
    {
        asked.push_back(length);
        if (script.empty()) {
            if (whenEmpty)
                whenEmpty();
            return {BulkStatus::TimedOut, 0};
        }
        const Transfer t = script.front();
        script.pop_front();
        std::copy(t.bytes.begin(), t.bytes.end(), buffer);
        return {t.status, static_cast<uint32_t>(t.bytes.size())};
    }
    BulkResult BulkOut(const uint8_t*, uint32_t length, unsigned) override { return {BulkStatus::Done, length}; }

    std::deque<Transfer> script;
    std::function<void()> whenEmpty;
    std::vector<uint32_t> asked;
};

LibUsbConfig ShortGap()
{
    LibUsbConfig c;
    c.readSliceMs = 100;
    c.answerGapMs = 300;  // three empty slices
    return c;
}

class UsbReassemblyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        handle = driver.Open("Ezusb-0");
        ASSERT_NE(handle, 0);
        ASSERT_EQ(driver.Start(handle), 1);
    }
    // A new link (the pipe is empty: Start finds nothing to throw away), then
    // every answer the driver hands on until the script is used up.
    std::vector<Bytes> ReadAll(std::deque<Transfer> script)
    {
        pipe->whenEmpty = nullptr;
        EXPECT_EQ(driver.Start(handle), 1);
        pipe->script = std::move(script);
        return ReadUntilEmpty();
    }
    std::vector<Bytes> ReadUntilEmpty()
    {
        pipe->whenEmpty = [this] { driver.Stop(handle); };
        std::vector<Bytes> answers;
        Bytes buffer(CReceiveLoop::kPacketCapacity);
        uint32_t n = 0;
        while (driver.ReadPacket(handle, buffer.data(), CReceiveLoop::kPacketCapacity, &n))
            answers.push_back(Part(buffer, 0, n));
        return answers;
    }

    std::shared_ptr<CScriptedPipe> pipe = std::make_shared<CScriptedPipe>();
    CLibUsbDriver driver{ShortGap(), pipe};
    UsbHandle handle = 0;
};
}  // namespace

TEST_F(UsbReassemblyTest, EachReadHandsOnExactlyOneAnswerWhereverThePipeCutsIt)
{
    const Bytes a = Answer(0x81, Counting(1500, 3));   // 1505 bytes
    const Bytes b = Answer(0x92, {1, 1});
    const Bytes big = Answer(0x82, Counting(65533, 9));  // 65538 bytes: longer than one read
    const Bytes foreign = {'X', 1, 2, 3, 4, 5};
    const struct {
        const char* name;
        std::deque<Transfer> script;
        std::vector<Bytes> answers;
    } cases[] = {
        {"inside the header", {Piece(Part(a, 0, 1)), Piece(Part(a, 1, 3)), Slice(Part(a, 3, 4)), Piece(Part(a, 4))}, {a}},
        {"one byte before the end", {Piece(Part(a, 0, a.size() - 1)), Slice(), Piece(Part(a, a.size() - 1))}, {a}},
        {"at 512-byte boundaries", {Piece(Part(a, 0, 512)), Piece(Part(a, 512, 1024)), Piece(Part(a, 1024))}, {a}},
        {"zero-length packets", {ZeroLength(), Piece(Part(a, 0, 512)), ZeroLength(), Piece(Part(a, 512)), ZeroLength(), Piece(b)}, {a, b}},
        {"slice time-outs in the middle", {Slice(Part(a, 0, 700)), Slice(), Slice(), Piece(Part(a, 700))}, {a}},
        {"two answers in one transfer", {Piece(Join(a, b))}, {a, b}},
        {"the second answer cut", {Piece(Join(a, Part(b, 0, 2))), Piece(Part(b, 2))}, {a, b}},
        {"time-outs before any byte", {Slice(), Slice(), Slice(), Slice(), Slice(), Piece(b)}, {b}},
        {"overflow", {Overflowed(Part(a, 0, 600)), Piece(b)}, {Part(a, 0, 600), b}},
        {"bytes without a start mark", {Piece(foreign), Piece(b)}, {foreign, b}},
        {"an answer that stops coming", {Piece(Part(a, 0, 100)), Slice(), Slice(), Slice(), Piece(b)}, {Part(a, 0, 100), b}},
        {"an answer longer than a read", {Piece(Part(big, 0, 65536)), Piece(Join(Part(big, 65536), b))},
         {Part(big, 0, CReceiveLoop::kPacketCapacity), b}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadAll(c.script), c.answers) << c.name;
    // libusb is always asked for whole packets, so a device cannot overflow a transfer.
    for (uint32_t asked : pipe->asked)
        ASSERT_EQ(asked % 512, 0u);
}

TEST_F(UsbReassemblyTest, StartThrowsAwayWhatAnEarlierSessionLeftInThePipe)
{
    const Bytes stale = Answer(0x82, Counting(3000, 1));
    const Bytes fresh = Answer(0x81, Counting(40, 2));
    driver.Stop(handle);
    pipe->script = {Piece(Part(stale, 0, 2048)), Piece(Part(stale, 2048, 2049)), Slice(), Piece(fresh)};
    ASSERT_EQ(driver.Start(handle), 1);
    EXPECT_EQ(ReadUntilEmpty(), std::vector<Bytes>{fresh});
}

// A record of 800,000 samples per channel, sent as the instrument sends it
// (length, 65528-sample pieces, end of record) and cut by a seeded pipe at
// awkward places, arrives byte for byte.
TEST_F(UsbReassemblyTest, ARecordOf800000SamplesReachesTheBuffersUnchanged)
{
    constexpr int kSamples = 800000;
    ResetSharedState();
    AllocateSampleBuffers(kSamples);
    std::mt19937 random(12);
    Bytes samples[2] = {Bytes(kSamples), Bytes(kSamples)};
    Bytes stream;
    for (uint8_t ch = 0; ch < 2; ++ch) {
        for (uint8_t& s : samples[ch])
            s = static_cast<uint8_t>(random());
        stream = Join(stream, Answer(0x82, {0, kSamples & 0xFF, (kSamples >> 8) & 0xFF, kSamples >> 16}));
        for (int at = 0; at < kSamples; at += 65528)
            stream = Join(stream, Answer(0x82, Join({1, ch}, Part(samples[ch], at, at + 65528))));
        stream = Join(stream, Answer(0x82, {2}));
    }
    std::deque<Transfer> script;
    for (size_t at = 0; at < stream.size();) {
        const size_t sizes[] = {1 + random() % 3, 512 * (1 + random() % 128), 1 + random() % 65536};
        const size_t n = std::min(sizes[random() % 3], stream.size() - at);
        script.push_back(random() % 5 == 0 ? Slice(Part(stream, at, at + n)) : Piece(Part(stream, at, at + n)));
        if (random() % 7 == 0)
            script.push_back(random() % 2 ? Slice() : ZeroLength());
        at += n;
    }

    CRecordingHost host;
    CReceiveLoop loop(&host);
    for (const Bytes& answer : ReadAll(std::move(script)))
        ASSERT_EQ(loop.HandlePacket(answer.data(), static_cast<uint32_t>(answer.size())), CReceiveLoop::kApplied);
    EXPECT_EQ(host.notified.load(), 2);
    EXPECT_EQ(waveDataLen, kSamples);
    EXPECT_TRUE(std::equal(samples[0].begin(), samples[0].end(), ADBufferCH1));
    EXPECT_TRUE(std::equal(samples[1].begin(), samples[1].end(), ADBufferCH2));
    FreeSampleBuffers();
    ResetSharedState();
}
