#include "docs/view/LabelledPlot.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

constexpr int kLabelGap = 3; // pixels between a label and the plot

QFont LabelFont(const QPainter& painter) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(painter.font().pointSizeF() > 0 ? painter.font().pointSizeF() * 0.9 : 8.0);
    return font;
}

void PaintPlotArea(QPainter& painter, const QRect& plotArea, const LabelledPlot& plot,
                   const std::function<void(QPainter&)>& drawContent) {
    const int width = plot.logicalSize.width(), height = plot.logicalSize.height();
    painter.save();
    painter.setViewport(plotArea);
    painter.setWindow(0, 0, width, height);
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    painter.setPen(CosmeticPen(kPlotGridColour));
    const int columns = std::max<int>(1, int(plot.xLabels.size()) - 1);
    const int rows = std::max<int>(1, int(plot.yLabels.size()) - 1);
    for (int i = 0; i <= columns; ++i) painter.drawLine(i * width / columns, 0, i * width / columns, height);
    for (int i = 0; i <= rows; ++i) painter.drawLine(0, i * height / rows, width, i * height / rows);
    painter.setClipRect(QRect(0, 0, width, height));
    drawContent(painter);
    painter.restore();
}

void PaintLabels(QPainter& painter, const QRect& plotArea, const LabelledPlot& plot) {
    const QFontMetrics metrics(painter.font());
    const int columns = std::max<int>(1, int(plot.xLabels.size()) - 1);
    for (int i = 0; i < plot.xLabels.size(); ++i) {
        const int x = plotArea.left() + i * plotArea.width() / columns;
        const int width = metrics.horizontalAdvance(plot.xLabels[i]);
        painter.drawText(x - width / 2, plotArea.bottom() + kLabelGap + metrics.ascent(), plot.xLabels[i]);
    }
    const int rows = std::max<int>(1, int(plot.yLabels.size()) - 1);
    for (int i = 0; i < plot.yLabels.size(); ++i) { // from the bottom line up
        const int y = plotArea.bottom() - i * plotArea.height() / rows;
        const int width = metrics.horizontalAdvance(plot.yLabels[i]);
        painter.drawText(plotArea.left() - kLabelGap - width, y + metrics.ascent() / 2, plot.yLabels[i]);
    }
}

void PaintCaptions(QPainter& painter, const QRect& area, const QRect& plotArea, const LabelledPlot& plot) {
    const QFontMetrics metrics(painter.font());
    painter.drawText(QRect(area.left(), area.top(), area.width(), metrics.height()), Qt::AlignCenter, plot.title);
    painter.drawText(
        QRect(plotArea.left(), area.bottom() - metrics.height() + 1, plotArea.width(), metrics.height()),
        Qt::AlignCenter, plot.xCaption);
    painter.save();
    painter.translate(area.left(), plotArea.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plotArea.height() / 2, 0, plotArea.height(), metrics.height()), Qt::AlignCenter,
                     plot.yCaption);
    painter.restore();
}

} // namespace

QPen CosmeticPen(const QColor& colour) {
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidth(1);
    return pen;
}

QRect LabelledPlotArea(const QRect& area, int fontHeight) {
    const int left = fontHeight + 4 * fontHeight; // rotated caption, then labels such as "-120"
    const int top = fontHeight + fontHeight / 2;  // title, and room for the top label
    const int bottom = 2 * fontHeight + kLabelGap * 2;
    const int right = 2 * fontHeight; // half of the last label
    return area.adjusted(left, top, -right, -bottom);
}

void PaintLabelledPlot(QPainter& painter, const QRect& area, const LabelledPlot& plot,
                       const std::function<void(QPainter&)>& drawContent) {
    painter.save();
    painter.setFont(LabelFont(painter));
    const QRect plotArea = LabelledPlotArea(area, QFontMetrics(painter.font()).height());
    if (plotArea.width() > 0 && plotArea.height() > 0) PaintPlotArea(painter, plotArea, plot, drawContent);
    painter.setPen(Qt::black);
    PaintLabels(painter, plotArea, plot);
    PaintCaptions(painter, area, plotArea, plot);
    painter.restore();
}
