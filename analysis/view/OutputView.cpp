#include "analysis/view/OutputView.h"

#include "analysis/view/InputView.h"
#include "analysis/view/TracePolyline.h"
#include "docs/ArithmeticData.h"

#include <QPainter>
#include <QPolygon>

namespace {

constexpr int kLabelMargin = 40; // pixels left of the drawing area for the labels

QString Label(double value) {
    return QString::asprintf("%0.3f", value);
}

} // namespace

COutputView::COutputView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void COutputView::Recompute(const CArithmeticData& data) {
    m_result = data.Compute();
    m_factor = data.scaleFactor;
    update();
}

void COutputView::Render(QPainter& painter, const QRect& area) const {
    painter.save();
    painter.fillRect(area, Qt::white);
    const QFontMetrics metrics(painter.font());
    const int labelHeight = metrics.height();
    // Room above the drawing area for the sentinel excursion and the label.
    const QRect plot = area.adjusted(kLabelMargin, labelHeight, -2, -labelHeight / 2);
    PaintTraceGrid(painter, plot);
    painter.setPen(Qt::black);
    const double peak = m_result.peak * m_factor;
    painter.drawText(area.left() + 2, plot.top() + metrics.ascent() / 2, Label(peak));
    painter.drawText(area.left() + 2, plot.center().y() + metrics.ascent() / 2, Label(0));
    painter.drawText(area.left() + 2, plot.bottom() + metrics.ascent() / 2, Label(-peak));
    const int height = plot.height() - 1;
    const QPolygon line =
        TracePolyline(static_cast<std::int64_t>(m_result.Size()), plot, [&](std::int64_t begin, std::int64_t end) {
            const ArithmeticColumn c =
                ArithmeticTraceColumn(m_result, static_cast<std::size_t>(begin), static_cast<std::size_t>(end), height);
            return ColumnRows{c.first, c.low, c.high, c.last};
        });
    painter.setPen(kOutputTraceColour);
    painter.drawPolyline(line);
    painter.restore();
}

void COutputView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, rect());
}
