// CYTSheetData: everything a waveform sheet shows and stores: the drawing
// objects, the copy of the acquisition parameters taken with the last record,
// and the sheet's display state. The sheet's widget owns one and paints it;
// the ".wfm" file (CWfmFile) stores and restores it; the acquisition update
// (YTSheetUpdate.h) refills it from the shared sample buffers.
//
// Coordinates: trace points, pivots, cursor places and block centres are in
// graph units (x 0 … wndWidth, y in eighths of a sample count, 0 on the
// centre line, positive upward); see docs/DSOMapping.h.
#pragma once

#include "corvane/SharedState.h"
#include "docs/DSOCursor.h"
#include "docs/DSOGraticule.h"
#include "docs/DSOInfo.h"
#include "docs/DSOMoveBlock.h"
#include "docs/DSOMoveRail.h"
#include "docs/DSOParam.h"
#include "docs/DSOWaveform.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>

// Index of a trace, its moving block and its channel.
enum SheetTrace : int { kTraceCH1 = 0, kTraceCH2 = 1, kTraceMath = 2, kTraceCount = 3 };

// Math operations of the acquisition parameters.
enum SheetMathOperation : int32_t { kMathAdd = 0, kMathCH1MinusCH2 = 1, kMathCH2MinusCH1 = 2, kMathFFT = 3 };

// Display formats of the acquisition parameters (2 is Y-T as well).
enum SheetDisplayFormat : int32_t { kFormatYT = 0, kFormatXY = 1, kFormatYT2 = 2 };

// The scale-selector index that stands for "take the stored volts per division".
inline constexpr int32_t kCustomScaleIndex = 11;

// The stored path of a sheet that was never saved or opened.
inline const QString kNeverSavedPath = QStringLiteral(" ");

// Trace and block colours before the user picks others (0x00BBGGRR).
inline constexpr DSOColor kDefaultTraceColor[kTraceCount] = {0x00FFFF, 0xFFFF00, 0xFF8080};

class CYTSheetData {
public:
    // The initial state of a new sheet: cursors at their start places, block 1
    // enabled, trace 1 focused, each trace's store reserved for waveDataLen
    // points, and the acquisition parameters copied from g_wfmParam (under
    // g_csLock).
    CYTSheetData();
    CYTSheetData(const CYTSheetData&) = delete;
    CYTSheetData& operator=(const CYTSheetData&) = delete;

    // --- drawing objects ---
    CDSOCursor cursor[2];
    CDSOInfo cursorInfo;   // cursor read-out
    CDSOParam scaleInfo;   // scale read-out
    CDSOMoveBlock block[kTraceCount];
    CDSOMoveRail rail;
    CDSOWaveform trace[kTraceCount];
    CDSOGraticule graticule;

    // --- acquisition parameters of the record shown ---
    tagWaveformParam wfm;

    // --- display state ---
    int32_t colorMode = COLOR_MODE_RGB;       // what the screen shows now
    int32_t savedColorMode = COLOR_MODE_RGB;  // the user's choice, restored after printing
    int32_t printBlackWhite = 1;              // print on white in black and white
    float zoom = 5.0f;                        // 5.0 shows 100 %
    QPoint centre;                            // view centre, device pixels of the whole picture
    QString filePath = kNeverSavedPath;       // " " until the sheet is opened from a file
    int32_t pointsPerTrace = 0;               // samples per channel trace
    float xStep = 0.0f;                       // graph units between two samples
    int32_t online = 0;                       // 1 while the sheet takes live records
    int32_t showTrigger = 1;                  // trigger marks shown (outside scan mode)
    bool scaleInfoDrawn = false;              // the last paint drew the scale read-out
    QFont textFont;                           // read-out font, height in logical units

    // --- window placement kept in the file ---
    QPoint scrollPos;
    QRect clientRect;
    QRect frameRect;
    int32_t showState = 1;

    // Applies a colour mode to graticule, traces, rail and blocks.
    void ApplyColorMode(int32_t mode);
    // Index of the enabled block (kTraceCH1 …), or -1 when none is.
    int EnabledBlock() const;
    // Enables one block, disables the others and gives the rail its id and colour.
    void EnableBlock(int index);
    // The rail takes the enabled block's colour.
    void ColorRailFromEnabledBlock();
    // A trace draws: it is visible, its shown flag is set and the shared
    // g_wfmShow element for it is non-zero (showFlags is that array).
    bool TraceDrawn(int index, const int32_t* showFlags) const;
    // Shown flag of the acquisition parameters for a trace.
    int32_t ShownFlag(int index) const;
    // The channel's volts per division index, kCustomScaleIndex when the
    // scale override is set.
    int32_t VoltIndex(int channel) const;
    // Probe factor of a channel (at least 1).
    int32_t Probe(int channel) const;
    // Volts per division of a channel in µV: the scale of its index, or the
    // stored value for kCustomScaleIndex.
    double VoltScaleUv(int channel) const;
    // Time per division in ns of the horizontal scale index.
    double TimeScaleNs() const;
    // The spectrum's frequency per division in mHz, the unit of CalcFqBase
    // and of the traces' horizontal scales (the acquisition parameters hold
    // it in Hz).
    double SpectrumFqScaleMhz() const;
    // Sets each trace's previous and old scales to the acquired ones (µV and
    // ns; decibels and mHz for the spectrum trace).
    void SetAcquiredScales();
    // After a file was read: each trace gets the acquisition state text and
    // keeps the old (acquired) and previous (shown) scales stored with it, so
    // that the file is written back as it was read; a scale stored as 0 (or
    // not finite) is derived, the old one from the acquisition parameters of
    // the file, the previous one from the old one over the trace's ratio; the
    // shown flags that the file does not carry are taken from the traces,
    // the horizontal scale index from the time-base index; the colour mode
    // is applied.
    void DeriveDisplayState();
    // The graph y of a trace's zero level (its pivot as displayed).
    int PivotY(int index) const;
    // Index of the trace with the focus (the rail follows it).
    int FocusedTrace() const;
    // The first trace whose block is enabled, or -1.
    int SelectedTrace() const { return EnabledBlock(); }
    // The frame's scale selectors apply to this sheet as shown: not in X-Y.
    bool ScaleSelectorsApply() const { return wfm.nDisplayFormat != kFormatXY; }
};
