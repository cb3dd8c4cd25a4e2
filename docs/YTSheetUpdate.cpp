#include "docs/YTSheetUpdate.h"

#include "analysis/SampleReading.h"
#include "analysis/FftPower.h"

#include <cmath>
#include "corvane/MessageTables.h"
#include "corvane/ScaleConversion.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

namespace {

constexpr uint8_t kClipByte = 0x80;
constexpr uint8_t kNoDataByte = 0x81;
constexpr uint8_t kScanEndByte = 0xFF;
constexpr int kUnitsPerCount = 8;
constexpr int kMaxSpectrumRow = 200;
constexpr int kSpectrumFloorDb = -40;
constexpr int kDecibelScaleEntries = 11;

bool IsScanMode(const tagWaveformParam& wfm) { return wfm.strState == "Scan"; }

// Appends points through one lock; false (and a message) when memory runs out.
bool StorePoints(CDSOWaveform& trace, const std::vector<QPoint>& points, SheetUpdateResult& result) {
    if (trace.AddPoints(points.data(), points.size())) return true;
    result.ok = 0;
    result.message = QString::fromUtf8(Msg(g_strMemoryErr).c_str());
    return false;
}

// Builds count points with x = i × step and y from the generator; false when
// the vector cannot be had.
template <class YOf>
bool BuildPoints(std::vector<QPoint>& points, size_t count, double step, YOf yOf) {
    try {
        points.resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) points[i] = QPoint(static_cast<int>(i * step), yOf(i));
    return true;
}

size_t SamplesToRead(const CYTSheetData& sheet, const SheetAcquisition& in) {
    return std::min(static_cast<size_t>(std::max(sheet.pointsPerTrace, 0)), in.length);
}

void FillChannel(CYTSheetData& sheet, const SheetAcquisition& in, int channel, SheetUpdateResult& result) {
    const uint8_t* bytes = channel == kTraceCH1 ? in.ch1 : in.ch2;
    if (!bytes) return;
    const int32_t dex = (channel == kTraceCH1 ? in.ch1Dex : in.ch2Dex) & 0xFF;
    const bool inverted = (channel == kTraceCH1 ? sheet.wfm.nCH1Invert : sheet.wfm.nCH2Invert) == 1;
    const bool scan = IsScanMode(sheet.wfm);
    // A point's y depends on its byte alone: the trace keeps the bytes and this table.
    std::array<int16_t, 256> yOfByte{};
    for (int b = 0; b < 256; ++b)
        yOfByte[static_cast<size_t>(b)] = static_cast<int16_t>(TraceY(static_cast<uint8_t>((b + dex) & 0xFF), inverted, scan));
    CDSOWaveform& trace = sheet.trace[channel];
    if (!trace.SetSamples(bytes, SamplesToRead(sheet, in), sheet.xStep, yOfByte)) {
        result.ok = 0;
        result.message = QString::fromUtf8(Msg(g_strMemoryErr).c_str());
        return;
    }
    trace.ResetDisplacement();
    for (CDSOCursor& c : sheet.cursor) c.ResetDisplacement();
}

void ApplyVisibility(CYTSheetData& sheet) {
    const tagWaveformParam& wfm = sheet.wfm;
    if (wfm.nMathOperation == kMathFFT && wfm.nMathShow == 1) {
        sheet.trace[kTraceCH1].SetVisible(0);
        sheet.trace[kTraceCH2].SetVisible(0);
        sheet.trace[kTraceMath].SetVisible(1);
        return;
    }
    for (int i = 0; i < kTraceCount; ++i) sheet.trace[i].SetVisible(sheet.ShownFlag(i));
}

// The block of a trace that is alone on screen is the enabled one; with both
// channels shown and neither of their blocks enabled, block 1 is.
void ChooseBlock(CYTSheetData& sheet) {
    int visible = 0, last = -1;
    for (int i = 0; i < kTraceCount; ++i)
        if (sheet.trace[i].GetVisible()) {
            ++visible;
            last = i;
        }
    if (visible == 1) {
        sheet.EnableBlock(last);
        return;
    }
    const bool bothChannels = sheet.trace[kTraceCH1].GetVisible() && sheet.trace[kTraceCH2].GetVisible();
    if (bothChannels && !sheet.block[kTraceCH1].GetBlockEnable() && !sheet.block[kTraceCH2].GetBlockEnable())
        sheet.EnableBlock(kTraceCH1);
}

int32_t DecibelIndex(int32_t dbPerDivision) {
    for (int i = 0; i < kDecibelScaleEntries; ++i)
        if (CalcDbBase(i + 1) == dbPerDivision) return i;
    return 0;
}

// The frequency selector's entry nearest a frequency per division (mHz).
int32_t FrequencyIndex(double mhzPerDivision) {
    int32_t best = 0;
    for (int i = 1; i < kFrequencyScaleEntries; ++i)
        if (std::abs(CalcFqBase(i + 1) - mhzPerDivision) < std::abs(CalcFqBase(best + 1) - mhzPerDivision))
            best = i;
    return best;
}

void ApplyScales(CYTSheetData& sheet) {
    const tagWaveformParam& wfm = sheet.wfm;
    sheet.trace[kTraceCH1].SetVtScaleIndex(sheet.VoltIndex(kTraceCH1));
    sheet.trace[kTraceCH2].SetVtScaleIndex(sheet.VoltIndex(kTraceCH2));
    sheet.trace[kTraceCH1].SetHzScaleIndex(wfm.nHorizScaleIndex);
    sheet.trace[kTraceCH2].SetHzScaleIndex(wfm.nHorizScaleIndex);
    sheet.SetAcquiredScales();
    const int channel = sheet.EnabledBlock() == kTraceCH2 ? kTraceCH2 : kTraceCH1;
    const int64_t volts = channel == kTraceCH2 ? wfm.llCH2VoltBase : wfm.llCH1VoltBase;
    sheet.cursorInfo.SetTimeBase(static_cast<double>(CalcTimeBase(wfm.nTimeBaseIndex + 1)));
    sheet.cursorInfo.SetVoltBase(static_cast<double>(volts) / 1000.0);
    sheet.cursorInfo.SetShowFlag(CDSOInfo::SHOW_CHANNEL);
}

int SignedSample(const uint8_t* bytes, size_t i) { return SampleCount(bytes[i]); }

void FillArithmetic(CYTSheetData& sheet, const SheetAcquisition& in, SheetUpdateResult& result) {
    if (!in.ch1 || !in.ch2) return;
    const int32_t op = sheet.wfm.nMathOperation;
    const int32_t m = in.mathDex;
    std::vector<QPoint> points;
    const bool built = BuildPoints(points, SamplesToRead(sheet, in), sheet.xStep, [&](size_t i) {
        const int a = SignedSample(in.ch1, i), b = SignedSample(in.ch2, i);
        const int sum = op == kMathAdd ? a + b : op == kMathCH1MinusCH2 ? a - b : b - a;
        return (sum + m) * kUnitsPerCount;
    });
    CDSOWaveform& math = sheet.trace[kTraceMath];
    math.MallocMem(static_cast<uint32_t>(points.size()));
    if (!built) {
        result.ok = 0;
        result.message = QString::fromUtf8(Msg(g_strMemoryErr).c_str());
        return;
    }
    StorePoints(math, points, result);
}

void FillSpectrum(CYTSheetData& sheet, const SheetAcquisition& in, SheetUpdateResult& result) {
    const tagWaveformParam& wfm = sheet.wfm;
    const uint8_t* source = wfm.nFFTSource == 1 ? in.ch2 : in.ch1;
    const SpectrumInput input = SpectrumInputFromRecord(source, source ? in.length : 0);
    int window = WindowCodeFromInstrument(wfm.nFFTWindow);
    if (window < 0) window = kWindowHanning;
    std::array<int32_t, 1024> db{};
    ComputeSpectrumDb(db, input, window);
    const auto codes = SpectrumColumnCodes(db, wfm.nFFTRefLevel, wfm.nFFTDbBase);
    if (in.mathOut) {
        std::copy_n(codes.begin(), std::min<size_t>(codes.size(), in.mathOutLength), in.mathOut);
        result.spectrumCodes = true;
    }

    std::vector<QPoint> points(codes.size());
    const double step = wndWidth / static_cast<double>(kSpectrumTraceColumns);
    for (size_t i = 0; i < codes.size(); ++i)
        points[i] = QPoint(static_cast<int>(i * step), (100 - codes[i]) * kUnitsPerCount);
    CDSOWaveform& math = sheet.trace[kTraceMath];
    math.MallocMem(kSpectrumTraceColumns);
    StorePoints(math, points, result);
    sheet.cursorInfo.SetDbBase(wfm.nFFTDbBase);
    sheet.cursorInfo.SetDbReference(wfm.nFFTRefLevel);
    sheet.cursorInfo.SetFqBase(std::llround(sheet.SpectrumFqScaleMhz()));
    sheet.cursorInfo.SetShowFlag(CDSOInfo::SHOW_SPECTRUM);
}

void FillMath(CYTSheetData& sheet, const SheetAcquisition& in, SheetUpdateResult& result) {
    if (sheet.wfm.nMathShow != 1 || !in.show || in.show[kTraceMath] == 0) return;
    sheet.trace[kTraceMath].RemoveAllPoint();
    if (sheet.wfm.nMathOperation == kMathFFT)
        FillSpectrum(sheet, in, result);
    else
        FillArithmetic(sheet, in, result);
}

// Math position in graph units for the math operation.
int MathPivot(const tagWaveformParam& wfm) {
    const int p1 = wfm.nCH1Pos * kUnitsPerCount, p2 = wfm.nCH2Pos * kUnitsPerCount;
    switch (wfm.nMathOperation) {
    case kMathAdd: return p1 + p2;
    case kMathCH1MinusCH2: return p1 - p2;
    case kMathCH2MinusCH1: return p2 - p1;
    default: return 0;
    }
}

void PlaceOnlinePivots(CYTSheetData& sheet) {
    tagWaveformParam& wfm = sheet.wfm;
    // The horizontal position counts 1/40 division: 5 graph units a step.
    const int trigX = static_cast<int>(-wfm.nHorizPos * 2 * 2.5);
    const int16_t positions[2] = {wfm.nCH1Pos, wfm.nCH2Pos};
    for (int ch = kTraceCH1; ch <= kTraceCH2; ++ch) {
        sheet.trace[ch].SetPivot(QPoint(0, positions[ch] * kUnitsPerCount));
        sheet.trace[ch].SetTrigPos(QPoint(trigX, (wfm.nTrigLevel + positions[ch]) * kUnitsPerCount));
    }
    const int math = MathPivot(wfm);
    wfm.nMathPos = static_cast<int16_t>(math / kUnitsPerCount);
    sheet.trace[kTraceMath].SetPivot(QPoint(0, math));
}

bool SpectrumSelected(const CYTSheetData& sheet) {
    return sheet.EnabledBlock() == kTraceMath && sheet.wfm.nMathOperation == kMathFFT;
}

}  // namespace

// The cursors read from where the selected trace's zero is drawn: its pivot
// line, and its trigger mark (for the spectrum, frequency 0 at the left end
// of the trace), so that a cursor on the trigger mark reads 0 s whatever the
// trace's ratios and displacement.
void RefreshCursorReadout(CYTSheetData& sheet) {
    const int enabled = sheet.EnabledBlock();
    const CDSOWaveform& t = sheet.trace[enabled < 0 ? kTraceCH1 : enabled];
    const double zeroX = SpectrumSelected(sheet) ? 0.0 : t.TriggerX();
    const QPointF zero = t.DisplayPoint(QPointF(zeroX, t.GetPivot().y()));
    sheet.cursorInfo.ProcessInfo(sheet.cursor[0], sheet.cursor[1], static_cast<int>(std::lround(zero.y())),
                                 static_cast<int>(std::lround(zero.x())) - wndWidth / 2);
}

void RefreshReadoutBases(CYTSheetData& sheet) {
    const int enabled = sheet.EnabledBlock();
    const CDSOWaveform& t = sheet.trace[enabled < 0 ? kTraceCH1 : enabled];
    if (SpectrumSelected(sheet)) {
        sheet.cursorInfo.SetFqBase(std::llround(t.GetPreHzScale()));
        sheet.cursorInfo.SetDbBase(static_cast<int32_t>(t.GetPreVtScale()));
        sheet.cursorInfo.SetDbReference(sheet.wfm.nFFTRefLevel);
        return;
    }
    sheet.cursorInfo.SetTimeBase(t.GetPreHzScale());
    sheet.cursorInfo.SetVoltBase(t.GetPreVtScale() / 1000.0);
}

SheetSelectorState SheetSelectors(const CYTSheetData& sheet) {
    SheetSelectorState s;
    s.channel = sheet.EnabledBlock();
    if (SpectrumSelected(sheet)) {
        const CDSOWaveform& math = sheet.trace[kTraceMath];
        s.spectrum = true;
        s.verticalIndex = DecibelIndex(static_cast<int32_t>(std::lround(math.GetPreVtScale())));
        s.horizontalIndex = FrequencyIndex(math.GetPreHzScale());
        return s;
    }
    const int channel = s.channel == kTraceCH2 ? kTraceCH2 : kTraceCH1;
    s.probe = sheet.Probe(channel);
    s.verticalIndex = sheet.trace[channel].GetVtScaleIndex();
    s.horizontalIndex = sheet.trace[channel].GetHzScaleIndex();
    s.customVertical = static_cast<double>(channel == kTraceCH2 ? sheet.wfm.llCH2VoltBase : sheet.wfm.llCH1VoltBase);
    return s;
}

int TraceY(uint8_t raw, bool inverted, bool scanMode) {
    const int s = SampleCount(raw) * kUnitsPerCount;
    switch (raw) {
    case kClipByte: return inverted ? -s : s;
    case kNoDataByte: return kNoDataTraceY;
    case kScanEndByte: return scanMode ? kNoDataTraceY : s;
    default: return s;
    }
}

bool SpectrumColumnCarriesValue(int column) {
    const int tens = (column / 10) % 10, units = column % 10;
    if (tens != 9) return units == 0 || units == 3 || units == 6 || units == 9;
    return units % 2 == 0 && column != 2498;
}

std::array<uint8_t, kSpectrumTraceColumns> SpectrumColumnCodes(const std::array<int32_t, 1024>& db,
                                                               int32_t referenceDb, int32_t dbPerDivision) {
    const int64_t perDivision = std::max<int32_t>(dbPerDivision, 1);
    std::array<uint8_t, kSpectrumTraceColumns> codes{};
    size_t bin = 0;
    for (int k = 0; k < kSpectrumTraceColumns; ++k) {
        if (!SpectrumColumnCarriesValue(k) || bin >= db.size()) {
            codes[k] = kSpectrumGapCode;
            continue;
        }
        const int64_t level = std::max<int64_t>(int64_t{db[bin++]} - referenceDb, kSpectrumFloorDb);
        const int64_t row = 100 - (level * 20) / (2 * perDivision);
        codes[k] = static_cast<uint8_t>(std::clamp<int64_t>(row, 0, kMaxSpectrumRow));
    }
    return codes;
}

SheetUpdateResult ApplyAcquisition(CYTSheetData& sheet, const SheetAcquisition& in) {
    SheetUpdateResult result;
    if (!in.wfm || !in.show) return result;
    sheet.xStep = static_cast<float>(wndWidth) / static_cast<float>(std::max(sheet.pointsPerTrace, 1));
    sheet.wfm = *in.wfm;
    for (CDSOWaveform& t : sheet.trace) t.SetState(sheet.wfm.strState);
    sheet.scaleInfo.SetBrand(sheet.wfm.nModel);
    ApplyVisibility(sheet);
    sheet.trace[kTraceCH1].RemoveAllPoint();
    sheet.trace[kTraceCH2].RemoveAllPoint();
    for (int ch = kTraceCH1; ch <= kTraceCH2 && result.ok; ++ch)
        if (sheet.trace[ch].GetVisible() && in.show[ch] != 0) FillChannel(sheet, in, ch, result);
    if (!result.ok) return result;
    ChooseBlock(sheet);
    ApplyScales(sheet);
    result.selectors = SheetSelectors(sheet);
    FillMath(sheet, in, result);
    if (!result.ok) return result;
    if (sheet.online) PlaceOnlinePivots(sheet);
    RefreshCursorReadout(sheet);
    return result;
}

SheetUpdateResult UpdateFromSnapshot(CYTSheetData& sheet, const tagAcquisitionSnapshot& snapshot) {
    SheetAcquisition in;
    in.wfm = &snapshot.wfm;
    in.length = snapshot.Length();
    in.ch1 = in.length ? snapshot.ch1.data() : nullptr;
    in.ch2 = in.length ? snapshot.ch2.data() : nullptr;
    in.ch1Dex = snapshot.ch1Dex;
    in.ch2Dex = snapshot.ch2Dex;
    in.mathDex = snapshot.mathDex;
    in.show = snapshot.show;
    in.recordLength = snapshot.recordLength;
    std::array<uint8_t, kSpectrumTraceColumns> codes{};
    in.mathOut = codes.data();
    in.mathOutLength = codes.size();
    const SheetUpdateResult result = ApplyAcquisition(sheet, in);
    if (result.spectrumCodes) {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        if (ADBufferMath && g_DepthSize > 0)
            std::copy_n(codes.begin(), std::min<size_t>(codes.size(), static_cast<size_t>(g_DepthSize)), ADBufferMath);
    }
    return result;
}
