// CDSOMoveBlock: the drag handle of a trace's vertical position, a small tag
// in the margin left of the graph at the trace's zero level, labelled "1",
// "2" or "M" by its id. The enabled block is filled, the others outlined.
//
// A drag: SetMoveStart(y) at the press, MoveBlock(y) while moving (the tag
// follows), SetMoveEnd(y) at the release; GetMoveDistance() is end − start,
// which the sheet applies to its trace and cursors.
//
// File state after the shared header: id, enabled, colour, centre (two
// 32-bit), move start, move end, drag offset (32-bit).
#pragma once

#include "docs/DSOObject.h"

#include <QPoint>
#include <QRectF>

class CDSOMoveBlock : public CDSOObject {
public:
    enum BLOCK_ID : int32_t { BLOCK_CH1 = 1, BLOCK_CH2 = 2, BLOCK_MATH = 3 };

    void SetBlockID(int32_t id);
    int32_t GetBlockID() const { return m_id; }
    void SetBlockEnable(int32_t enable) { m_enable = enable ? 1 : 0; }
    int32_t GetBlockEnable() const { return m_enable; }
    void SetBlockColor(DSOColor color) { m_color = color; }
    DSOColor GetBlockColor() const { return m_color; }
    // The trace's zero level in graph units; only y is used.
    void SetBlockCenter(QPoint centre) { m_centre = centre; }
    QPoint GetBlockCenter() const { return m_centre; }

    void SetMoveStart(int32_t y);
    void SetMoveEnd(int32_t y);
    int32_t GetMoveDistance() const { return m_drag.Distance(); }
    void MoveBlock(int32_t y);
    // Non-zero when the point lies on the tag.
    int IsSelRect(QPoint point) const;
    // The tag's rectangle in graph units at the current zoom.
    QRectF GetBlockRect() const;

    void DrawBlock(QPainter& painter);

    void Serialize(CArchive& ar) override;

private:
    int32_t m_id = BLOCK_CH1;
    int32_t m_enable = 0;
    DSOColor m_color = DSORgb(255, 255, 0);
    QPoint m_centre;
    DSODrag m_drag;
};
