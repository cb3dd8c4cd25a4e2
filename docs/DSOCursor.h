// CDSOCursor: one measurement cursor of the waveform sheet, a horizontal line
// (it marks a y) or a vertical line (it marks an x) across the graph.
//
// Places are in graph units. The drawn place is the position plus the
// displacement that trace drags add; the previous position and pen style are
// what the sheet restores after a cancelled drag; the old place is where the
// cursor goes back to when its type changes (initCursor + GetOldPlace).
//
// File state after the shared header: type, position, previous position, old
// place, initial place, transform point, displacement (points as two 32-bit),
// pen style, previous pen style, cursor colour, pen colour, tracking flag,
// fellow flag (each 32-bit).
#pragma once

#include "docs/DSOObject.h"

#include <QPoint>

class CDSOCursor : public CDSOObject {
public:
    enum CURSOR_TYPE : int32_t { CURSOR_NONE = 0, CURSOR_HORIZONTAL = 1, CURSOR_VERTICAL = 2 };
    // Pen styles 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.
    static constexpr int32_t kMaxPenStyle = 4;
    // Hit tolerance around the line, device pixels.
    static constexpr double kHitPixels = 4.0;

    void SetPos(QPoint pos) { m_pos = pos; }
    QPoint GetPos() const { return m_pos; }
    // Drawn place: position plus displacement.
    QPoint GetDrawPos() const { return m_pos + m_displacement; }
    void SetPrePos(QPoint pos) { m_prePos = pos; }
    QPoint GetPrePos() const { return m_prePos; }
    void SetOldPlace(QPoint place) { m_oldPlace = place; }
    QPoint GetOldPlace() const { return m_oldPlace; }
    // The place initCursor returns the old place to.
    void InitOldPlace(QPoint place) { m_initPlace = place; }
    // Back to the initial state of the current type: old place := initial
    // place, no displacement, not selected, no fellow.
    void initCursor();
    // The place the ratios below scale: where the cursor was put (by the
    // sheet, a drag or MoveBy), carried through every rescale without being
    // held inside the graph, so that going back to the first scale brings the
    // cursor back to where it was put. The position is this place held
    // inside the graph.
    void SetTransformPoint(QPoint point) { m_transformPoint = point; }
    QPoint GetTransformPoint() const { return m_transformPoint.toPoint(); }

    // Follows the mouse: a horizontal cursor takes the point's y, a vertical
    // one its x, held inside the graph. Returns how far the cursor moved, so a
    // fellow cursor can be moved by the same amount (MoveBy). Both set the
    // transform point to the new position.
    QPoint MoveCursor(QPoint point);
    void MoveBy(QPoint delta);
    // Adds to the displacement (trace drags and arrow keys).
    void SetDisplacement(int dx, int dy);
    void ResetDisplacement() { m_displacement = QPoint(); }
    QPoint GetDisplacement() const { return m_displacement; }
    // Non-zero when the point is within a few pixels of the drawn line.
    int IsSelLine(QPoint point) const;

    void SetCursorType(int32_t type);
    int32_t GetCursorType() const { return m_type; }
    void SetPenStyle(int32_t style);
    int32_t GetPenStyle() const { return m_penStyle; }
    void SetPrePenStyle(int32_t style);
    int32_t GetPrePenStyle() const { return m_prePenStyle; }
    // Colour of the line while hovered or selected.
    void SetCursorColor(DSOColor color) { m_cursorColor = color; }
    DSOColor GetCursorColor() const { return m_cursorColor; }
    // Colour of the line otherwise.
    void SetPenColor(DSOColor color) { m_penColor = color; }
    DSOColor GetPenColor() const { return m_penColor; }
    void SetTrackFlag(int32_t track) { m_track = track ? 1 : 0; }
    int32_t GetTrackFlag() const { return m_track; }
    // Marks this cursor as the one that follows the selected one.
    void SetFellowSelFlag(int32_t fellow) { m_fellow = fellow ? 1 : 0; }
    int32_t GetFellowSelFlag() const { return m_fellow; }

    // Scales a horizontal cursor's y about pivotY (vertical ratio) or a
    // vertical cursor's x about centreX (horizontal ratio; the graph centre
    // unless given), starting from the transform point; used when the
    // selected trace changes scale so the cursors keep marking the same
    // values. The position is the result held inside the graph.
    void SetVtRatio(float ratio, int pivotY);
    void SetHzRatio(float ratio);
    void SetHzRatio(float ratio, double centreX);

    void DrawCursor(QPainter& painter);

    void Serialize(CArchive& ar) override;

private:
    QPoint ClampToGraph(QPoint point) const;

    int32_t m_type = CURSOR_NONE;
    QPoint m_pos;
    QPoint m_prePos;
    QPoint m_oldPlace;
    QPoint m_initPlace;
    QPointF m_transformPoint;  // kept unrounded between rescales
    QPoint m_displacement;
    int32_t m_penStyle = 0;
    int32_t m_prePenStyle = 0;
    DSOColor m_cursorColor = DSORgb(255, 0, 0);
    DSOColor m_penColor = DSORgb(255, 255, 255);
    int32_t m_track = 0;
    int32_t m_fellow = 0;
};
