#include "analysis/FftPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(SpectrumPlot, ColumnPatternPlacesExactly1024Bins) {
    const auto bins = SpectrumColumnBins();
    EXPECT_EQ(bins[0], 0);
    EXPECT_EQ(bins[3], 1);
    EXPECT_EQ(bins[9], 3);
    EXPECT_EQ(bins[1], -1);
    EXPECT_EQ(bins[90], 36); // tens digit 9: every even column
    EXPECT_EQ(bins[92], 37);
    EXPECT_EQ(bins[91], -1);
    EXPECT_EQ(bins[100], 41);
    EXPECT_EQ(bins[2496], 1023);
    EXPECT_EQ(bins[2497], -1);
    EXPECT_EQ(bins[2498], -1);
    EXPECT_EQ(bins[2499], -1);
    EXPECT_EQ(std::count_if(bins.begin(), bins.end(), [](std::int16_t b) { return b >= 0; }), kSpectrumBins);
    for (int hundred = 0; hundred < 24; ++hundred)
        EXPECT_EQ(std::count_if(bins.begin() + hundred * 100, bins.begin() + hundred * 100 + 100,
                                [](std::int16_t b) { return b >= 0; }),
                  41);
    EXPECT_FALSE(SpectrumColumnHasBin(-3));
    EXPECT_FALSE(SpectrumColumnHasBin(2500));
}

TEST(SpectrumPlot, RowMapping) {
    EXPECT_EQ(SpectrumRow(40, 40, 10), 100);
    EXPECT_EQ(SpectrumRow(80, 40, 10), 0);
    EXPECT_EQ(SpectrumRow(-20, 40, 10), 200); // held at 40 dB below the centre
    EXPECT_EQ(SpectrumRow(0, 40, 10), 200);
    EXPECT_EQ(SpectrumRow(41, 40, 10), 98); // 25 / 10 toward zero
    EXPECT_EQ(SpectrumRow(39, 40, 10), 102);
    EXPECT_EQ(SpectrumRow(1, 0, 3), 92);
    EXPECT_EQ(SpectrumRow(-1, 0, 3), 108);
    EXPECT_EQ(SpectrumRow(500, 40, 10), 0);
    EXPECT_EQ(SpectrumRow(41, 40, 0), 75); // 0 dB per division counts as 1
    EXPECT_EQ(SpectrumRow(INT32_MAX, INT32_MIN, 1), 0);
    EXPECT_EQ(SpectrumRow(INT32_MIN, INT32_MAX, -5), 200);

    std::vector<std::int32_t> db(kSpectrumBins, -70);
    db[0] = 40;
    db[3] = 60;
    db[1023] = 50;
    const SpectrumPlot plot = SpectrumPlotRows(db, 40, 10);
    EXPECT_EQ(plot[0], 100);
    EXPECT_EQ(plot[9], 50);
    EXPECT_EQ(plot[2496], 75);
    EXPECT_EQ(plot[3], 200);
    EXPECT_EQ(plot[1], kSpectrumGap);
    EXPECT_EQ(plot[2498], kSpectrumGap);
    const SpectrumPlot partial = SpectrumPlotRows(std::span(db).first(2), 40, 10);
    EXPECT_EQ(partial[3], 200);
    EXPECT_EQ(partial[6], kSpectrumGap); // bin 2 missing
}

TEST(SpectrumPlot, LabelShortening) {
    EXPECT_EQ(ShortenScaleLabel("0.0000", "M"), "0M");
    EXPECT_EQ(ShortenScaleLabel("1.2500", "M"), "1.25M");
    EXPECT_EQ(ShortenScaleLabel("12.5000", "M"), "12.5M");
    EXPECT_EQ(ShortenScaleLabel("3.7520", "k"), "3.752k");
    EXPECT_EQ(ShortenScaleLabel("1.2345", "k"), "1.2345");
    EXPECT_EQ(ShortenScaleLabel("inf", "k"), "inf");
    EXPECT_EQ(ShortenScaleLabel("5.", "k"), "5.");
}

TEST(SpectrumPlot, AxisLabels) {
    const auto mega = SpectrumFrequencyLabels(10, 1.25e9f);
    EXPECT_EQ(mega[0], "0M");
    EXPECT_EQ(mega[1], "1.25M");
    EXPECT_EQ(mega[2], "2.5M");
    EXPECT_EQ(mega[3], "3.75M");
    EXPECT_EQ(mega[4], "5M");
    EXPECT_EQ(mega[10], "12.5M");

    // 250 Hz per division: the unit steps up at 1000 and stays up.
    const auto stepping = SpectrumFrequencyLabels(25, 250000.0f);
    EXPECT_EQ(stepping[3], "750 ");
    EXPECT_EQ(stepping[4], "1k");
    EXPECT_EQ(stepping[5], "1.25k");
    EXPECT_EQ(stepping[10], "2.5k");

    EXPECT_EQ(SpectrumFrequencyLabels(30, 250.0f)[2], "500m");    // millihertz
    EXPECT_EQ(SpectrumFrequencyLabels(25, 12500.0f)[1], "12.5 "); // hertz: blank unit
    EXPECT_EQ(SpectrumFrequencyLabels(15, 5e6f)[3], "15k");
    EXPECT_EQ(SpectrumFrequencyLabels(0, 2e15f)[1], "2000G"); // no unit above G

    const auto db = SpectrumDbLabels(40, 10);
    EXPECT_EQ(db[0], "0");
    EXPECT_EQ(db[4], "40");
    EXPECT_EQ(db[8], "80");
    EXPECT_EQ(SpectrumDbLabels(-10, 0)[0], "-14");
}
