#include "ui/ZoomEntry.h"

#include <algorithm>

namespace {
constexpr double kEntryFactors[kZoomEntryCount] = {1.0, 2.0, 3.0, 5.0, 7.0, 10.0, 20.0};

bool IsPlainNumber(const QString& text)
{
    int digits = 0;
    int points = 0;
    for (QChar c : text) {
        if (c.isDigit() && c.unicode() < 128)
            ++digits;
        else if (c == QLatin1Char('.'))
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}
}  // namespace

QStringList ZoomEntryTexts()
{
    return {"25%", "50%", "75%", "100%", "150%", "200%", "400%"};
}

double ZoomFactorOfEntry(int index)
{
    return index >= 0 && index < kZoomEntryCount ? kEntryFactors[index] : 0.0;
}

std::optional<TypedZoom> ParseTypedZoom(const QString& typed)
{
    QString text = typed.trimmed();
    while (text.endsWith(QLatin1Char('%')))
        text.chop(1);
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    if (!IsPlainNumber(text))
        return std::nullopt;
    const double percent = std::clamp(text.toDouble(), kMinZoomPercent, kMaxZoomPercent);
    return TypedZoom{percent, QString::asprintf("%3.0f%%", percent), percent * 5.0 / 100.0};
}
