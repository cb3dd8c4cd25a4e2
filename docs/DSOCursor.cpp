#include "docs/DSOCursor.h"

#include "corvane/SharedState.h"
#include "docs/DSOMapping.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

void CDSOCursor::initCursor() {
    m_oldPlace = m_initPlace;
    m_displacement = QPoint();
    m_selFlag = 0;
    m_fellow = 0;
}

QPoint CDSOCursor::ClampToGraph(QPoint point) const {
    const QRectF graph = CDSOMapping::GraphRect();
    return {std::clamp(point.x(), static_cast<int>(graph.left()), static_cast<int>(graph.right())),
            std::clamp(point.y(), static_cast<int>(graph.top()), static_cast<int>(graph.bottom()))};
}

QPoint CDSOCursor::MoveCursor(QPoint point) {
    const QPoint target = ClampToGraph(point) - m_displacement;
    const QPoint before = m_pos;
    if (m_type == CURSOR_HORIZONTAL) m_pos.setY(target.y());
    if (m_type == CURSOR_VERTICAL) m_pos.setX(target.x());
    m_transformPoint = m_pos;
    return m_pos - before;
}

void CDSOCursor::MoveBy(QPoint delta) {
    m_pos = ClampToGraph(m_pos + m_displacement + delta) - m_displacement;
    m_transformPoint = m_pos;
}

void CDSOCursor::SetDisplacement(int dx, int dy) { m_displacement += QPoint(dx, dy); }

int CDSOCursor::IsSelLine(QPoint point) const {
    if (!m_visible || m_type == CURSOR_NONE) return 0;
    const QRectF graph = CDSOMapping::GraphRect();
    const QPoint at = GetDrawPos();
    if (m_type == CURSOR_HORIZONTAL)
        return point.x() >= graph.left() && point.x() <= graph.right() &&
               std::abs(point.y() - at.y()) <= PixelsY(kHitPixels);
    return point.y() >= graph.top() && point.y() <= graph.bottom() &&
           std::abs(point.x() - at.x()) <= PixelsX(kHitPixels);
}

void CDSOCursor::SetCursorType(int32_t type) {
    if (type >= CURSOR_NONE && type <= CURSOR_VERTICAL) m_type = type;
}

void CDSOCursor::SetPenStyle(int32_t style) {
    if (style >= 0 && style <= kMaxPenStyle) m_penStyle = style;
}

void CDSOCursor::SetPrePenStyle(int32_t style) {
    if (style >= 0 && style <= kMaxPenStyle) m_prePenStyle = style;
}

void CDSOCursor::SetVtRatio(float ratio, int pivotY) {
    if (m_type != CURSOR_HORIZONTAL || !std::isfinite(ratio) || ratio <= 0) return;
    m_transformPoint.setY(pivotY + (m_transformPoint.y() - pivotY) * double(ratio));
    const int y = static_cast<int>(std::lround(std::clamp(m_transformPoint.y(), -1.0e6, 1.0e6)));
    m_pos.setY(ClampToGraph(QPoint(0, y + m_displacement.y())).y() - m_displacement.y());
}

void CDSOCursor::SetHzRatio(float ratio) { SetHzRatio(ratio, GraticuleWidth / 2.0); }

void CDSOCursor::SetHzRatio(float ratio, double centreX) {
    if (m_type != CURSOR_VERTICAL || !std::isfinite(ratio) || ratio <= 0 || !std::isfinite(centreX)) return;
    m_transformPoint.setX(centreX + (m_transformPoint.x() - centreX) * double(ratio));
    const int x = static_cast<int>(std::lround(std::clamp(m_transformPoint.x(), -1.0e6, 1.0e6)));
    m_pos.setX(ClampToGraph(QPoint(x + m_displacement.x(), 0)).x() - m_displacement.x());
}

void CDSOCursor::DrawCursor(QPainter& painter) {
    if (!m_visible || m_type == CURSOR_NONE) return;
    static const Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                           Qt::DashDotDotLine};
    CGraphPainterScope scope(painter);
    const QRectF graph = CDSOMapping::GraphRect();
    painter.setClipRect(graph, Qt::IntersectClip);
    const bool lit = m_focus || m_selFlag;
    painter.setPen(QPen(Ink(lit ? m_cursorColor : m_penColor), 0, kStyles[m_penStyle]));
    const QPoint at = GetDrawPos();
    if (m_type == CURSOR_HORIZONTAL)
        painter.drawLine(QPointF(graph.left(), at.y()), QPointF(graph.right(), at.y()));
    else
        painter.drawLine(QPointF(at.x(), graph.top()), QPointF(at.x(), graph.bottom()));
}

void CDSOCursor::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOCursor")) return;
    TransferRanged(ar, m_type, CURSOR_NONE, CURSOR_VERTICAL);
    TransferPoint(ar, m_pos);
    TransferPoint(ar, m_prePos);
    TransferPoint(ar, m_oldPlace);
    TransferPoint(ar, m_initPlace);
    QPoint transform = m_transformPoint.toPoint();
    TransferPoint(ar, transform);
    if (ar.IsLoading()) m_transformPoint = transform;
    TransferPoint(ar, m_displacement);
    TransferRanged(ar, m_penStyle, 0, kMaxPenStyle);
    TransferRanged(ar, m_prePenStyle, 0, kMaxPenStyle);
    ar.Transfer(m_cursorColor);
    ar.Transfer(m_penColor);
    TransferRanged(ar, m_track, 0, 1);
    TransferRanged(ar, m_fellow, 0, 1);
}
