// CDSOMapping: the coordinate systems of the waveform sheet and the drawing
// objects, in one place.
//
// - Logical units: the sheet's anisotropic mapping. Window extent
//   (wndWidth, wndHeight) = 3200 × 1600 units is shown on a viewport of
//   (vwBaseWidth × zoom, −vwBaseHeight × zoom) device pixels whose origin is
//   (vwOrgX, vwOrgY). The y axis points up, so the graph occupies x 0 … 3200,
//   y 0 … −1600; its centre is (1600, −800). The sheet sets this mapping on its
//   QPainter (LogicalToDevice) and converts mouse points back (DeviceToLogical).
// - Graph units: the drawing objects' own coordinates, the same as logical
//   units but with y measured from the graph's horizontal centre line, so a
//   trace sample y (eighths of a sample count) is used unchanged: the graticule
//   spans y −800 … +800. Trace points, pivots, trigger positions, cursor
//   places, block centres and rail marks are all in graph units; hit tests take
//   graph points too (GraphFromLogical converts a mouse point).
// The objects draw through whatever transform is set on the painter and add
// only the graph-to-logical shift themselves.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QTransform>

class CDSOMapping {
public:
    // Logical → device transform for a zoom factor (5.0 shows 100 %).
    static QTransform LogicalToDevice(double zoom);
    static QPointF DeviceToLogical(QPointF device, double zoom);
    // Graph units ↔ logical units.
    static QPointF LogicalFromGraph(QPointF graph);
    static QPointF GraphFromLogical(QPointF logical);
    // The graticule rectangle in graph units: x 0 … GraticuleWidth,
    // y −GraticuleHeight/2 … +GraticuleHeight/2 (normalised: top() is the low y).
    static QRectF GraphRect();
    // Size of one device pixel in logical units at a zoom factor.
    static double UnitsPerPixelX(double zoom);
    static double UnitsPerPixelY(double zoom);
};
