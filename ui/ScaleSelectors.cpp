#include "ui/ScaleSelectors.h"

#include "corvane/ScaleConversion.h"

namespace {
// Three significant digits and the largest unit that keeps the value below
// 1000: 4 → "4.00ns", 200 → "200ns", 2000 → "2.00us".
QString TimeText(double ns)
{
    static const char* const units[] = {"ns", "us", "ms", "s"};
    int unit = 0;
    while (ns >= 1000.0 && unit < 3) {
        ns /= 1000.0;
        ++unit;
    }
    const int decimals = ns < 10.0 ? 2 : ns < 100.0 ? 1 : 0;
    return QString::number(ns, 'f', decimals) + QLatin1String(units[unit]);
}
}  // namespace

QStringList HorizontalScaleTexts()
{
    QStringList texts;
    for (int i = 0; i < kHorizontalScaleEntries; ++i)
        texts << TimeText(static_cast<double>(CalcTimeBase(i + 1)));
    return texts;
}

QStringList VerticalScaleTexts()
{
    return {"20.0mv", "50.0mv", "100.0mv", "200.0mv", "500.0mv", "1.00v",
            "2.00v",  "5.00v",  "10.0v",   "20.0v",   "50.0v",   ""};
}

double HorizontalScaleOf(int index, ScaleDomain domain)
{
    return static_cast<double>(domain == ScaleDomain::TimeVoltage ? CalcTimeBase(index + 1) : CalcFqBase(index + 1));
}

double VerticalScaleOf(int index, ScaleDomain domain, int probe, double customScale)
{
    if (domain == ScaleDomain::FrequencyDecibel)
        return CalcDbBase(index + 1);
    if (index == kCustomVerticalEntry)
        return customScale;
    return static_cast<double>(CalcVoltBase(index + 1, probe)) * 1000.0;
}
