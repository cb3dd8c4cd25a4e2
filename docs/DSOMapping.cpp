#include "docs/DSOMapping.h"

#include "corvane/SharedState.h"

#include <algorithm>

QTransform CDSOMapping::LogicalToDevice(double zoom) {
    const double sx = vwBaseWidth * zoom / wndWidth;
    const double sy = -vwBaseHeight * zoom / wndHeight;
    return QTransform(sx, 0, 0, sy, vwOrgX, vwOrgY);
}

QPointF CDSOMapping::DeviceToLogical(QPointF device, double zoom) {
    return LogicalToDevice(zoom).inverted().map(device);
}

QPointF CDSOMapping::LogicalFromGraph(QPointF graph) { return {graph.x(), graph.y() - GraticuleHeight / 2.0}; }

QPointF CDSOMapping::GraphFromLogical(QPointF logical) {
    return {logical.x(), logical.y() + GraticuleHeight / 2.0};
}

QRectF CDSOMapping::GraphRect() {
    return QRectF(0, -GraticuleHeight / 2.0, GraticuleWidth, GraticuleHeight);
}

double CDSOMapping::UnitsPerPixelX(double zoom) {
    return wndWidth / (vwBaseWidth * std::max(zoom, 0.01));
}

double CDSOMapping::UnitsPerPixelY(double zoom) {
    return wndHeight / (vwBaseHeight * std::max(zoom, 0.01));
}
