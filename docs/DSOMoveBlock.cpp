#include "docs/DSOMoveBlock.h"

#include <QPainter>
#include <QPolygonF>

namespace {
// Tag size in device pixels: it keeps its size on screen at every zoom.
constexpr double kTagWidth = 20, kTagHeight = 14, kTagGap = 2;
} // namespace

void CDSOMoveBlock::SetBlockID(int32_t id) {
    if (id >= BLOCK_CH1 && id <= BLOCK_MATH) m_id = id;
}

void CDSOMoveBlock::SetMoveStart(int32_t y) {
    m_drag.Begin(y);
}

void CDSOMoveBlock::SetMoveEnd(int32_t y) {
    m_drag.Finish(y);
}

void CDSOMoveBlock::MoveBlock(int32_t y) {
    m_drag.MoveTo(y);
}

QRectF CDSOMoveBlock::GetBlockRect() const {
    const double w = PixelsX(kTagWidth), h = PixelsY(kTagHeight), gap = PixelsX(kTagGap);
    const double y = m_centre.y() + m_drag.offset;
    return QRectF(-gap - w, y - h / 2, w, h);
}

int CDSOMoveBlock::IsSelRect(QPoint point) const {
    if (!m_visible) return 0;
    return GetBlockRect().contains(QPointF(point)) ? 1 : 0;
}

void CDSOMoveBlock::DrawBlock(QPainter& painter) {
    if (!m_visible) return;
    CGraphPainterScope scope(painter);
    const QRectF r = GetBlockRect();
    const double tip = PixelsX(kTagGap);
    // A tag whose point touches the graph's left edge at the trace's level.
    const QPolygonF tag({r.topLeft(), QPointF(r.right() - r.width() / 4, r.top()), QPointF(r.right() + tip, r.center().y()),
                         QPointF(r.right() - r.width() / 4, r.bottom()), r.bottomLeft()});
    const QColor ink = Ink(m_color);
    painter.setPen(QPen(ink, 0));
    painter.setBrush(m_enable ? QBrush(ink) : QBrush(Qt::NoBrush));
    painter.drawPolygon(tag);
    const QString label = m_id == BLOCK_MATH ? QStringLiteral("M") : QString::number(m_id);
    QFont font;
    font.setPixelSize(static_cast<int>(PixelsY(kTagHeight - 3)));
    font.setBold(true);
    const QColor text = m_enable ? (m_colorMode == COLOR_MODE_BW ? QColor(Qt::white) : QColor(Qt::black)) : ink;
    DrawGraphText(painter, QPointF(r.left() + PixelsX(3), r.bottom() - PixelsY(1)), label, font, text);
}

void CDSOMoveBlock::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOMoveBlock")) return;
    TransferRanged(ar, m_id, BLOCK_CH1, BLOCK_MATH);
    TransferRanged(ar, m_enable, 0, 1);
    ar.Transfer(m_color);
    TransferPoint(ar, m_centre);
    m_drag.Serialize(ar);
}
