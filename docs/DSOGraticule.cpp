#include "docs/DSOGraticule.h"

#include "docs/DSOMapping.h"

#include <QPainter>
#include <QPainterPath>

void CDSOGraticule::SetGraticuleType(int32_t type) {
    if (type >= GRATICULE_FULL && type <= GRATICULE_FRAME) m_type = type;
}

void CDSOGraticule::DrawGraticule(QPainter& painter) {
    if (!m_visible) return;
    CGraphPainterScope scope(painter);
    const QRectF graph = CDSOMapping::GraphRect();
    painter.fillRect(graph, Paper(m_bgColor));
    const QColor ink = m_colorMode == COLOR_MODE_BW ? QColor(Qt::black) : QColorFromDSO(m_gtColor);
    if (m_type == GRATICULE_FULL || m_type == GRATICULE_GRID) DrawGrid(painter, ink);
    if (m_type == GRATICULE_FULL || m_type == GRATICULE_CROSSHAIR) DrawAxes(painter, ink);
    DrawFrame(painter, ink);
}

void CDSOGraticule::DrawGrid(QPainter& painter, const QColor& ink) const {
    QPen pen(ink, 0, Qt::DotLine);
    painter.setPen(pen);
    const QRectF graph = CDSOMapping::GraphRect();
    for (double x = graph.left() + kDivisionUnits; x < graph.right(); x += kDivisionUnits)
        painter.drawLine(QPointF(x, graph.top()), QPointF(x, graph.bottom()));
    for (double y = graph.top() + kDivisionUnits; y < graph.bottom(); y += kDivisionUnits)
        painter.drawLine(QPointF(graph.left(), y), QPointF(graph.right(), y));
}

// Centre lines with a tick every fifth of a division.
void CDSOGraticule::DrawAxes(QPainter& painter, const QColor& ink) const {
    painter.setPen(QPen(ink, 0));
    const QRectF graph = CDSOMapping::GraphRect();
    const double cx = graph.center().x();
    painter.drawLine(QPointF(graph.left(), 0), QPointF(graph.right(), 0));
    painter.drawLine(QPointF(cx, graph.top()), QPointF(cx, graph.bottom()));
    const double tickX = PixelsX(3), tickY = PixelsY(3);
    constexpr int kStep = kDivisionUnits / 5;
    for (double x = graph.left() + kStep; x < graph.right(); x += kStep)
        painter.drawLine(QPointF(x, -tickY), QPointF(x, tickY));
    for (double y = graph.top() + kStep; y < graph.bottom(); y += kStep)
        painter.drawLine(QPointF(cx - tickX, y), QPointF(cx + tickX, y));
}

void CDSOGraticule::DrawFrame(QPainter& painter, const QColor& ink) const {
    painter.setPen(QPen(ink, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(CDSOMapping::GraphRect());
}

void CDSOGraticule::DrawCoverArea(QPainter& painter) {
    CGraphPainterScope scope(painter);
    const QRectF graph = CDSOMapping::GraphRect();
    // Wide enough to reach past any client area at the smallest zoom.
    const QRectF outer = graph.adjusted(-PixelsX(4000), -PixelsY(4000), PixelsX(4000), PixelsY(4000));
    QPainterPath band;
    band.addRect(outer);
    band.addRect(graph);
    band.setFillRule(Qt::OddEvenFill);
    painter.fillPath(band, Paper(kCoverColor));
    if (m_visible) DrawFrame(painter, m_colorMode == COLOR_MODE_BW ? QColor(Qt::black) : QColorFromDSO(m_gtColor));
}

void CDSOGraticule::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOGraticule")) return;
    TransferRanged(ar, m_type, GRATICULE_FULL, GRATICULE_FRAME);
    ar.Transfer(m_gtColor);
    ar.Transfer(m_bgColor);
}
