// The waveform sheet's acquisition update: record bytes to trace points,
// trace and block choice, math traces and the spectrum math trace.
#include "docs/YTSheetUpdate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A record of two channels and the parameters that come with it.
struct Record {
    explicit Record(size_t length) : ch1(length, 0), ch2(length, 0) {
        wfm.nCH1Show = wfm.nCH2Show = 1;
        wfm.nFFTDbBase = 10;
    }
    SheetAcquisition Input() {
        SheetAcquisition in;
        in.wfm = &wfm;
        in.ch1 = ch1.data();
        in.ch2 = ch2.data();
        in.length = ch1.size();
        in.show = show;
        in.ch1Dex = ch1Dex;
        in.ch2Dex = ch2Dex;
        in.mathDex = mathDex;
        in.mathOut = math.data();
        in.mathOutLength = math.size();
        return in;
    }
    tagWaveformParam wfm;
    std::vector<uint8_t> ch1, ch2;
    std::vector<uint8_t> math = std::vector<uint8_t>(4000, 0);
    int32_t show[3] = {1, 1, 1};
    int32_t ch1Dex = 0, ch2Dex = 0, mathDex = 0;
};

uint8_t Byte(int count) { return static_cast<uint8_t>(static_cast<int8_t>(count)); }

}  // namespace

TEST(SheetUpdate, SampleBytesMapToTraceValuesAndMarkers) {
    EXPECT_EQ(TraceY(Byte(10), false, false), 80);
    EXPECT_EQ(TraceY(Byte(-16), true, false), -128);  // inversion only touches the clip marker
    EXPECT_EQ(TraceY(0x80, false, false), -1024);
    EXPECT_EQ(TraceY(0x80, true, false), 1024);
    EXPECT_EQ(TraceY(0x81, false, false), -1550);
    EXPECT_EQ(TraceY(0x81, true, true), -1550);
    EXPECT_EQ(TraceY(0xFF, false, false), -8);
    EXPECT_EQ(TraceY(0xFF, false, true), -1550);
}

TEST(SheetUpdate, OffsetBytesAreAddedModulo256BeforeMarkersAreRecognised) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 4;
    Record r(4);
    r.ch1 = {0x7F, Byte(10), 0x80, 0xFE};
    r.ch2 = {0x7F, Byte(10), 0x80, 0xFE};
    r.ch1Dex = 0x101;  // low byte 1
    r.ch2Dex = 1;
    r.wfm.nCH2Invert = 1;
    ASSERT_EQ(ApplyAcquisition(sheet, r.Input()).ok, 1);
    ASSERT_EQ(sheet.trace[kTraceCH1].GetPointCount(), 4u);
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPoint(0).y(), -1024);  // 0x7F + 1 is the clip marker
    EXPECT_EQ(sheet.trace[kTraceCH2].GetPoint(0).y(), 1024);   // inverted channel
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPoint(1).y(), 88);
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPoint(2).y(), -1550);  // 0x80 + 1 = 0x81
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPoint(3).y(), -8);     // 0xFE + 1 = 0xFF outside scan mode
    r.wfm.strState = "Scan";
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPoint(3).y(), -1550);
    EXPECT_EQ(sheet.trace[kTraceCH1].GetState(), "Scan");
}

TEST(SheetUpdate, PointsSpanTheGraphAndNeverReadPastTheRecord) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 800;
    Record r(800);
    std::fill(r.ch1.begin(), r.ch1.end(), Byte(25));
    ApplyAcquisition(sheet, r.Input());
    EXPECT_FLOAT_EQ(sheet.xStep, 4.0f);
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPoint(1), QPoint(4, 200));
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPoint(799), QPoint(3196, 200));

    Record shortRecord(100);  // fewer bytes than the sheet's points per trace
    ApplyAcquisition(sheet, shortRecord.Input());
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPointCount(), 100u);
    EXPECT_EQ(sheet.trace[kTraceCH2].GetPointCount(), 100u);

    r.show[kTraceCH2] = 0;  // channel not fetched: its trace stays empty
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.trace[kTraceCH2].GetPointCount(), 0u);
}

TEST(SheetUpdate, VisibilityAndBlockChoice) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 16;
    Record r(16);

    r.wfm.nCH1Show = 0;  // CH2 alone
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.EnabledBlock(), kTraceCH2);
    EXPECT_EQ(sheet.rail.GetRailColor(), sheet.block[kTraceCH2].GetBlockColor());

    r.wfm.nCH1Show = 1;  // both shown, block 2 stays
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.EnabledBlock(), kTraceCH2);

    r.wfm.nMathShow = 1;  // spectrum shown: the channels go, whatever their flags
    r.wfm.nMathOperation = kMathFFT;
    r.wfm.fFFTFreqBase = 500.0f;  // Hz per spectrum division
    SheetUpdateResult result = ApplyAcquisition(sheet, r.Input());
    EXPECT_FALSE(sheet.trace[kTraceCH1].GetVisible());
    EXPECT_FALSE(sheet.trace[kTraceCH2].GetVisible());
    EXPECT_TRUE(sheet.trace[kTraceMath].GetVisible());
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPointCount(), 0u);
    EXPECT_EQ(sheet.EnabledBlock(), kTraceMath);
    EXPECT_TRUE(result.selectors.spectrum);
    EXPECT_EQ(result.selectors.verticalIndex, 3);  // 10 dB per division: 1, 2, 5, 10
    // 500 Hz is the eleventh frequency entry (250, 500, 1250, … 250000, 500000 mHz).
    EXPECT_EQ(result.selectors.horizontalIndex, 10);
    EXPECT_EQ(sheet.cursorInfo.GetShowFlag(), CDSOInfo::SHOW_SPECTRUM);
    EXPECT_EQ(sheet.cursorInfo.GetFqBase(), 500000);  // mHz

    r.wfm.nMathShow = 0;  // back to two channels with the math block enabled: block 1
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.EnabledBlock(), kTraceCH1);
}

TEST(SheetUpdate, ScalesAndSelectorsFollowTheEnabledChannel) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 16;
    Record r(16);
    r.wfm.nCH1Show = 0;
    r.wfm.nCH2VoltIndex = 4;   // 50 mV at probe 1
    r.wfm.nCH2Probe = 10;
    r.wfm.nHorizScaleIndex = 9;
    r.wfm.llCH2VoltBase = 500000;
    r.wfm.nCH1ScaleOverride = 1;
    r.wfm.llCH1VoltBase = 1234000;
    SheetUpdateResult result = ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(result.selectors.channel, kTraceCH2);
    EXPECT_EQ(result.selectors.probe, 10);
    EXPECT_EQ(result.selectors.verticalIndex, 4);
    EXPECT_EQ(result.selectors.horizontalIndex, 9);
    EXPECT_EQ(sheet.trace[kTraceCH1].GetVtScaleIndex(), kCustomScaleIndex);
    EXPECT_DOUBLE_EQ(sheet.trace[kTraceCH1].GetPreVtScale(), 1234000.0);  // stored value for the custom index
    EXPECT_DOUBLE_EQ(sheet.trace[kTraceCH2].GetPreVtScale(), 500000.0);   // 50 mV × probe 10, in µV
    EXPECT_DOUBLE_EQ(sheet.trace[kTraceCH2].GetOldHzScale(), 4000.0);     // tenth entry: 4.00 µs
    EXPECT_DOUBLE_EQ(sheet.cursorInfo.GetVoltBase(), 500.0);              // mV
}

TEST(SheetUpdate, ArithmeticMathTraces) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 2;
    Record r(2);
    r.ch1 = {Byte(10), Byte(-20)};
    r.ch2 = {Byte(3), Byte(5)};
    r.mathDex = 2;
    r.wfm.nMathShow = 1;
    const int expected[3][2] = {{(13 + 2) * 8, (-15 + 2) * 8}, {(7 + 2) * 8, (-25 + 2) * 8}, {(-7 + 2) * 8, (25 + 2) * 8}};
    for (int op = kMathAdd; op <= kMathCH2MinusCH1; ++op) {
        r.wfm.nMathOperation = op;
        ApplyAcquisition(sheet, r.Input());
        ASSERT_EQ(sheet.trace[kTraceMath].GetPointCount(), 2u) << op;
        EXPECT_EQ(sheet.trace[kTraceMath].GetPoint(0).y(), expected[op][0]) << op;
        EXPECT_EQ(sheet.trace[kTraceMath].GetPoint(1).y(), expected[op][1]) << op;
    }
    r.show[kTraceMath] = 0;  // math not fetched: the trace keeps its points
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.trace[kTraceMath].GetPointCount(), 2u);
}

TEST(SheetUpdate, OnlineSheetsPlacePivotsAndTriggerPoints) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 4;
    Record r(4);
    r.wfm.nCH1Pos = 10;
    r.wfm.nCH2Pos = -5;
    r.wfm.nTrigLevel = 4;
    r.wfm.nHorizPos = 20;
    r.wfm.nMathOperation = kMathCH1MinusCH2;
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPivot(), QPoint(0, 0));  // frozen sheets keep their pivots

    sheet.online = 1;
    ApplyAcquisition(sheet, r.Input());
    EXPECT_EQ(sheet.trace[kTraceCH1].GetPivot(), QPoint(0, 80));
    EXPECT_EQ(sheet.trace[kTraceCH1].GetTrigPos(), QPoint(-100, 112));
    EXPECT_EQ(sheet.trace[kTraceCH2].GetTrigPos(), QPoint(-100, -8));
    EXPECT_EQ(sheet.trace[kTraceMath].GetPivot(), QPoint(0, 120));
    EXPECT_EQ(sheet.wfm.nMathPos, 15);
}

TEST(SheetUpdate, SpectrumColumnsCarryExactly1024Values) {
    int carrying = 0;
    for (int k = 0; k < kSpectrumTraceColumns; ++k) carrying += SpectrumColumnCarriesValue(k);
    EXPECT_EQ(carrying, 1024);
    EXPECT_TRUE(SpectrumColumnCarriesValue(0));
    EXPECT_TRUE(SpectrumColumnCarriesValue(9));
    EXPECT_FALSE(SpectrumColumnCarriesValue(91));
    EXPECT_TRUE(SpectrumColumnCarriesValue(92));
    EXPECT_FALSE(SpectrumColumnCarriesValue(2498));

    std::array<int32_t, 1024> db;
    db.fill(-100);
    db[0] = 30;
    db[1] = 5;
    const auto codes = SpectrumColumnCodes(db, 0, 1);  // 10 rows per decibel
    EXPECT_EQ(codes[0], 0);                           // clamped at the top
    EXPECT_EQ(codes[3], 50);                          // 100 − 5 × 10
    EXPECT_EQ(codes[6], 200);                         // floor −40 dB, clamped at the bottom
    EXPECT_EQ(codes[1], kSpectrumGapCode);
    EXPECT_EQ(codes[2498], kSpectrumGapCode);
    EXPECT_EQ(SpectrumColumnCodes(db, 0, 0)[3], 50);  // no division by a zero scale
}

TEST(SheetUpdate, CentredSineGivesACleanSpectrumPeak) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 3200;
    Record r(3200);
    const int period = 32;  // 64 periods in the 2048 transformed samples: bin 64
    for (size_t i = 0; i < r.ch1.size(); ++i)
        r.ch1[i] = Byte(static_cast<int>(std::lround(60 * std::sin(2 * M_PI * static_cast<double>(i) / period))));
    r.wfm.nMathShow = 1;
    r.wfm.nMathOperation = kMathFFT;
    r.wfm.nFFTWindow = 0;  // Hanning
    r.wfm.nFFTRefLevel = 0;
    r.wfm.nFFTDbBase = 10;
    ASSERT_EQ(ApplyAcquisition(sheet, r.Input()).ok, 1);

    const CDSOWaveform& math = sheet.trace[kTraceMath];
    ASSERT_EQ(math.GetPointCount(), 2500u);
    std::vector<int> binColumn;
    for (int k = 0; k < kSpectrumTraceColumns; ++k)
        if (SpectrumColumnCarriesValue(k)) binColumn.push_back(k);
    int peakBin = 0;
    for (int b = 0; b < 1024; ++b)
        if (math.GetPoint(binColumn[b]).y() > math.GetPoint(binColumn[peakBin]).y()) peakBin = b;
    EXPECT_EQ(peakBin, 64);
    const int peakY = math.GetPoint(binColumn[64]).y();
    EXPECT_GT(peakY, 100);  // well above the centre line
    // Clean: DC and the harmonics lie at least 40 dB (400 units) below the peak.
    for (int b : {0, 1, 128, 192, 256})
        EXPECT_LT(math.GetPoint(binColumn[b]).y(), peakY - 400) << "bin " << b;
    // The column codes also go to the math buffer, and x spreads over the graph.
    EXPECT_EQ(r.math[binColumn[64]], 100 - peakY / 8);
    EXPECT_EQ(r.math[1], kSpectrumGapCode);
    EXPECT_EQ(math.GetPoint(1).y(), CDSOWaveform::kGapY);
    EXPECT_EQ(math.GetPoint(2499).x(), 3198);
}
