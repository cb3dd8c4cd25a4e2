#include "docs/view/MeasureItemIcons.h"

#include "docs/WaveformMeasure.h"

#include <QPainter>
#include <QPolygon>

namespace {
constexpr int kSize = 16;
// The pulse every picture shows: low, rise, high, fall, low.
const QPolygon kPulse({{1, 12}, {4, 12}, {6, 4}, {10, 4}, {12, 12}, {15, 12}});
}  // namespace

QPixmap MeasureItemIcon(int item) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(0, 110, 0), 1));
    p.drawPolyline(kPulse);
    const MeasureItem& m = kMeasureItems[static_cast<size_t>(std::clamp(item, 0, kMeasureItemCount - 1))];
    p.setPen(QPen(Qt::red, 1));
    switch (m.display) {
    case kShowVoltage:  // a level: a vertical arrow
        p.drawLine(8, 2, 8, 14);
        break;
    case kShowTime:
    case kShowFrequency:  // a span: a horizontal bar
        p.drawLine(2, 14, 14, 14);
        break;
    default:  // a ratio: the high part marked
        p.drawLine(6, 2, 10, 2);
        break;
    }
    return pixmap;
}
