// The acquisition update of a waveform sheet: how the records of the two
// channels and the acquisition parameters that came with them become the
// sheet's traces, block choice, scales, cursor read-out and math trace.
//
// Trace y of a sample (eighths of a count, 0 on the centre line): the record
// byte plus the channel's offset byte, modulo 256, read as a signed count,
// times 8; three byte values are markers instead of samples (TraceY).
#pragma once

#include "corvane/AcquisitionSnapshot.h"
#include "docs/YTSheetData.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// The record bytes and shared values one update reads. Pointers may be null
// when the buffers are not committed; length is how many bytes each holds.
struct SheetAcquisition {
    const tagWaveformParam* wfm = nullptr;
    const uint8_t* ch1 = nullptr;
    const uint8_t* ch2 = nullptr;
    size_t length = 0;
    int32_t ch1Dex = 0;               // g_CH1DexY: added to each CH1 byte modulo 256
    int32_t ch2Dex = 0;               // g_CH2DexY
    int32_t mathDex = 0;              // g_MthDexY: added to the math sum as a count
    const int32_t* show = nullptr;    // g_wfmShow, three elements
    int32_t recordLength = 0;         // waveDataLen: samples per trace
    uint8_t* mathOut = nullptr;       // ADBufferMath: receives the spectrum column codes
    size_t mathOutLength = 0;
};

// What the child frame's scale selectors show after an update.
struct SheetSelectorState {
    int channel = -1;            // trace whose block is enabled (kTraceCH1 …), -1 none
    bool spectrum = false;       // frequency and decibel domain
    int32_t probe = 1;           // probe factor for the vertical texts
    int32_t verticalIndex = 0;   // vertical selector position
    int32_t horizontalIndex = 0; // horizontal selector position
    double customVertical = 0;   // µV per division of the custom position
};

struct SheetUpdateResult {
    int ok = 1;                  // 0 when memory ran out; the traces keep what they got
    QString message;             // for the user when ok is 0
    SheetSelectorState selectors;
    bool spectrumCodes = false;  // the spectrum column codes went to mathOut
};

// Marker values of a trace y.
inline constexpr int kClipMarkerY = 1024;   // bottom clip marker (0x80), sign by the inverted flag
inline constexpr int kNoDataTraceY = -1550; // 0x81, and 0xFF in scan mode

// Entries of the frequency selector (CalcFqBase of 1 … 31).
inline constexpr int kFrequencyScaleEntries = 31;

// Columns of the spectrum math trace and the gap code of a column without a value.
inline constexpr int kSpectrumTraceColumns = 2500;
inline constexpr uint8_t kSpectrumGapCode = 254;

// Trace y of a record byte after the offset was added: s × 8 for the signed
// count s, the clip marker ±1024 for 0x80 (negative unless inverted), -1550 for
// 0x81, and for 0xFF -1550 in scan mode, else -8.
int TraceY(uint8_t raw, bool inverted, bool scanMode);

// Whether display column k of the spectrum trace carries a decibel value
// (41 of each 100 columns, less column 2498: 1024 in all).
bool SpectrumColumnCarriesValue(int column);

// The 2500 column codes of 1024 decibel values: each carrying column takes
// the next value as row 100 − (max(v − reference, −40) × 20) / (2 × dB per
// division), clamped to 0 … 200; every other column holds the gap code. A dB
// per division below 1 counts as 1.
std::array<uint8_t, kSpectrumTraceColumns> SpectrumColumnCodes(const std::array<int32_t, 1024>& db,
                                                               int32_t referenceDb, int32_t dbPerDivision);

// Recomputes the cursor read-out from the two cursors for the trace whose
// block is enabled, from where its zero is drawn now: its pivot line and its
// trigger mark, or for the spectrum its reference level and frequency 0.
void RefreshCursorReadout(CYTSheetData& sheet);
// The cursor read-out's bases from the enabled trace's current scales: time
// per division (ns) and volts per division (mV), or for the spectrum trace the
// frequency per division (mHz), decibels per division and reference level.
void RefreshReadoutBases(CYTSheetData& sheet);

// What the frame's scale selectors show for the sheet: the domain of the
// trace whose block is enabled and the entries of the scales it is shown at
// (after an update, the acquired ones; after a file was read, the chosen ones).
SheetSelectorState SheetSelectors(const CYTSheetData& sheet);

// Runs the update on the sheet with the given record bytes (the caller holds
// whatever lock guards them).
SheetUpdateResult ApplyAcquisition(CYTSheetData& sheet, const SheetAcquisition& in);

// Runs the update on an acquisition snapshot, outside g_csLock; the spectrum
// column codes of an FFT math trace are then copied to ADBufferMath under it.
SheetUpdateResult UpdateFromSnapshot(CYTSheetData& sheet, const tagAcquisitionSnapshot& snapshot);
