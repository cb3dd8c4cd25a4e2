#include "analysis/view/FFTView.h"

#include "docs/Archive.h"

#include <QPaintEvent>
#include <QPainter>

#include <array>

CFFTView::CFFTView(QWidget* parent) : CGraphView(10, parent) {
    m_plot.fill(kSpectrumGap);
}

void CFFTView::SetCaptions(const QString& title, const QString& frequency, const QString& magnitude) {
    m_title = title;
    m_frequencyCaption = frequency;
    m_magnitudeCaption = magnitude;
}

void CFFTView::SetSpectrumParams(int timeBaseIndex, int window, int dbCentre, int dbPerDivision,
                                 float freqPerDivision) {
    if (timeBaseIndex == m_timeBaseIndex && window == m_window && dbCentre == m_dbCentre &&
        dbPerDivision == m_dbPerDivision && freqPerDivision == m_freqPerDivision)
        return;
    m_timeBaseIndex = timeBaseIndex;
    m_window = window;
    m_dbCentre = dbCentre;
    m_dbPerDivision = dbPerDivision;
    m_freqPerDivision = freqPerDivision;
    update();
}

void CFFTView::Serialize(CArchive& ar) {
    std::int32_t timeBase = m_timeBaseIndex, perDivision = m_dbPerDivision, centre = m_dbCentre,
                 window = m_window;
    float frequency = m_freqPerDivision;
    ar.Transfer(timeBase);
    ar.Transfer(perDivision);
    ar.Transfer(frequency);
    ar.Transfer(centre);
    ar.Transfer(window);
    if (ar.IsStoring() || ar.Failed()) return;
    m_timeBaseIndex = timeBase;
    m_dbPerDivision = perDivision;
    m_freqPerDivision = frequency;
    m_dbCentre = centre;
    m_window = window;
    update();
}

int CFFTView::ComputeDb(std::span<std::int32_t> db) const {
    const std::vector<std::uint8_t> record = ReadRecord();
    const SpectrumInput input = SpectrumInputFromRecord(record.data(), record.size());
    return ComputeSpectrumDb(db, input, m_window);
}

const SpectrumPlot& CFFTView::UpdatePlot() {
    std::array<std::int32_t, kSpectrumBins> db;
    // An unknown window code draws no trace.
    if (ComputeDb(db) == 0)
        m_plot = SpectrumPlotRows(db, m_dbCentre, m_dbPerDivision);
    else
        m_plot.fill(kSpectrumGap);
    return m_plot;
}

void CFFTView::Render(QPainter& painter, const QRect& area) {
    UpdatePlot();
    SpectrumPaintParams params;
    params.timeBaseIndex = m_timeBaseIndex;
    params.dbCentre = m_dbCentre;
    params.dbPerDivision = m_dbPerDivision;
    params.freqPerDivision = m_freqPerDivision;
    params.title = m_title;
    params.frequencyCaption = m_frequencyCaption;
    params.magnitudeCaption = m_magnitudeCaption;
    PaintSpectrum(painter, area, m_plot, params);
}

void CFFTView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    Render(painter, rect());
}
