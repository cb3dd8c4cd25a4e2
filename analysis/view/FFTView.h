#pragma once
// CFFTView: the spectrum trace pane of the power spectrum window. It points
// at a channel record owned by its panel, holds the drawing parameters, and
// on every paint recomputes the spectrum of the record (no spectrum is kept
// between paints, so a new transfer or a channel switch shows on the next
// paint).
#include "analysis/FftPlot.h"
#include "analysis/view/FftPainter.h"
#include "docs/view/GraphView.h"

#include <cstdint>
#include <span>

class CArchive;

class CFFTView : public CGraphView {
    Q_OBJECT
public:
    explicit CFFTView(QWidget* parent = nullptr);

    // Caption texts in the current language.
    void SetCaptions(const QString& title, const QString& frequency, const QString& magnitude);

    // Stores the five values and repaints, unless all five are unchanged.
    void SetSpectrumParams(int timeBaseIndex, int window, int dbCentre, int dbPerDivision,
                           float freqPerDivision);
    // Stores the window code; the caller repaints.
    void SetWindow(int window) { m_window = window; }

    // Time-base index (int32), decibels per division (int32), frequency per
    // division (float32), decibel centre (int32), window (int32). After
    // loading, the panel points the view at its record again; the view
    // repaints.
    void Serialize(CArchive& ar);

    int Window() const { return m_window; }
    int DbCentre() const { return m_dbCentre; }
    int DbPerDivision() const { return m_dbPerDivision; }
    float FreqPerDivision() const { return m_freqPerDivision; }

    // The decibel values of the record in the view's window; 0, or -1
    // (db untouched) for an unknown window code.
    int ComputeDb(std::span<std::int32_t> db) const;
    // Recomputes the plot rows from the record (what a paint draws).
    const SpectrumPlot& UpdatePlot();
    const SpectrumPlot& Plot() const { return m_plot; }
    // Paints the view's content onto any painter (printing, export).
    void Render(QPainter& painter, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_window = kWindowHanning;
    int m_dbCentre = 40;
    int m_dbPerDivision = 1;
    float m_freqPerDivision = 1.25e9f;
    SpectrumPlot m_plot;
    QString m_title = QStringLiteral("Power Spectrum");
    QString m_frequencyCaption = QStringLiteral("Frequency(Hz)");
    QString m_magnitudeCaption = QStringLiteral("Magnitude(Db)");
};
