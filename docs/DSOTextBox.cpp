#include "docs/DSOTextBox.h"

#include <QPainter>

#include <algorithm>

void CDSOTextBox::SetTextFont(const QFont& font) {
    m_font = font;
    if (m_font.pixelSize() <= 0) m_font.setPixelSize(46);
}

void CDSOTextBox::MoveInfo(QPoint delta) {
    m_topLeft += delta;
    if (!m_lastBox.isEmpty()) m_lastBox.translate(delta);
}

QRectF CDSOTextBox::GetBoxRect() const {
    if (!m_lastBox.isEmpty()) return m_lastBox;
    // Not drawn yet: estimate from the text at the current zoom. y grows
    // upward in graph units, so the box extends below its top-left corner.
    const QStringList lines = Lines();
    double width = 0, height = 0;
    for (const QString& line : lines) {
        const QSizeF size = GraphTextSize(line, m_font);
        width = std::max(width, size.width());
        height += size.height();
    }
    return QRectF(m_topLeft.x(), m_topLeft.y() - height, width, height);
}

int CDSOTextBox::IsSelRect(QPoint point) const {
    if (!m_visible) return 0;
    return GetBoxRect().contains(QPointF(point)) ? 1 : 0;
}

void CDSOTextBox::DrawLines(QPainter& painter) {
    if (!m_visible) return;
    CGraphPainterScope scope(painter);
    const QColor ink = Ink(m_textColor);
    QRectF box;
    QPointF at = m_topLeft;
    for (const QString& line : Lines()) {
        const QRectF drawn = DrawGraphText(painter, at, line, m_font, ink);
        box = box.isNull() ? drawn : box.united(drawn);
        at.ry() -= drawn.height();
    }
    m_lastBox = box;
    if (m_focus || m_selFlag) {
        painter.setPen(QPen(ink, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
}

void CDSOTextBox::SerializeBox(CArchive& ar) {
    TransferPointF(ar, m_topLeft);
    TransferFont(ar, m_font);
    ar.Transfer(m_textColor);
    if (ar.IsLoading()) m_lastBox = QRectF();
}
