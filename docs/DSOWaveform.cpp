#include "docs/DSOWaveform.h"

#include "corvane/SharedState.h"
#include "docs/DSOMapping.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <new>

struct CDSOWaveform::Column {
    double lo = 0, hi = 0, first = 0, last = 0;
    bool used = false;
    bool broken = false; // a no-data point lies in or before this column
};

int CDSOWaveform::MallocMem(uint32_t count) {
    std::lock_guard lock(m_lock);
    try {
        m_points.reserve(count);
    } catch (const std::bad_alloc&) {
        return 0;
    } catch (const std::length_error&) {
        return 0;
    }
    return 1;
}

void CDSOWaveform::RemoveAllPoint() {
    std::lock_guard lock(m_lock);
    m_points.clear();
}

int CDSOWaveform::AddPoint(QPoint point) {
    std::lock_guard lock(m_lock);
    try {
        m_points.push_back(point);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CDSOWaveform::AddPoints(const QPoint* points, size_t count) {
    std::lock_guard lock(m_lock);
    try {
        m_points.insert(m_points.end(), points, points + count);
    } catch (const std::bad_alloc&) {
        return 0;
    } catch (const std::length_error&) {
        return 0;
    }
    return 1;
}

QPoint CDSOWaveform::GetPoint(uint32_t index) const {
    std::lock_guard lock(m_lock);
    return index < m_points.size() ? m_points[index] : QPoint();
}

uint32_t CDSOWaveform::GetPointCount() const {
    std::lock_guard lock(m_lock);
    return static_cast<uint32_t>(m_points.size());
}

double CDSOWaveform::TriggerX() const { return wndWidth / 2.0 + m_trigPos.x(); }

QPointF CDSOWaveform::DisplayPoint(QPointF p) const {
    const double x0 = TriggerX();
    return {x0 + (p.x() - x0) * m_hzRatio + m_offset.x() + m_displacement.x(),
            m_pivot.y() + (p.y() - m_pivot.y()) * m_vtRatio + m_offset.y() + m_displacement.y()};
}

QPoint CDSOWaveform::GetWfmStart() const {
    std::lock_guard lock(m_lock);
    if (m_points.empty()) return QPoint(0, 0);
    return DisplayPoint(m_points.front()).toPoint();
}

QPoint CDSOWaveform::GetWfmEnd() const {
    std::lock_guard lock(m_lock);
    if (m_points.empty()) return QPoint(GraticuleWidth, 0);
    return DisplayPoint(m_points.back()).toPoint();
}

QPoint CDSOWaveform::GetWfmTrig() const { return DisplayPoint(QPointF(TriggerX(), m_trigPos.y())).toPoint(); }

void CDSOWaveform::SetDisplacement(int dx, int dy) { m_displacement += QPoint(dx, dy); }

void CDSOWaveform::SetVtRatio(float ratio) {
    if (std::isfinite(ratio) && ratio > 0) m_vtRatio = ratio;
}

void CDSOWaveform::SetHzRatio(float ratio) {
    if (std::isfinite(ratio) && ratio > 0) m_hzRatio = ratio;
}

void CDSOWaveform::SetDisplayStyle(int32_t style) {
    if (style == WFM_DOTS || style == WFM_VECTORS) m_style = style;
}

void CDSOWaveform::DrawWaveform(QPainter& painter) {
    if (!m_visible || !m_show) return;
    CGraphPainterScope scope(painter);
    painter.setClipRect(CDSOMapping::GraphRect(), Qt::IntersectClip);
    const QColor ink = Ink(m_color);
    {
        std::lock_guard lock(m_lock);
        const double columns = std::abs(painter.combinedTransform().m11()) * GraticuleWidth * m_hzRatio;
        if (static_cast<double>(m_points.size()) > columns)
            DrawDecimated(painter, ink);
        else
            DrawDirect(painter, ink);
    }
    if (m_trigVisible) DrawTriggerMark(painter, ink);
}

// Few points: every point is drawn in graph units; runs between no-data
// points form separate polylines.
void CDSOWaveform::DrawDirect(QPainter& painter, const QColor& ink) const {
    painter.setPen(QPen(ink, 0));
    QPolygonF run;
    auto flush = [&] {
        if (m_style == WFM_VECTORS && run.size() > 1)
            painter.drawPolyline(run);
        else
            painter.drawPoints(run);
        run.clear();
    };
    for (const QPoint& p : m_points) {
        if (p.y() == kGapY) continue;
        if (p.y() <= kNoDataY) {
            flush();
            continue;
        }
        run.append(DisplayPoint(p));
    }
    flush();
}

// Many points: reduce to one vertical span per device pixel column, in device
// space so the columns are exact.
void CDSOWaveform::DrawDecimated(QPainter& painter, const QColor& ink) const {
    const QTransform toDevice = painter.combinedTransform();
    const QRectF deviceGraph = toDevice.mapRect(CDSOMapping::GraphRect());
    const int firstColumn = static_cast<int>(std::floor(deviceGraph.left()));
    const int count = static_cast<int>(std::ceil(deviceGraph.right())) - firstColumn + 1;
    if (count <= 0) return;
    std::vector<Column> columns(static_cast<size_t>(count));
    // The display transform and the mapping are both scale-and-shift per
    // axis, so one multiply-add per axis takes a point to device space.
    const double x0 = TriggerX();
    const double ax = toDevice.m11() * m_hzRatio;
    const double bx = toDevice.m11() * (x0 - x0 * m_hzRatio + m_offset.x() + m_displacement.x()) + toDevice.dx();
    const double ay = toDevice.m22() * m_vtRatio;
    const double by = toDevice.m22() * (m_pivot.y() - m_pivot.y() * m_vtRatio + m_offset.y() + m_displacement.y()) +
                      toDevice.dy();
    const bool affine = toDevice.type() <= QTransform::TxScale;
    bool pendingBreak = false;
    for (const QPoint& p : m_points) {
        if (p.y() == kGapY) continue;
        if (p.y() <= kNoDataY) {
            pendingBreak = true;
            continue;
        }
        const QPointF d = affine ? QPointF(ax * p.x() + bx, ay * p.y() + by) : toDevice.map(DisplayPoint(p));
        const long index = static_cast<long>(std::floor(d.x())) - firstColumn;
        if (index < 0 || index >= count) continue;
        Column& c = columns[static_cast<size_t>(index)];
        if (!c.used) {
            c = {d.y(), d.y(), d.y(), d.y(), true, pendingBreak};
        } else {
            c.lo = std::min(c.lo, d.y());
            c.hi = std::max(c.hi, d.y());
            c.last = d.y();
            c.broken = c.broken || pendingBreak;
        }
        pendingBreak = false;
    }
    QVector<QLineF> lines;
    lines.reserve(count * 2);
    const Column* previous = nullptr;
    double previousX = 0;
    for (int i = 0; i < count; ++i) {
        const Column& c = columns[static_cast<size_t>(i)];
        if (!c.used) continue;
        const double x = firstColumn + i + 0.5;
        lines.append(QLineF(x, c.lo, x, c.hi));
        if (m_style == WFM_VECTORS && previous && !c.broken)
            lines.append(QLineF(previousX, previous->last, x, c.first));
        previous = &c;
        previousX = x;
    }
    painter.save();
    painter.resetTransform();
    painter.setPen(QPen(ink, 0));
    for (const QLineF& line : lines) {
        if (line.p1() == line.p2())
            painter.drawPoint(line.p1());
        else
            painter.drawLine(line);
    }
    painter.restore();
}

// A small "T" at the trigger point: a bar on the trigger level with a stem.
void CDSOWaveform::DrawTriggerMark(QPainter& painter, const QColor& ink) const {
    const QPointF t = DisplayPoint(QPointF(TriggerX(), m_trigPos.y()));
    const double w = PixelsX(4), h = PixelsY(8);
    painter.setPen(QPen(ink, 0));
    painter.drawLine(QPointF(t.x() - w, t.y()), QPointF(t.x() + w, t.y()));
    painter.drawLine(QPointF(t.x(), t.y()), QPointF(t.x(), t.y() - h));
}

void CDSOWaveform::SerializePoints(CArchive& ar) {
    if (ar.IsStoring()) {
        std::lock_guard lock(m_lock);
        ar.WriteU32(static_cast<uint32_t>(m_points.size()));
        for (const QPoint& p : m_points) {
            ar.WriteI32(p.x());
            ar.WriteI32(p.y());
        }
        return;
    }
    const uint32_t count = ar.ReadCount(8, kMaxPoints);
    if (ar.Failed()) return;
    std::vector<QPoint> points;
    try {
        points.reserve(count);
    } catch (const std::bad_alloc&) {
        ar.SetFailed();
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const int32_t x = ar.ReadI32();
        const int32_t y = ar.ReadI32();
        points.emplace_back(x, y);
    }
    if (ar.Failed()) return;
    std::lock_guard lock(m_lock);
    m_points.swap(points);
}

void CDSOWaveform::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOWaveform")) return;
    TransferRanged(ar, m_style, WFM_DOTS, WFM_VECTORS);
    TransferRanged(ar, m_show, 0, 1);
    ar.Transfer(m_color);
    TransferRanged(ar, m_trigVisible, 0, 1);
    TransferRanged(ar, m_wfmFocus, 0, 1);
    TransferPoint(ar, m_pivot);
    TransferPoint(ar, m_trigPos);
    TransferPoint(ar, m_offset);
    TransferPoint(ar, m_displacement);
    ar.Transfer(m_vtScaleIndex);
    ar.Transfer(m_hzScaleIndex);
    TransferFinite(ar, m_preVtScale);
    TransferFinite(ar, m_oldVtScale);
    TransferFinite(ar, m_preHzScale);
    TransferFinite(ar, m_oldHzScale);
    TransferFinite(ar, m_vtRatio, true);
    TransferFinite(ar, m_hzRatio, true);
    ar.Transfer(m_state);
    SerializePoints(ar);
}
