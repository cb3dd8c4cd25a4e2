// The measurement engine of the measurement window: 25 automatic
// measurements of one channel record, as values (tagMeasureValue slots) and
// as the texts the window's grid shows.
//
// A pure function of the record bytes and four scale values; it reads no
// shared state. Units of the values: voltages in µV, times in ns, the
// frequency in Hz, the duties and the over/preshoot as ratios, the slew rate
// in µV/µs.
//
// Cost: four vector passes over the record (the first gives the extremes and
// the sums; together they narrow the 5 % and 95 % ranks to their exact counts
// by counting the samples below a few thresholds each, no sort), a scan for
// the crossings of the mid level that stops once it has those the period and
// the edges need, and edge searches that stop at the first crossing that has
// an edge. Deep records (800000 samples) stay linear: about six plain copies
// of the record.
#pragma once

#include "corvane/SharedState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Items in the grid's order; item k is named by MesItem[k].
inline constexpr int kMeasureItemCount = 25;

// How an item's value becomes its text and its unit in the ".csv" export.
enum MeasureDisplay : int {
    kShowVoltage = 3,    // DataAnalyse, 3 digits, volts
    kShowTime = 4,       // DataAnalyse, 4 digits, seconds
    kShowFrequency = 5,  // DataAnalyse, 5 digits, hertz
    kShowPercent0 = 6,   // "%3.0f %" of ratio × 100
    kShowPercent2 = 7,   // "%3.2f %" of ratio × 100
};

struct MeasureItem {
    MEASURE_SLOT slot;
    const char* unit;  // unit of the ".csv" export
    MeasureDisplay display;
};

// The 25 items in grid order (Frequency, Period, Vavg, ... Slew rate).
extern const std::array<MeasureItem, kMeasureItemCount> kMeasureItems;
// Grid position of the slew rate, whose shown text gets "/us" appended.
inline constexpr int kSlewRateItem = 24;

// One channel record and its scales.
struct MeasureInput {
    const uint8_t* samples = nullptr;  // one signed count per byte (SampleReading.h)
    size_t count = 0;                  // N
    int position = 0;                  // vertical position p, counts
    double voltsPerDiv = 0;            // D, µV per division
    double timePerDiv = 0;             // T, ns per division
    int samplesPerDiv = 200;           // WaveDots
    bool scan = false;                 // the acquisition state is "Scan"
};

struct MeasureResult {
    int ok = 0;                        // 0: the input could not be measured; texts are "?"
    tagMeasureValue value;
    std::array<std::string, kMeasureItemCount> text;  // in grid order, without "/us"
};

// Measures one record. In scan state, and for an empty record or unusable
// scales (ok 0), every text is "?" and every value 0.
MeasureResult MeasureWaveform(const MeasureInput& in);

// The text a grid cell shows for item k: the slew rate gets "/us" appended
// unless its text starts with "?".
std::string ShownMeasureText(int item, const std::string& text);
