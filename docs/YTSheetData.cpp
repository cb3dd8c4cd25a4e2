#include "docs/YTSheetData.h"

#include "corvane/ScaleConversion.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {
// The read-out font: 13 points at 100 % (46 logical units), normal weight.
QFont SheetTextFont() {
    QFont font(QStringLiteral("楷体_GB2312"));
    font.setPixelSize(46);
    font.setWeight(QFont::Normal);
    return font;
}

// A scale read from a file, or the derived one when the file holds none.
double StoredOr(double stored, double derived) {
    return std::isfinite(stored) && stored > 0.0 ? stored : derived;
}

struct TraceScales {
    double preVt, oldVt, preHz, oldHz;
};

void PlaceCursor(CDSOCursor& cursor, QPoint pos, QPoint prePos, int32_t penStyle) {
    cursor.SetPos(pos);
    cursor.SetPrePos(prePos);
    cursor.SetPenStyle(penStyle);
    cursor.SetPrePenStyle(penStyle);
    cursor.SetOldPlace(pos);
    cursor.InitOldPlace(pos);
    cursor.SetTransformPoint(cursor.GetPos());
}
}  // namespace

CYTSheetData::CYTSheetData() : textFont(SheetTextFont()) {
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        wfm = g_wfmParam;
        pointsPerTrace = std::max<int32_t>(waveDataLen, 1);
    }
    xStep = static_cast<float>(wndWidth) / static_cast<float>(pointsPerTrace);
    PlaceCursor(cursor[0], QPoint(200, 100), QPoint(200, 100), 0);
    PlaceCursor(cursor[1], QPoint(500, 500), QPoint(500, 100), 1);
    for (int i = 0; i < kTraceCount; ++i) {
        block[i].SetBlockID(i + 1);
        block[i].SetBlockColor(kDefaultTraceColor[i]);
        trace[i].SetWfmColor(kDefaultTraceColor[i]);
        trace[i].MallocMem(static_cast<uint32_t>(pointsPerTrace));
    }
    EnableBlock(kTraceCH1);
    trace[kTraceCH1].SetWfmFocus(1);
    cursorInfo.SetTextFont(textFont);
    scaleInfo.SetTextFont(textFont);
    ApplyColorMode(colorMode);
}

void CYTSheetData::ApplyColorMode(int32_t mode) {
    colorMode = mode == COLOR_MODE_BW ? COLOR_MODE_BW : COLOR_MODE_RGB;
    graticule.SetColorMode(colorMode);
    rail.SetColorMode(colorMode);
    for (int i = 0; i < kTraceCount; ++i) {
        trace[i].SetColorMode(colorMode);
        block[i].SetColorMode(colorMode);
    }
}

int CYTSheetData::EnabledBlock() const {
    for (int i = 0; i < kTraceCount; ++i)
        if (block[i].GetBlockEnable()) return i;
    return -1;
}

void CYTSheetData::EnableBlock(int index) {
    for (int i = 0; i < kTraceCount; ++i) block[i].SetBlockEnable(i == index);
    if (index >= 0 && index < kTraceCount) rail.SetRailID(index + 1);
    ColorRailFromEnabledBlock();
}

void CYTSheetData::ColorRailFromEnabledBlock() {
    const int enabled = EnabledBlock();
    if (enabled >= 0) rail.SetRailColor(block[enabled].GetBlockColor());
}

int32_t CYTSheetData::ShownFlag(int index) const {
    switch (index) {
    case kTraceCH1: return wfm.nCH1Show;
    case kTraceCH2: return wfm.nCH2Show;
    case kTraceMath: return wfm.nMathShow;
    default: return 0;
    }
}

bool CYTSheetData::TraceDrawn(int index, const int32_t* showFlags) const {
    return index >= 0 && index < kTraceCount && trace[index].GetVisible() && ShownFlag(index) &&
           showFlags[index] != 0;
}

int32_t CYTSheetData::VoltIndex(int channel) const {
    const bool second = channel == kTraceCH2;
    if (second ? wfm.nCH2ScaleOverride : wfm.nCH1ScaleOverride) return kCustomScaleIndex;
    return second ? wfm.nCH2VoltIndex : wfm.nCH1VoltIndex;
}

int32_t CYTSheetData::Probe(int channel) const {
    return std::max<int32_t>(channel == kTraceCH2 ? wfm.nCH2Probe : wfm.nCH1Probe, 1);
}

double CYTSheetData::VoltScaleUv(int channel) const {
    const int32_t index = VoltIndex(channel);
    if (index == kCustomScaleIndex)
        return static_cast<double>(channel == kTraceCH2 ? wfm.llCH2VoltBase : wfm.llCH1VoltBase);
    return static_cast<double>(CalcVoltBase(index + 1, Probe(channel))) * 1000.0;
}

double CYTSheetData::TimeScaleNs() const { return static_cast<double>(CalcTimeBase(wfm.nHorizScaleIndex + 1)); }

double CYTSheetData::SpectrumFqScaleMhz() const { return static_cast<double>(wfm.fFFTFreqBase) * 1000.0; }

void CYTSheetData::SetAcquiredScales() {
    for (int ch = kTraceCH1; ch <= kTraceCH2; ++ch) {
        const double volts = VoltScaleUv(ch);
        trace[ch].SetPreVtScale(volts);
        trace[ch].SetOldVtScale(volts);
        trace[ch].SetPreHzScale(TimeScaleNs());
        trace[ch].SetOldHzScale(TimeScaleNs());
    }
    CDSOWaveform& math = trace[kTraceMath];
    const bool spectrum = wfm.nMathOperation == kMathFFT;
    const double vertical = spectrum ? static_cast<double>(wfm.nFFTDbBase) : VoltScaleUv(kTraceCH1);
    const double horizontal = spectrum ? SpectrumFqScaleMhz() : TimeScaleNs();
    math.SetPreVtScale(vertical);
    math.SetOldVtScale(vertical);
    math.SetPreHzScale(horizontal);
    math.SetOldHzScale(horizontal);
}

void CYTSheetData::DeriveDisplayState() {
    wfm.strState = trace[kTraceCH1].GetState();
    // The views' horizontal scale is the time-base code (as the settings
    // decode sets it); each trace's own index is the scale chosen for it.
    wfm.nHorizScaleIndex = wfm.nTimeBaseIndex;
    wfm.nCH1Show = trace[kTraceCH1].GetVisible();
    wfm.nCH2Show = trace[kTraceCH2].GetVisible();
    wfm.nMathShow = trace[kTraceMath].GetVisible();
    for (CDSOWaveform& t : trace) t.SetState(wfm.strState);
    showTrigger = trace[kTraceCH1].GetTrigVisible() || wfm.strState == "Scan";
    TraceScales stored[kTraceCount];
    for (int i = 0; i < kTraceCount; ++i) {
        const CDSOWaveform& t = trace[i];
        stored[i] = {t.GetPreVtScale(), t.GetOldVtScale(), t.GetPreHzScale(), t.GetOldHzScale()};
    }
    SetAcquiredScales();
    for (int i = 0; i < kTraceCount; ++i) {
        CDSOWaveform& t = trace[i];
        t.SetOldVtScale(StoredOr(stored[i].oldVt, t.GetOldVtScale()));
        t.SetOldHzScale(StoredOr(stored[i].oldHz, t.GetOldHzScale()));
        t.SetPreVtScale(StoredOr(stored[i].preVt, t.GetOldVtScale() / static_cast<double>(t.GetVtRatio())));
        t.SetPreHzScale(StoredOr(stored[i].preHz, t.GetOldHzScale() / static_cast<double>(t.GetHzRatio())));
    }
    savedColorMode = colorMode;
    ApplyColorMode(colorMode);
}

int CYTSheetData::PivotY(int index) const {
    const CDSOWaveform& t = trace[index];
    return static_cast<int>(std::lround(t.DisplayPoint(QPointF(t.GetPivot())).y()));
}

int CYTSheetData::FocusedTrace() const {
    for (int i = 0; i < kTraceCount; ++i)
        if (trace[i].GetWfmFocus()) return i;
    return kTraceCH1;
}
