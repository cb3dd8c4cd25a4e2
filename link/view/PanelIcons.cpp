#include "link/view/PanelIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int kIconSize = 16;
const QColor kArrowColor(0x20, 0x20, 0x20);

QPolygonF ArrowHead(PanelArrow arrow)
{
    switch (arrow) {
    case PanelArrow::Up: return QPolygonF({{8, 3}, {14, 12}, {2, 12}});
    case PanelArrow::Down: return QPolygonF({{8, 13}, {14, 4}, {2, 4}});
    case PanelArrow::Left: return QPolygonF({{3, 8}, {12, 2}, {12, 14}});
    case PanelArrow::Right: return QPolygonF({{13, 8}, {4, 2}, {4, 14}});
    default: return {};
    }
}

// Three quarters of a circle from the top, turning left (ending at the right
// side) or right (ending at the left side); either way the path ends moving
// upwards, where the head sits.
void DrawTurn(QPainter& painter, bool toTheRight)
{
    const QRectF circle(3, 3, 10, 10);
    QPainterPath arc;
    arc.arcMoveTo(circle, 90);
    arc.arcTo(circle, 90, toTheRight ? -270 : 270);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kArrowColor, 1.6));
    painter.drawPath(arc);
    const QPointF end = arc.currentPosition();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrowColor);
    painter.drawPolygon(QPolygonF({end + QPointF(-3.5, 0), end + QPointF(3.5, 0), end + QPointF(0, -4)}));
}
}  // namespace

QIcon PanelArrowIcon(PanelArrow arrow)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (arrow == PanelArrow::TurnLeft || arrow == PanelArrow::TurnRight) {
        DrawTurn(painter, arrow == PanelArrow::TurnRight);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kArrowColor);
        painter.drawPolygon(ArrowHead(arrow));
    }
    return QIcon(pixmap);
}

QIcon PanelWindowIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0x40, 0x48, 0x58));
    painter.drawRect(2, 3, 27, 17);
    painter.setPen(QPen(QColor(0xF0, 0xE0, 0x40), 1.5));
    painter.drawLine(4, 14, 10, 8);
    painter.drawLine(10, 8, 16, 14);
    painter.drawLine(16, 14, 22, 8);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xF3, 0xF3, 0xF3));
    for (int i = 0; i < 4; ++i)
        painter.drawRect(3 + i * 7, 24, 5, 5);
    return QIcon(pixmap);
}
