// CDSOInfo: the cursor read-out: the values the two cursors mark and their
// difference.
//
// ProcessInfo reads the cursors' drawn places (graph units) against the
// graph point where the trace's zero is drawn: vOffset is its y, and
// wndWidth / 2 + hOffset its x.
// - Channels (200 units per division both ways): a horizontal cursor reads
//   (y − vOffset) / 200 × volts per division (mV), a vertical one
//   (x − zero x) / 200 × time per division (ns); the trace's zero is its
//   pivot and the trigger mark. Vertical cursors also show 1/ΔT.
// - The spectrum (show flag 3), whose trace spreads ten frequency divisions
//   over the graph width and draws one decibel division as
//   kSpectrumDbDivisionUnits around the reference level: a horizontal cursor
//   reads reference + (y − vOffset) / 80 × decibels per division, a vertical
//   one (x − zero x) / (wndWidth / 10) × frequency per division (mHz), the
//   zero being frequency 0 at the graph's left edge.
//
// File state after the shared header and the box: time base, volt base
// (float64), frequency base (64-bit), decibel base, show flag (32-bit), then the three
// values last computed (float64) and the cursor type they belong to (32-bit).
// The reference level is not stored: the sheet sets it from its acquisition
// parameters before it recomputes.
#pragma once

#include "docs/DSOTextBox.h"

class CDSOCursor;

class CDSOInfo : public CDSOTextBox {
public:
    enum SHOW_FLAG : int32_t { SHOW_CHANNEL = 0, SHOW_SPECTRUM = 3 };
    // Graph units of one division of a channel trace, both ways.
    static constexpr double kDivisionUnits = 200.0;
    // Graph units of one decibel division of the spectrum trace.
    static constexpr double kSpectrumDbDivisionUnits = 80.0;
    // Frequency divisions of the spectrum across the graph width.
    static constexpr int kSpectrumFqDivisions = 10;

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
    // The spectrum's reference level (dB), drawn on the trace's zero line.
    void SetDbReference(int32_t db) { m_dbReference = db; }
    int32_t GetDbReference() const { return m_dbReference; }
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
    int32_t m_dbReference = 0;
    int32_t m_showFlag = SHOW_CHANNEL;
    double m_value1 = 0;
    double m_value2 = 0;
    int32_t m_cursorType = 0;
};

// Engineering text of a value in a base unit: 3 significant digits and a
// prefix from p to G ("1.50ms", "-20.0mV", "0V").
QString DSOFormatValue(double value, const QString& unit);
