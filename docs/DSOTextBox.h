// CDSOTextBox: the part the two read-outs share: a block of text lines at a
// movable place, with font and colour. A dotted frame shows while it is hovered or selected.
//
// File state after the shared header: top-left corner (float64 x, y in graph
// units), font (family as counted UTF-8 text, 32-bit height in logical units,
// 32-bit weight, 32-bit italic), text colour (32-bit).
#pragma once

#include "docs/DSOObject.h"

#include <QPoint>
#include <QRectF>
#include <QStringList>

class CDSOTextBox : public CDSOObject {
public:
    // The font's pixel size is its height in logical units (46 ≈ 13 points
    // at 100 %).
    void SetTextFont(const QFont& font);
    QFont GetTextFont() const { return m_font; }
    void SetTextColor(DSOColor color) { m_textColor = color; }
    DSOColor GetTextColor() const { return m_textColor; }
    void SetTopLeft(QPointF topLeft) { m_topLeft = topLeft; }
    QPointF GetTopLeft() const { return m_topLeft; }
    // Moves the box by a distance in graph units.
    void MoveInfo(QPoint delta);
    // Non-zero when the point lies on the box as last drawn (or as it would be
    // drawn at the current zoom before the first paint).
    int IsSelRect(QPoint point) const;
    QRectF GetBoxRect() const;
    // The lines the box shows now.
    QStringList GetLines() const { return Lines(); }

protected:
    explicit CDSOTextBox(QPointF topLeft) : m_topLeft(topLeft) {}
    // Lines the box shows now.
    virtual QStringList Lines() const = 0;
    void DrawLines(QPainter& painter);
    void SerializeBox(CArchive& ar);

private:
    QPointF m_topLeft;
    QFont m_font = DSODefaultFont();
    DSOColor m_textColor = DSORgb(255, 255, 255);
    QRectF m_lastBox; // graph units, empty until drawn
};
