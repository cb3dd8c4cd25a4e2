#include "docs/DSOMoveRail.h"

#include "docs/DSOMapping.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {
// Band above the graph, device pixels.
constexpr double kBandGap = 4, kBandHeight = 12;
} // namespace

void CDSOMoveRail::SetRailID(int32_t id) {
    if (id >= 1 && id <= 3) m_id = id;
}

void CDSOMoveRail::SetMoveStart(int32_t x) {
    m_drag.Begin(x);
}

void CDSOMoveRail::SetMoveEnd(int32_t x) {
    m_drag.Finish(x);
}

void CDSOMoveRail::MoveRail(int32_t x) {
    m_drag.MoveTo(x);
}

QRectF CDSOMoveRail::GetRailRect() const {
    const QRectF graph = CDSOMapping::GraphRect();
    const double bottom = graph.bottom() + PixelsY(kBandGap);
    return QRectF(graph.left(), bottom, graph.width(), PixelsY(kBandHeight));
}

int CDSOMoveRail::IsSelRect(QPoint point) const {
    if (!m_visible) return 0;
    return GetRailRect().contains(QPointF(point)) ? 1 : 0;
}

void CDSOMoveRail::DrawRail(QPainter& painter) {
    if (!m_visible) return;
    CGraphPainterScope scope(painter);
    const QRectF band = GetRailRect();
    painter.setPen(QPen(Ink(m_frameColor), 0));
    painter.setBrush(Paper(m_bgColor));
    painter.drawRect(band);
    // The record's extent, clipped to the band.
    const double left = std::clamp<double>(std::min(m_start.x(), m_end.x()) + m_drag.offset, band.left(), band.right());
    const double right = std::clamp<double>(std::max(m_start.x(), m_end.x()) + m_drag.offset, band.left(), band.right());
    const QColor ink = Ink(m_railColor);
    const double inset = PixelsY(3);
    painter.fillRect(QRectF(left, band.top() + inset, right - left, band.height() - 2 * inset), ink);
    // Trigger mark: a triangle pointing down onto the graph.
    const double tx = m_trig.x() + (m_trigLock ? 0 : m_drag.offset);
    if (tx < band.left() || tx > band.right()) return;
    const double half = PixelsX(5);
    const QPolygonF mark({QPointF(tx - half, band.bottom()), QPointF(tx + half, band.bottom()), QPointF(tx, band.top())});
    painter.setPen(QPen(ink, 0));
    painter.setBrush(m_focus || m_selFlag ? QBrush(Ink(m_frameColor)) : QBrush(ink));
    painter.drawPolygon(mark);
}

void CDSOMoveRail::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOMoveRail")) return;
    TransferRanged(ar, m_id, 1, 3);
    ar.Transfer(m_railColor);
    ar.Transfer(m_bgColor);
    ar.Transfer(m_frameColor);
    TransferPoint(ar, m_start);
    TransferPoint(ar, m_end);
    TransferPoint(ar, m_trig);
    TransferRanged(ar, m_trigLock, 0, 1);
    m_drag.Serialize(ar);
}
