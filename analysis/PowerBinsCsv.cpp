#include "analysis/PowerBinsCsv.h"

#include "analysis/FftTables.h"

#include <charconv>

namespace {

constexpr int kFrequencyDecimals = 3;

void AppendNumber(std::string& text, double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                      kFrequencyDecimals);
    text.append(buffer, result.ptr);
}

} // namespace

std::string SpectrumCsv(std::span<const std::int32_t> db, float freqPerDivisionMilliHz) {
    std::string text = "Frequency(Hz),Magnitude(dB)\n";
    const double binHz = 10.0 * static_cast<double>(freqPerDivisionMilliHz) / 1000.0 / kSpectrumBins;
    for (std::size_t k = 0; k < db.size(); ++k) {
        AppendNumber(text, static_cast<double>(k) * binHz);
        text += ',' + std::to_string(db[k]) + '\n';
    }
    return text;
}
