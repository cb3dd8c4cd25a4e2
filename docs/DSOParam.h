// CDSOParam: the scale read-out: model name, then one line per shown trace
// with its volts per division and time per division, or the spectrum's
// decibels per division and frequency, or the two channels' scales in X-Y.
//
// File state after the shared header and the box: show flag, line count,
// model number, three shown flags (32-bit), then the texts as counted UTF-8:
// CH1 and CH2 volt scale, CH1 and CH2 time scale, X and Y scale, decibel
// scale, frequency.
#pragma once

#include "docs/DSOTextBox.h"

class CDSOParam : public CDSOTextBox {
public:
    enum SHOW_FLAG : int32_t { SHOW_YT = 0, SHOW_SPECTRUM = 3, SHOW_XY = 4 };

    CDSOParam();

    // channel 0 CH1, 1 CH2; other channels are ignored.
    void SetVoltScale(int channel, const QString& text);
    void SetTimeScale(int channel, const QString& text);
    void SetXyScale(const QString& xText, const QString& yText);
    void SetDbScale(const QString& text) { m_dbScale = text; }
    void SetFrequency(const QString& text) { m_frequency = text; }
    // How many trace lines to show (0 … 3).
    void SetParamCount(int32_t count);
    int32_t GetParamCount() const { return m_count; }
    void SetParamShow(int32_t ch1, int32_t ch2, int32_t math);
    void SetShowFlag(int32_t flag);
    int32_t GetShowFlag() const { return m_showFlag; }
    // Model number (index into g_Machinetype); out of range shows no name.
    void SetBrand(int32_t model) { m_brand = model; }
    int32_t GetBrand() const { return m_brand; }

    void DrawInfo(QPainter& painter);

    void Serialize(CArchive& ar) override;

protected:
    QStringList Lines() const override;

private:
    int32_t m_showFlag = SHOW_YT;
    int32_t m_count = 2;
    int32_t m_brand = -1;
    int32_t m_show[3] = {1, 1, 0};
    QString m_voltScale[2];
    QString m_timeScale[2];
    QString m_xScale;
    QString m_yScale;
    QString m_dbScale;
    QString m_frequency;
};
