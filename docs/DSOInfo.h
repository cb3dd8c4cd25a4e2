// CDSOInfo: the cursor read-out: the values the two cursors mark and their
// difference.
//
// ProcessInfo reads the cursors' drawn places (graph units, 200 units per
// division):
// - horizontal cursors: value = (y − vOffset) / 200 × vertical base, where
//   vOffset is the graph y of the channel's zero (its position × 8); the
//   vertical base is volts per division in mV, or decibels per division for
//   the spectrum (show flag 3);
// - vertical cursors: value = (x − (wndWidth / 2 + hOffset)) / 200 × horizontal
//   base, where hOffset moves the zero from the graph's centre; the base is
//   time per division in ns, or the frequency per division in mHz for the
//   spectrum. Vertical cursors also show 1/ΔT.
//
// File state after the shared header and the box: time base, volt base
// (float64), frequency base (64-bit), decibel base, show flag (32-bit), then the three
// values last computed (float64) and the cursor type they belong to (32-bit).
#pragma once

#include "docs/DSOTextBox.h"

class CDSOCursor;

class CDSOInfo : public CDSOTextBox {
public:
    enum SHOW_FLAG : int32_t { SHOW_CHANNEL = 0, SHOW_SPECTRUM = 3 };

    CDSOInfo();

    // Recomputes the values from the two cursors; see above.
    void ProcessInfo(const CDSOCursor& cursor1, const CDSOCursor& cursor2, int vOffset, int hOffset);
    void SetTimeBase(double nsPerDivision) { m_timeBase = nsPerDivision; }
    double GetTimeBase() const { return m_timeBase; }
    void SetVoltBase(double mvPerDivision) { m_voltBase = mvPerDivision; }
    double GetVoltBase() const { return m_voltBase; }
    void SetFqBase(int64_t mhzPerDivision) { m_fqBase = mhzPerDivision; }
    int64_t GetFqBase() const { return m_fqBase; }
    void SetDbBase(int32_t dbPerDivision) { m_dbBase = dbPerDivision; }
    int32_t GetDbBase() const { return m_dbBase; }
    void SetShowFlag(int32_t flag);
    int32_t GetShowFlag() const { return m_showFlag; }

    // Values of the last ProcessInfo in base units (V, s, Hz or dB).
    double GetValue1() const { return m_value1; }
    double GetValue2() const { return m_value2; }
    double GetDelta() const { return m_value2 - m_value1; }

    void DrawInfo(QPainter& painter);

    void Serialize(CArchive& ar) override;

protected:
    QStringList Lines() const override;

private:
    double m_timeBase = 1.0e6;
    double m_voltBase = 1000.0;
    int64_t m_fqBase = 1000;
    int32_t m_dbBase = 10;
    int32_t m_showFlag = SHOW_CHANNEL;
    double m_value1 = 0;
    double m_value2 = 0;
    int32_t m_cursorType = 0;
};

// Engineering text of a value in a base unit: 3 significant digits and a
// prefix from p to G ("1.50ms", "-20.0mV", "0V").
QString DSOFormatValue(double value, const QString& unit);
