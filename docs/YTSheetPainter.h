// CYTSheetPainter: draws a waveform sheet (Y-T or X-Y) on any QPainter with
// the sheet's mapping: graticule, traces, read-outs, cursors, moving blocks
// and rail. The widget paints through Render (double buffering), and so do
// the bitmap export and the printout.
#pragma once

#include "docs/YTSheetData.h"

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSize>

class QPainter;

struct SheetPaintOptions {
    QSize size;                 // picture size in device pixels
    QPoint scroll;              // where the picture starts inside the whole sheet
    bool printing = false;      // a printout: black and white on white when the sheet asks for it
    QRectF rubberBand;          // logical units; drawn when not empty
    int32_t show[3] = {1, 1, 1}; // the shared g_wfmShow flags
};

class CYTSheetPainter {
public:
    // The colour X-Y points and the "X-Y Mode" caption are drawn in.
    static constexpr DSOColor kXYColor = 0xFF00FF;

    // Draws the sheet onto painter, whose device is options.size large.
    static void Paint(QPainter& painter, CYTSheetData& sheet, const SheetPaintOptions& options);
    // Draws into a new image of options.size (the memory picture of a paint).
    static QImage Render(CYTSheetData& sheet, const SheetPaintOptions& options);
    // The logical-to-device transform for a zoom and scroll position.
    static QTransform Mapping(float zoom, QPoint scroll);
    // The logical point of an X-Y sample pair (trace 1 y, trace 2 y).
    static QPoint XYPoint(int ch1Y, int ch2Y);
    // Engineering texts of the read-outs.
    static QString VoltText(double microvolts);
    static QString TimeText(double nanoseconds);

private:
    static void HideMarks(CYTSheetData& sheet);
    static void PaintYT(QPainter& painter, CYTSheetData& sheet, const SheetPaintOptions& options);
    static void PaintXY(QPainter& painter, CYTSheetData& sheet);
    static void PaintScaleInfo(QPainter& painter, CYTSheetData& sheet, const bool drawn[3]);
    static void PaintBlocksAndRail(QPainter& painter, CYTSheetData& sheet, const bool drawn[3]);
    static void PaintRubberBand(QPainter& painter, const QRectF& band);
};
