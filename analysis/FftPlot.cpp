#include "analysis/FftPlot.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kUnitCount = 5;
const char* const kUnitLetters[kUnitCount] = {"m", " ", "k", "M", "G"};

int EffectiveDbPerDivision(int dbPerDivision) {
    return dbPerDivision > 0 ? dbPerDivision : 1;
}

// Power of ten dividing the frequency per division, and the unit it leaves.
struct FrequencyUnit {
    double divisor;
    int unit;
};

FrequencyUnit UnitForTimeBase(int timeBaseIndex) {
    if (timeBaseIndex <= 1) return {1e12, 4};
    if (timeBaseIndex <= 10) return {1e9, 3};
    if (timeBaseIndex <= 19) return {1e6, 2};
    if (timeBaseIndex <= 28) return {1e3, 1};
    return {1.0, 0};
}

std::string Printed(const char* format, double value) {
    char text[80];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

bool SpectrumColumnHasBin(int column) {
    if (column < 0 || column >= kSpectrumColumns || column == kSpectrumColumns - 2) return false;
    const int units = column % 10;
    if ((column / 10) % 10 == 9) return units % 2 == 0;
    return units % 3 == 0;
}

std::array<std::int16_t, kSpectrumColumns> SpectrumColumnBins() {
    std::array<std::int16_t, kSpectrumColumns> bins{};
    std::int16_t next = 0;
    for (int column = 0; column < kSpectrumColumns; ++column)
        bins[column] = SpectrumColumnHasBin(column) ? next++ : std::int16_t{-1};
    return bins;
}

int SpectrumRow(std::int32_t db, int dbCentre, int dbPerDivision) {
    const std::int64_t d = std::max<std::int64_t>(std::int64_t{db} - dbCentre, kSpectrumFloorDb);
    const std::int64_t row =
        kSpectrumCentreRow - d * kSpectrumRowsPerDivision / EffectiveDbPerDivision(dbPerDivision);
    return static_cast<int>(std::clamp<std::int64_t>(row, 0, kSpectrumRows));
}

SpectrumPlot SpectrumPlotRows(std::span<const std::int32_t> db, int dbCentre, int dbPerDivision) {
    SpectrumPlot plot;
    const auto bins = SpectrumColumnBins();
    for (int column = 0; column < kSpectrumColumns; ++column) {
        const int bin = bins[column];
        plot[column] = bin >= 0 && static_cast<std::size_t>(bin) < db.size()
                           ? static_cast<std::uint8_t>(SpectrumRow(db[bin], dbCentre, dbPerDivision))
                           : kSpectrumGap;
    }
    return plot;
}

std::string ShortenScaleLabel(const std::string& printed, const std::string& unit) {
    const std::size_t point = printed.find('.');
    if (point == std::string::npos) return printed;
    for (std::size_t place = 1; place <= 4 && point + place < printed.size(); ++place) {
        if (printed[point + place] != '0') continue;
        // A zero right after the point drops the point as well.
        return printed.substr(0, place == 1 ? point : point + place) + unit;
    }
    return printed;
}

std::array<std::string, kSpectrumFrequencyLines> SpectrumFrequencyLabels(int timeBaseIndex,
                                                                         float freqPerDivision) {
    auto [divisor, unit] = UnitForTimeBase(timeBaseIndex);
    double step = static_cast<double>(freqPerDivision) / divisor;
    std::array<std::string, kSpectrumFrequencyLines> labels;
    for (int i = 0; i < kSpectrumFrequencyLines; ++i) {
        if (i * step >= 1000 && unit + 1 < kUnitCount) {
            step /= 1000;
            ++unit;
        }
        labels[i] = ShortenScaleLabel(Printed("%3.4f", i * step), kUnitLetters[unit]);
    }
    return labels;
}

std::array<std::string, kSpectrumDbLines> SpectrumDbLabels(int dbCentre, int dbPerDivision) {
    const int perDivision = EffectiveDbPerDivision(dbPerDivision);
    std::array<std::string, kSpectrumDbLines> labels;
    for (int i = 0; i < kSpectrumDbLines; ++i) {
        const long long value = dbCentre + static_cast<long long>(i - 4) * perDivision;
        labels[i] = std::to_string(value);
    }
    return labels;
}
