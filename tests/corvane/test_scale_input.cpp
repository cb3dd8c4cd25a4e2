#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "corvane/InputProcessors.h"

namespace {

constexpr int64_t kSentinel = -777;
const std::string kUntouched = "untouched";

struct Result {
    int ok;
    std::string text;
    int64_t value;
};

Result Time(const std::string& typed, TIME_PROCESS_TYPE kind, int64_t timePerDivNs = 0, float a = 0.0f,
            float b = 0.0f)
{
    Result r{0, kUntouched, kSentinel};
    r.ok = TimeProcess(typed, timePerDivNs, r.text, r.value, kind, a, b);
    return r;
}

Result Scale(const std::string& typed, uint32_t probe = 1, int64_t minimum = 2000, int64_t maximum = 10000000)
{
    Result r{0, kUntouched, kSentinel};
    r.ok = VtScaleProcess(typed, probe, r.text, r.value, minimum, maximum);
    return r;
}

Result Level(const std::string& typed, uint32_t source, int64_t voltsPerDiv = 100000, int64_t offset = 0)
{
    Result r{0, kUntouched, kSentinel};
    r.ok = TgVoltProcess(typed, source, voltsPerDiv, offset, r.text, r.value);
    return r;
}

Result Position(const std::string& typed, int64_t voltsPerDiv = 100000, uint16_t probe = 1)
{
    Result r{0, kUntouched, kSentinel};
    r.ok = VtPosProcess(typed, voltsPerDiv, probe, r.text, r.value);
    return r;
}

void ExpectRejected(const Result& r, const std::string& typed)
{
    EXPECT_EQ(r.ok, 0) << typed;
    EXPECT_EQ(r.text, kUntouched) << typed;
    EXPECT_EQ(r.value, kSentinel) << typed;
}

}  // namespace

TEST(TimeProcess, ConvertsTypedTimesToPicoseconds)
{
    Result r = Time("1.5ms", TIME_PULSE_WIDTH);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.value, 1500000000);
    EXPECT_EQ(r.text, "1.500 ms");

    r = Time("5ns", TIME_PULSE_WIDTH);
    EXPECT_EQ(r.value, 20000);
    EXPECT_EQ(r.text, "20.00 ns");

    r = Time(" 2 US ", TIME_SLOPE);
    EXPECT_EQ(r.value, 2000000);
    EXPECT_EQ(r.text, "2.000 us");

    r = Time("0.5", TIME_OVERTIME);  // no unit: seconds
    EXPECT_EQ(r.value, 500000000000);
    EXPECT_EQ(r.text, "500.0 ms");

    r = Time("+.25s", TIME_OVERTIME);
    EXPECT_EQ(r.value, 250000000000);
}

TEST(TimeProcess, RoundsToTheResolutionOfTheTypedUnit)
{
    // Kind 0 with a time base outside every limit range changes nothing.
    EXPECT_EQ(Time("0.0000015", TIME_TRIG_POSITION).value, 2000000);  // s: whole µs
    EXPECT_EQ(Time("0.0000015ms", TIME_TRIG_POSITION).value, 2000);   // ms: whole ns
    EXPECT_EQ(Time("1.5ps", TIME_TRIG_POSITION).value, 2);
    EXPECT_EQ(Time("-1.5ps", TIME_TRIG_POSITION).value, -2);
    Result tiny = Time("0.4ps", TIME_TRIG_POSITION);
    EXPECT_EQ(tiny.ok, 1);
    EXPECT_EQ(tiny.value, 0);
    EXPECT_EQ(Time("1.2.3us", TIME_TRIG_POSITION).value, 1200000);
}

TEST(TimeProcess, HoldsTriggerPositionInsideTheTimeBaseRange)
{
    Result r = Time("30ms", TIME_TRIG_POSITION, 5);
    EXPECT_EQ(r.value, 20000000000);
    EXPECT_EQ(r.text, "20.00 ms");
    EXPECT_EQ(Time("60ms", TIME_TRIG_POSITION, 100000).value, 50000000000);
    EXPECT_EQ(Time("60s", TIME_TRIG_POSITION, 250000).value, 50000000000000);

    r = Time("-1us", TIME_TRIG_POSITION, 100);  // earlier than four divisions
    EXPECT_EQ(r.value, -400000);
    EXPECT_EQ(r.text, "-400.0 ns");
    EXPECT_EQ(Time("-100ns", TIME_TRIG_POSITION, 100).value, -100000);
    EXPECT_EQ(Time("5s", TIME_TRIG_POSITION, 20).value, 5000000000000);  // 20 ns: between ranges
}

TEST(TimeProcess, HoldsHoldOffAndWidthsInsideTheirRanges)
{
    Result r = Time("50ns", TIME_HOLDOFF, 0, 100.0f, 5.0f);
    EXPECT_EQ(r.value, 500000);
    EXPECT_EQ(r.text, "500.0 ns");
    r = Time("20s", TIME_HOLDOFF, 0, 100.0f, 5.0f);
    EXPECT_EQ(r.value, 10000000000000);
    EXPECT_EQ(r.text, "10.00 s");
    EXPECT_EQ(Time("3s", TIME_HOLDOFF, 0, 100.0f, 5.0f).value, 3000000000000);

    EXPECT_EQ(Time("20s", TIME_PULSE_WIDTH).value, 10000000000000);
    EXPECT_EQ(Time("-3ms", TIME_SLOPE).value, 20000);
    EXPECT_EQ(Time("0.4ps", TIME_OVERTIME).value, 20000);
}

// Each limit of each kind, typed in seconds, milliseconds and nanoseconds just
// past it: the limits hold the typed value (not its rounded form), and the
// text always shows the value handed back.
TEST(TimeProcess, LimitsHoldTheTypedValueAndTheTextShowsTheResult)
{
    const struct {
        TIME_PROCESS_TYPE kind;
        int64_t timePerDivNs;
        float a, b;
        std::vector<std::string> typed;  // the same time in s, ms and ns
        int64_t ps;
        const char* text;
    } cases[] = {
        {TIME_TRIG_POSITION, 10, 0, 0, {"0.0200004", "20.0004ms", "20000400ns"}, 20000000000, "20.00 ms"},
        {TIME_TRIG_POSITION, 10, 0, 0, {"-0.00000004004", "-0.00004004ms", "-40.04ns"}, -40000, "-40.00 ns"},
        {TIME_TRIG_POSITION, 100, 0, 0, {"0.0500004", "50.0004ms", "50000400ns"}, 50000000000, "50.00 ms"},
        {TIME_TRIG_POSITION, 100, 0, 0, {"-0.0000004004", "-0.0004004ms", "-400.4ns"}, -400000, "-400.0 ns"},
        {TIME_TRIG_POSITION, 250000, 0, 0, {"50.0000004", "50000.0004ms", "50000000400ns"}, 50000000000000, "50.00 s"},
        {TIME_TRIG_POSITION, 250000, 0, 0, {"-0.0010000004", "-1.0000004ms", "-1000000.4ns"}, -1000000000, "-1.000 ms"},
        // Inside the limit, but whole microseconds of -700 ns are past it.
        {TIME_TRIG_POSITION, 200, 0, 0, {"-0.0000007"}, -800000, "-800.0 ns"},
        {TIME_HOLDOFF, 0, 100.0f, 1.5f, {"0.0000000996", "0.0000996ms", "99.6ns"}, 500000, "500.0 ns"},
        {TIME_HOLDOFF, 0, 100.0f, 1.5f, {"1.5000004", "1500.0004ms", "1500000400ns"}, 10000000000000, "10.00 s"},
        {TIME_PULSE_WIDTH, 0, 0, 0, {"0.0000000196", "0.0000196ms", "19.6ns"}, 20000, "20.00 ns"},
        {TIME_SLOPE, 0, 0, 0, {"10.0000004", "10000.0004ms", "10000000400ns"}, 10000000000000, "10.00 s"},
        {TIME_OVERTIME, 0, 0, 0, {"0.0000000196", "0.0000196ms", "19.6ns"}, 20000, "20.00 ns"},
        // Inside every limit: the rounded value, and its text.
        {TIME_OVERTIME, 0, 0, 0, {"0.0000012345"}, 1000000, "1.000 us"},
        {TIME_OVERTIME, 0, 0, 0, {"0.0000254ms"}, 25000, "25.00 ns"},
    };
    for (const auto& c : cases)
        for (const std::string& typed : c.typed) {
            const Result r = Time(typed, c.kind, c.timePerDivNs, c.a, c.b);
            EXPECT_EQ(r.value, c.ps) << typed << " kind " << c.kind << " T " << c.timePerDivNs;
            EXPECT_EQ(r.text, c.text) << typed << " kind " << c.kind << " T " << c.timePerDivNs;
        }
}

TEST(TimeProcess, RejectsMalformedTextAndLeavesOutputs)
{
    for (const char* typed : {"abc", "", "s", "-", "+", "1.s", "1e3s", "--1", "1-", "ms", "1x", "-.s", ".5s",
                              "5m", "1,5ms", "\t1ms"}) {
        ExpectRejected(Time(typed, TIME_PULSE_WIDTH), typed);
    }
    ExpectRejected(Time("1ms", static_cast<TIME_PROCESS_TYPE>(9)), "kind 9");
}

TEST(TimeProcess, HugeNumbersSaturateWithAMatchingText)
{
    Result r = Time("99999999999999999999999s", TIME_TRIG_POSITION);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.value, std::numeric_limits<int64_t>::max());
    EXPECT_NE(r.text, kUntouched);
    EXPECT_EQ(r.text.substr(r.text.size() - 2), " s");
    Result endless = Time(std::string(400, '9'), TIME_TRIG_POSITION);
    EXPECT_EQ(endless.value, std::numeric_limits<int64_t>::max());
}

TEST(VtScaleProcess, ConvertsAndHoldsWithinTheProbeRange)
{
    Result r = Scale("20mV");
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.value, 20000);
    EXPECT_EQ(r.text, "20.0 mv");
    r = Scale("1.5");
    EXPECT_EQ(r.value, 1500000);
    EXPECT_EQ(r.text, "1.50 v");
    r = Scale("2kv");  // text shows what was typed, the value the limit
    EXPECT_EQ(r.value, 10000000);
    EXPECT_EQ(r.text, "2.00 kv");
    r = Scale("1mv", 10);
    EXPECT_EQ(r.value, 20000);
    EXPECT_EQ(r.text, "1.00 mv");
    EXPECT_EQ(Scale("500uV", 1, 0, 1000000).value, 500);
    EXPECT_EQ(Scale("0.0000015kv", 1, 0, 1000000).value, 2000);  // kV: whole mV first
}

TEST(VtScaleProcess, RejectsMalformedText)
{
    for (const char* typed : {"abc", "v", "mv", "20mx", "1e3", "-", "1v2", "k"}) {
        ExpectRejected(Scale(typed), typed);
    }
}

TEST(TgVoltProcess, SnapsToTheScaleStepAndKeepsTheLevelOnScreen)
{
    Result r = Level("13mV", kTrigSourceCH1);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.value, 12000);
    EXPECT_EQ(r.text, "12.0 mv");
    EXPECT_EQ(Level("-13mV", kTrigSourceCH2).value, -12000);
    r = Level("1v", kTrigSourceCH1);
    EXPECT_EQ(r.value, 800000);
    EXPECT_EQ(r.text, "800 mv");
    EXPECT_EQ(Level("700mV", kTrigSourceCH1, 100000, 200000).value, 600000);
    EXPECT_EQ(Level("-1v", kTrigSourceCH2, 100000, 200000).value, -1000000);
    EXPECT_EQ(Level("0.5uv", kTrigSourceCH1).value, 0);
    EXPECT_EQ(Level("53uv", kTrigSourceCH1, 10).value, 53);  // step below 1 µV: no snapping
}

TEST(TgVoltProcess, HoldsExternalLevelsInTheirRangeAndStep)
{
    EXPECT_EQ(Level("2v", kTrigSourceExt).value, 1600000);
    EXPECT_EQ(Level("1.236v", kTrigSourceExt).value, 1232000);
    EXPECT_EQ(Level("-9v", kTrigSourceExt5).value, -8000000);
    EXPECT_EQ(Level("1.236v", kTrigSourceExt5).value, 1200000);
    ExpectRejected(Level("1vv", kTrigSourceExt), "1vv");
    ExpectRejected(Level("", kTrigSourceCH1), "empty");
}

TEST(VtPosProcess, CutsToTheInstrumentStepWithinTheOffsetRange)
{
    Result r = Position("1.23");
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.text, "1.20");
    EXPECT_EQ(r.value, 30);
    r = Position("-1.23");
    EXPECT_EQ(r.text, "-1.20");
    EXPECT_EQ(r.value, -30);
    EXPECT_EQ(Position("1.239").value, 31);
    EXPECT_EQ(Position("0.05").value, 1);
    r = Position("30");
    EXPECT_EQ(r.text, "20.00");
    EXPECT_EQ(r.value, 500);
    EXPECT_EQ(Position("-30").value, -500);
    EXPECT_EQ(Position("200", 500000).value, 2500);      // second range: ±50 V
    EXPECT_EQ(Position("200", 10000000).value, 5000);    // outside both ranges: no limit
    EXPECT_EQ(Position("200", 1000000, 10).value, 500);  // probe ×10: ±20 V at 1 V/div
    EXPECT_EQ(Position("3", 0, 0).value, 75);
}

TEST(VtPosProcess, RejectsAnythingButANumber)
{
    for (const char* typed : {"abc", "1.5v", "", "-", "1e2", "div"}) {
        ExpectRejected(Position(typed), typed);
    }
}

TEST(TgLineProcess, HoldsTheLineWithinTheVideoStandard)
{
    std::string text = kUntouched;
    int line = -1;
    EXPECT_EQ(TgLineProcess("700", kVideoNTSC, text, line), 1);
    EXPECT_EQ(line, 525);
    EXPECT_EQ(text, "525");
    TgLineProcess("700", kVideoPAL, text, line);
    EXPECT_EQ(line, 625);
    TgLineProcess("x", kVideoNTSC, text, line);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(text, "1");
    TgLineProcess("0", kVideoNTSC, text, line);
    EXPECT_EQ(line, 1);
    TgLineProcess(" 12.7 ", kVideoPAL, text, line);
    EXPECT_EQ(line, 12);
    TgLineProcess("", kVideoPAL, text, line);
    EXPECT_EQ(line, 1);
    TgLineProcess("99999999999999999999999", kVideoNTSC, text, line);
    EXPECT_EQ(line, 525);
    TgLineProcess("-5", kVideoNTSC, text, line);
    EXPECT_EQ(line, 1);
}
