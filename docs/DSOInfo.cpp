#include "docs/DSOInfo.h"

#include "corvane/SharedState.h"
#include "docs/DSOCursor.h"

#include <algorithm>
#include <cmath>

QString DSOFormatValue(double value, const QString& unit) {
    if (!std::isfinite(value)) return QStringLiteral("---");
    if (value == 0) return QStringLiteral("0") + unit;
    static const char* const kPrefixes[] = {"p", "n", "u", "m", "", "k", "M", "G"};
    int exponent = static_cast<int>(std::floor(std::log10(std::abs(value)) / 3.0)) * 3;
    exponent = std::clamp(exponent, -12, 9);
    double scaled = value / std::pow(10.0, exponent);
    // Rounding to three digits may carry into the next prefix (999.7 → 1.00k).
    if (std::abs(scaled) >= 999.5 && exponent < 9) {
        exponent += 3;
        scaled /= 1000.0;
    }
    const double magnitude = std::abs(scaled);
    const int decimals = magnitude >= 100 ? 0 : magnitude >= 10 ? 1 : 2;
    return QString::number(scaled, 'f', decimals) + kPrefixes[(exponent + 12) / 3] + unit;
}

CDSOInfo::CDSOInfo() : CDSOTextBox(QPointF(20, 780)) {}

void CDSOInfo::SetShowFlag(int32_t flag) {
    if (flag >= 0 && flag <= 4) m_showFlag = flag;
}

void CDSOInfo::ProcessInfo(const CDSOCursor& cursor1, const CDSOCursor& cursor2, int vOffset, int hOffset) {
    m_cursorType = cursor1.GetCursorType();
    const bool spectrum = m_showFlag == SHOW_SPECTRUM;
    const double zeroX = wndWidth / 2.0 + hOffset;
    auto value = [&](QPoint at) {
        if (m_cursorType == CDSOCursor::CURSOR_HORIZONTAL) {
            if (spectrum) return m_dbReference + (at.y() - vOffset) / kSpectrumDbDivisionUnits * m_dbBase;
            return (at.y() - vOffset) / kDivisionUnits * m_voltBase * 1.0e-3;
        }
        if (spectrum) return (at.x() - zeroX) / (double(wndWidth) / kSpectrumFqDivisions) * (m_fqBase * 1.0e-3);
        return (at.x() - zeroX) / kDivisionUnits * m_timeBase * 1.0e-9;
    };
    m_value1 = value(cursor1.GetDrawPos());
    m_value2 = value(cursor2.GetDrawPos());
}

QStringList CDSOInfo::Lines() const {
    const bool spectrum = m_showFlag == SHOW_SPECTRUM;
    if (m_cursorType == CDSOCursor::CURSOR_HORIZONTAL) {
        const QString unit = spectrum ? QStringLiteral("dB") : QStringLiteral("V");
        if (spectrum)
            return {QStringLiteral("dB1: %1dB").arg(m_value1, 0, 'f', 2),
                    QStringLiteral("dB2: %1dB").arg(m_value2, 0, 'f', 2),
                    QStringLiteral("\u0394dB: %1dB").arg(GetDelta(), 0, 'f', 2)};
        return {"V1: " + DSOFormatValue(m_value1, unit), "V2: " + DSOFormatValue(m_value2, unit),
                "\u0394V: " + DSOFormatValue(GetDelta(), unit)};
    }
    if (m_cursorType == CDSOCursor::CURSOR_VERTICAL) {
        if (spectrum)
            return {"F1: " + DSOFormatValue(m_value1, "Hz"), "F2: " + DSOFormatValue(m_value2, "Hz"),
                    "\u0394F: " + DSOFormatValue(GetDelta(), "Hz")};
        const double delta = GetDelta();
        return {"T1: " + DSOFormatValue(m_value1, "s"), "T2: " + DSOFormatValue(m_value2, "s"),
                "\u0394T: " + DSOFormatValue(delta, "s"),
                "1/\u0394T: " + (delta != 0 ? DSOFormatValue(1.0 / std::abs(delta), "Hz") : QStringLiteral("---"))};
    }
    return {};
}

void CDSOInfo::DrawInfo(QPainter& painter) { DrawLines(painter); }

void CDSOInfo::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOInfo")) return;
    SerializeBox(ar);
    TransferFinite(ar, m_timeBase);
    TransferFinite(ar, m_voltBase);
    ar.Transfer(m_fqBase);
    ar.Transfer(m_dbBase);
    TransferRanged(ar, m_showFlag, 0, 4);
    TransferFinite(ar, m_value1);
    TransferFinite(ar, m_value2);
    TransferRanged(ar, m_cursorType, CDSOCursor::CURSOR_NONE, CDSOCursor::CURSOR_VERTICAL);
}
