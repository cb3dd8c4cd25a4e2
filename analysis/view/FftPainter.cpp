#include "analysis/view/FftPainter.h"

#include "docs/view/LabelledPlot.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace {

template <class Labels>
QStringList ToStringList(const Labels& labels) {
    QStringList list;
    for (const std::string& label : labels) list << QString::fromStdString(label);
    return list;
}

} // namespace

QRect SpectrumPlotArea(const QRect& area, int fontHeight) {
    return LabelledPlotArea(area, fontHeight);
}

void PaintSpectrum(QPainter& painter, const QRect& area, const SpectrumPlot& plot,
                   const SpectrumPaintParams& params) {
    LabelledPlot frame;
    frame.logicalSize = QSize(kSpectrumColumns, kSpectrumRows);
    frame.xLabels = ToStringList(SpectrumFrequencyLabels(params.timeBaseIndex, params.freqPerDivision));
    frame.yLabels = ToStringList(SpectrumDbLabels(params.dbCentre, params.dbPerDivision));
    frame.title = params.title;
    frame.xCaption = params.frequencyCaption;
    frame.yCaption = params.magnitudeCaption;
    PaintLabelledPlot(painter, area, frame, [&plot](QPainter& p) {
        QPolygon trace;
        for (int column = 0; column < kSpectrumColumns; ++column)
            if (plot[column] != kSpectrumGap) trace << QPoint(column, plot[column]);
        p.setPen(CosmeticPen(kSpectrumTraceColour));
        p.drawPolyline(trace);
    });
}
