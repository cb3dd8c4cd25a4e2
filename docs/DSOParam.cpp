#include "docs/DSOParam.h"

#include "corvane/SharedState.h"

CDSOParam::CDSOParam() : CDSOTextBox(QPointF(20, -600)) {}

void CDSOParam::SetVoltScale(int channel, const QString& text) {
    if (channel == 0 || channel == 1) m_voltScale[channel] = text;
}

void CDSOParam::SetTimeScale(int channel, const QString& text) {
    if (channel == 0 || channel == 1) m_timeScale[channel] = text;
}

void CDSOParam::SetXyScale(const QString& xText, const QString& yText) {
    m_xScale = xText;
    m_yScale = yText;
}

void CDSOParam::SetParamCount(int32_t count) {
    if (count >= 0 && count <= 3) m_count = count;
}

void CDSOParam::SetParamShow(int32_t ch1, int32_t ch2, int32_t math) {
    m_show[0] = ch1 ? 1 : 0;
    m_show[1] = ch2 ? 1 : 0;
    m_show[2] = math ? 1 : 0;
}

void CDSOParam::SetShowFlag(int32_t flag) {
    if (flag >= 0 && flag <= SHOW_XY) m_showFlag = flag;
}

QStringList CDSOParam::Lines() const {
    QStringList lines;
    if (m_brand >= 0 && m_brand < kMachineTypeCount && g_Machinetype[m_brand])
        lines << QString::fromUtf8(g_Machinetype[m_brand]);
    if (m_showFlag == SHOW_XY) {
        lines << QStringLiteral("X: CH1 %1").arg(m_xScale) << QStringLiteral("Y: CH2 %1").arg(m_yScale);
        return lines;
    }
    if (m_showFlag == SHOW_SPECTRUM) {
        lines << QStringLiteral("Math %1  %2").arg(m_dbScale, m_frequency);
        return lines;
    }
    int shown = 0;
    for (int ch = 0; ch < 2 && shown < m_count; ++ch) {
        if (!m_show[ch]) continue;
        lines << QStringLiteral("CH%1 %2  %3").arg(ch + 1).arg(m_voltScale[ch], m_timeScale[ch]);
        ++shown;
    }
    return lines;
}

void CDSOParam::DrawInfo(QPainter& painter) { DrawLines(painter); }

void CDSOParam::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOParam")) return;
    SerializeBox(ar);
    TransferRanged(ar, m_showFlag, 0, SHOW_XY);
    TransferRanged(ar, m_count, 0, 3);
    ar.Transfer(m_brand);
    for (int32_t& shown : m_show) TransferRanged(ar, shown, 0, 1);
    for (QString* text : {&m_voltScale[0], &m_voltScale[1], &m_timeScale[0], &m_timeScale[1], &m_xScale,
                          &m_yScale, &m_dbScale, &m_frequency})
        ar.Transfer(*text);
}
