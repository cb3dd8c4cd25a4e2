// CTabularData: what a data table window shows and stores, and the table
// update that fills one page of it from the channel records.
//
// Modes: 0 CH1 and 1 CH2 list (time, voltage) per sample, 3200 rows a page;
// 2 lists the spectrum of the FFT source channel, (frequency, level) for
// its 1024 bins, whatever the page.
//   time x (ns) of sample k = k × T ÷ dots + (T × 1000 × h ÷ 40) ÷ 1000 − 8 × T
//     with T the table time base (ns per division), h the horizontal
//     position, dots the samples per division: 0 at the trigger;
//   voltage y (µV) = s[k] × D ÷ 25, the vertical position not subtracted;
//   frequency x (Hz) of bin k = k × 10 × F ÷ 1024, F the FFT frequency base
//     (Hz per division);
//   level y (dB) = v[k] − reference level, at least −40.
// The pairs of a page are stored at their absolute sample index (base + i),
// the spectrum's at their bin. Row texts: the time or frequency through
// DataAnalyse (4 or 5 digits), the voltage through DataAnalyse (3 digits),
// the level as "%.1f dB".
#pragma once

#include "corvane/SharedState.h"

#include <QRect>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum TabularMode : int32_t { kTableCH1 = 0, kTableCH2 = 1, kTableSpectrum = 2 };

inline constexpr int32_t kTableRowsPerPage = 3200;
inline constexpr int32_t kTableSpectrumRows = 1024;
inline constexpr float kLevelFloorDb = -40.0f;

// What one table update reads. Pointers may be null while nothing is committed.
struct TabularInput {
    const tagWaveformParam* wfm = nullptr;
    const uint8_t* ch1 = nullptr;
    const uint8_t* ch2 = nullptr;
    size_t length = 0;              // bytes each record holds
    int32_t recordLength = 3200;    // waveDataLen
    int32_t samplesPerDiv = 200;    // WaveDots
};

class CTabularData {
public:
    // Largest rows per page and point capacity a file may hold.
    static constexpr int32_t kMaxRows = 800000;

    int32_t mode = kTableCH1;
    int32_t rowsPerPage = kTableRowsPerPage;  // R, g_AcquireItemNum
    int32_t pageCount = 1;
    int32_t currentPage = 1;                  // 1-based
    std::vector<std::array<std::string, 2>> cells;  // R rows: column 1 and column 2 texts
    std::vector<tagAcquireData> points;             // point list, count = size()
    uint32_t capacity = 0;                          // point capacity
    QRect frameRect;

    // A new table for records of recordLength samples.
    explicit CTabularData(int32_t recordLength = 3200);

    // Pages needed for records of recordLength samples: ⌈length ÷ R⌉, at least 1.
    int32_t PagesFor(int32_t recordLength) const;
    // The first sample index of the current page (0 in spectrum mode).
    size_t PageBase() const;
    // Rows of the current page that hold values: the leading rows whose
    // column 1 is not empty.
    int32_t FilledRows() const;
    // Column 0 text of a row: its sample number on the record (1-based).
    std::string RowNumber(int32_t row) const;
    // Empties the texts of every row (the frame's clear values).
    void ClearValues();
};

// Recomputes the current page from the records (the table update and the
// frame's show page). Rows past the page's end are emptied. writeTexts false
// (while printing) leaves the texts alone and only stores the points.
// Returns the number of rows computed; 0 when the source record is missing.
int32_t UpdateTable(CTabularData& table, const TabularInput& in, bool writeTexts = true);
