#include "settings/ValueTexts.h"

#include <cstdio>

#include "corvane/ScaleConversion.h"

namespace {
constexpr int64_t kExtUvPerCount = 8000;
constexpr int64_t kExt5UvPerCount = 40000;

int64_t ExternalStep(int source)
{
    return source == kSourceExt5 ? kExt5UvPerCount : kExtUvPerCount;
}

bool IsChannel(int source)
{
    return source == kSourceCH1 || source == kSourceCH2;
}
}  // namespace

std::string VoltText(int64_t microvolts)
{
    float kilovolts = static_cast<float>(static_cast<double>(microvolts) / 1e9);
    std::string text;
    DataAnalyse(kilovolts, 3, text, 0, -1);
    return text;
}

std::string TimeText(int64_t picoseconds)
{
    float seconds = static_cast<float>(static_cast<double>(picoseconds) / 1e12);
    std::string text;
    DataAnalyse(seconds, 4, text, 0, -1);
    return text;
}

std::string DivisionText(int64_t counts)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0.2f", static_cast<double>(counts) / 25.0);
    return text;
}

std::string FrequencyText(int64_t hertz)
{
    return std::to_string(hertz) + " Hz";
}

int64_t LevelToCounts(int64_t levelUv, int source, int64_t voltsPerDivUv, int64_t positionCounts)
{
    if (!IsChannel(source))
        return levelUv / ExternalStep(source);
    if (voltsPerDivUv <= 0)
        return positionCounts;
    return positionCounts + corvane::round(static_cast<double>(levelUv) * 25.0 / static_cast<double>(voltsPerDivUv));
}

int64_t CountsToLevelUv(int64_t counts, int source, int64_t voltsPerDivUv, int64_t positionCounts)
{
    if (!IsChannel(source))
        return counts * ExternalStep(source);
    return (counts - positionCounts) * voltsPerDivUv / 25;
}
