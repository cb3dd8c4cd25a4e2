// CMeasureData: what a measurement window shows and stores: the source
// channel, the record length it measures, the 25 value texts in grid order
// and the values behind them, and the frame rectangle kept in its file.
// The window's document owns one; CMesFile stores it; MeasureExport.h writes
// its ".txt" and ".csv" tables.
#pragma once

#include "docs/WaveformMeasure.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <string>

class CMeasureData {
public:
    // Largest sample copy a file may ask for: both channels of the deepest record.
    static constexpr int32_t kMaxSampleBuffer = 2 * 800000;

    int32_t source = 0;            // 0 CH1, 1 CH2
    int32_t points = 0;            // N, samples per record measured
    int32_t sampleBufferSize = 0;  // bytes of the window's own sample copy
    std::array<std::string, kMeasureItemCount> text;  // grid order, without "/us"
    tagMeasureValue value;         // the values of the texts (µV, ns, Hz, ratios)
    QRect frameRect;               // frame window placement

    // Takes a measurement's values and texts.
    void Apply(const MeasureResult& result);
    // Gives every item the text "?" and the value 0.
    void Clear();
    // After a file was read: the values come back from the texts (a file
    // holds only the texts), so the ".csv" export of a reopened window
    // prints what its grid shows.
    void ValuesFromTexts();
};

// The value, in the item's export unit, that a shown text stands for:
// "12.5 mv" gives 12500 (µV), "1.0000 kHz" 1000 (Hz), " 50 %" 0.5 (a ratio).
// "?", an empty text or one that is not a number gives 0.
float MeasureValueOfText(const MeasureItem& item, const std::string& text);
