#pragma once
// Drawing of a spectrum trace onto any QPainter (window, printer, picture):
// the 2500 x 200 logical plot with its grid, the frequency and decibel labels
// and the three captions. Used by CFFTView and by printing / export.
#include "analysis/FftPlot.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// Everything the drawing needs besides the plot rows.
struct SpectrumPaintParams {
    int timeBaseIndex = 10;          // selects the frequency unit of the labels
    int dbCentre = 40;               // decibels on the centre line
    int dbPerDivision = 1;           // 0 or less counts as 1
    float freqPerDivision = 1.25e9f; // millihertz
    QString title = QStringLiteral("Power Spectrum");
    QString frequencyCaption = QStringLiteral("Frequency(Hz)");
    QString magnitudeCaption = QStringLiteral("Magnitude(Db)");
};

inline const QColor kSpectrumTraceColour{0x00, 0x00, 0xFF}; // blue

// The rectangle of area that the plot itself occupies once room is left for
// the title, the labels and the captions.
QRect SpectrumPlotArea(const QRect& area, int fontHeight);

// Paints the whole spectrum trace into area: white plot, grid, trace
// through every column that carries a point, labels and captions.
void PaintSpectrum(QPainter& painter, const QRect& area, const SpectrumPlot& plot,
                   const SpectrumPaintParams& params);
