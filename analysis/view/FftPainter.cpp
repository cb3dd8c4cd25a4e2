#include "analysis/view/FftPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace {

constexpr int kGridDivisionsX = kSpectrumFrequencyLines - 1;
constexpr int kGridDivisionsY = kSpectrumDbLines - 1;
constexpr int kLabelGap = 3; // pixels between a label and the plot

QFont LabelFont(const QPainter& painter) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(painter.font().pointSizeF() > 0 ? painter.font().pointSizeF() * 0.9 : 8.0);
    return font;
}

QPen CosmeticPen(const QColor& colour) {
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidth(1);
    return pen;
}

// Grid and trace in plot coordinates: 2500 columns by 200 rows.
void PaintPlot(QPainter& painter, const QRect& plotArea, const SpectrumPlot& plot) {
    painter.save();
    painter.setViewport(plotArea);
    painter.setWindow(0, 0, kSpectrumColumns, kSpectrumRows);
    painter.fillRect(QRect(0, 0, kSpectrumColumns, kSpectrumRows), Qt::white);
    painter.setPen(CosmeticPen(kSpectrumGridColour));
    for (int i = 0; i <= kGridDivisionsX; ++i) {
        const int x = i * (kSpectrumColumns / kGridDivisionsX);
        painter.drawLine(x, 0, x, kSpectrumRows);
    }
    for (int i = 0; i <= kGridDivisionsY; ++i) {
        const int y = i * kSpectrumRows / kGridDivisionsY;
        painter.drawLine(0, y, kSpectrumColumns, y);
    }
    QPolygon trace;
    for (int column = 0; column < kSpectrumColumns; ++column)
        if (plot[column] != kSpectrumGap) trace << QPoint(column, plot[column]);
    painter.setPen(CosmeticPen(kSpectrumTraceColour));
    painter.drawPolyline(trace);
    painter.restore();
}

void PaintFrequencyLabels(QPainter& painter, const QRect& plotArea, const SpectrumPaintParams& params) {
    const auto labels = SpectrumFrequencyLabels(params.timeBaseIndex, params.freqPerDivision);
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < kSpectrumFrequencyLines; ++i) {
        const QString text = QString::fromStdString(labels[i]);
        const int x = plotArea.left() + i * plotArea.width() / kGridDivisionsX;
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(x - width / 2, plotArea.bottom() + kLabelGap + metrics.ascent(), text);
    }
}

void PaintDbLabels(QPainter& painter, const QRect& plotArea, const SpectrumPaintParams& params) {
    const auto labels = SpectrumDbLabels(params.dbCentre, params.dbPerDivision);
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < kSpectrumDbLines; ++i) { // from the bottom line up
        const QString text = QString::fromStdString(labels[i]);
        const int y = plotArea.bottom() - i * plotArea.height() / kGridDivisionsY;
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(plotArea.left() - kLabelGap - width, y + metrics.ascent() / 2, text);
    }
}

void PaintCaptions(QPainter& painter, const QRect& area, const QRect& plotArea,
                   const SpectrumPaintParams& params) {
    const QFontMetrics metrics(painter.font());
    painter.drawText(QRect(area.left(), area.top(), area.width(), metrics.height()), Qt::AlignCenter,
                     params.title);
    painter.drawText(
        QRect(plotArea.left(), area.bottom() - metrics.height() + 1, plotArea.width(), metrics.height()),
        Qt::AlignCenter, params.frequencyCaption);
    painter.save();
    painter.translate(area.left(), plotArea.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plotArea.height() / 2, 0, plotArea.height(), metrics.height()), Qt::AlignCenter,
                     params.magnitudeCaption);
    painter.restore();
}

} // namespace

QRect SpectrumPlotArea(const QRect& area, int fontHeight) {
    const int left = fontHeight + 4 * fontHeight; // rotated caption, then labels such as "-120"
    const int top = fontHeight + fontHeight / 2;  // title, and room for the top label
    const int bottom = 2 * fontHeight + kLabelGap * 2;
    const int right = 2 * fontHeight; // half of the last frequency label
    return area.adjusted(left, top, -right, -bottom);
}

void PaintSpectrum(QPainter& painter, const QRect& area, const SpectrumPlot& plot,
                   const SpectrumPaintParams& params) {
    painter.save();
    painter.setFont(LabelFont(painter));
    const QRect plotArea = SpectrumPlotArea(area, QFontMetrics(painter.font()).height());
    if (plotArea.width() > 0 && plotArea.height() > 0) PaintPlot(painter, plotArea, plot);
    painter.setPen(Qt::black);
    PaintFrequencyLabels(painter, plotArea, params);
    PaintDbLabels(painter, plotArea, params);
    PaintCaptions(painter, area, plotArea, params);
    painter.restore();
}
