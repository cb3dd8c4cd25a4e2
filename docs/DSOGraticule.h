// CDSOGraticule: background, frame and division grid of the waveform graph
// (16 × 8 divisions of 200 units), plus the cover area that hides whatever a
// trace drew outside the graph.
//
// File state after the shared header: graticule type, grid colour,
// background colour (each 32-bit).
#pragma once

#include "docs/DSOObject.h"

enum GRATICULE_TYPE : int32_t { GRATICULE_FULL = 0, GRATICULE_GRID = 1, GRATICULE_CROSSHAIR = 2, GRATICULE_FRAME = 3 };

class CDSOGraticule : public CDSOObject {
public:
    static constexpr int kDivisionUnits = 200; // graph units per division
    static constexpr DSOColor kCoverColor = DSORgb(212, 208, 200);

    void SetGraticuleType(int32_t type);
    int32_t GetGraticuleType() const { return m_type; }
    void SetGtColor(DSOColor color) { m_gtColor = color; }
    DSOColor GetGtColor() const { return m_gtColor; }
    void SetBgColor(DSOColor color) { m_bgColor = color; }
    DSOColor GetBgColor() const { return m_bgColor; }

    // Background, grid and frame.
    void DrawGraticule(QPainter& painter);
    // Fills the band around the graph (as wide as the viewport margin and
    // then some) with the window colour, then redraws the frame.
    void DrawCoverArea(QPainter& painter);

    void Serialize(CArchive& ar) override;

private:
    void DrawGrid(QPainter& painter, const QColor& ink) const;
    void DrawAxes(QPainter& painter, const QColor& ink) const;
    void DrawFrame(QPainter& painter, const QColor& ink) const;

    int32_t m_type = GRATICULE_FULL;
    DSOColor m_gtColor = DSORgb(255, 255, 255);
    DSOColor m_bgColor = DSORgb(0, 0, 0);
};
