// CDSOMoveRail: the rail above the graph. It shows where the focused trace's
// record lies across the graph (a bar from the record's first to its last
// point) and the trigger point ("T" mark); dragging it moves the trace
// horizontally.
//
// A drag: SetMoveStart(x), MoveRail(x) while moving (the marks follow; a
// locked trigger mark stays), SetMoveEnd(x); GetMoveDistance() is end − start.
//
// File state after the shared header: id, rail colour, background colour,
// frame colour (32-bit), start, end and trigger points (two 32-bit each),
// trigger lock, move start, move end, drag offset (32-bit).
#pragma once

#include "docs/DSOObject.h"

#include <QPoint>
#include <QRectF>

class CDSOMoveRail : public CDSOObject {
public:
    // The block id whose trace the rail follows (1, 2, 3).
    void SetRailID(int32_t id);
    int32_t GetRailID() const { return m_id; }
    void SetRailColor(DSOColor color) { m_railColor = color; }
    DSOColor GetRailColor() const { return m_railColor; }
    void SetBgColor(DSOColor color) { m_bgColor = color; }
    DSOColor GetBgColor() const { return m_bgColor; }
    void SetFrameColor(DSOColor color) { m_frameColor = color; }
    DSOColor GetFrameColor() const { return m_frameColor; }
    // Graph points; only x is used.
    void SetRailStart(QPoint point) { m_start = point; }
    QPoint GetRailStart() const { return m_start; }
    void SetRailEnd(QPoint point) { m_end = point; }
    QPoint GetRailEnd() const { return m_end; }
    void SetRailTrig(QPoint point) { m_trig = point; }
    QPoint GetRailTrig() const { return m_trig; }
    void SetTrigLockFlag(int32_t lock) { m_trigLock = lock ? 1 : 0; }
    int32_t GetTrigLockFlag() const { return m_trigLock; }

    void SetMoveStart(int32_t x);
    void SetMoveEnd(int32_t x);
    int32_t GetMoveDistance() const { return m_drag.Distance(); }
    void MoveRail(int32_t x);
    // Non-zero when the point lies on the rail band.
    int IsSelRect(QPoint point) const;
    QRectF GetRailRect() const;

    void DrawRail(QPainter& painter);

    void Serialize(CArchive& ar) override;

private:
    int32_t m_id = 1;
    DSOColor m_railColor = DSORgb(255, 255, 0);
    DSOColor m_bgColor = DSORgb(0, 0, 0);
    DSOColor m_frameColor = DSORgb(255, 255, 255);
    QPoint m_start;
    QPoint m_end;
    QPoint m_trig;
    int32_t m_trigLock = 0;
    DSODrag m_drag;
};
