#include "docs/YTSheetZoom.h"

#include "corvane/SharedState.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPictureWidthPerZoom = 125;
constexpr int kPictureHeightPerZoom = 100;
}  // namespace

float CYTSheetZoom::Clamp(float zoom) {
    if (!std::isfinite(zoom)) return kDefault;
    return std::clamp(zoom, kMin, kMaxTyped);
}

float CYTSheetZoom::ZoomIn(float zoom) {
    const float z = Clamp(zoom);
    return std::max(z, std::min(z + kStep, kMax));
}

float CYTSheetZoom::ZoomOut(float zoom) { return std::max(Clamp(zoom) - kStep, kMin); }

float CYTSheetZoom::Fit(QSize client) {
    float z = kDefault;
    while (z > kMin && (client.width() < vwBaseWidth * z || client.height() < vwBaseHeight * z)) z -= kStep;
    return std::max(z, kMin);
}

QPoint CYTSheetZoom::FitCentre(float zoom) {
    return QPoint(static_cast<int>(vwBaseWidth * zoom / 2), static_cast<int>(vwBaseHeight * zoom / 2));
}

QPoint CYTSheetZoom::ScaleCentre(QPoint centre, float oldZoom, float newZoom) {
    const double k = newZoom / std::max(oldZoom, kMin);
    return QPoint(static_cast<int>((centre.x() - vwOrgX) * k + vwOrgX),
                  static_cast<int>((centre.y() - vwOrgY) * k + vwOrgY));
}

QSize CYTSheetZoom::PictureSize(float zoom) {
    return QSize(static_cast<int>(kPictureWidthPerZoom * zoom), static_cast<int>(kPictureHeightPerZoom * zoom));
}

QSize CYTSheetZoom::ScrollSize(QSize client, float zoom, bool* needed) {
    const QSize picture = PictureSize(zoom);
    if (needed) *needed = picture.width() > client.width() || picture.height() > client.height();
    return client.expandedTo(picture);
}

QPoint CYTSheetZoom::ScrollForCentre(QPoint centre, QSize client, float zoom) {
    const QSize total = ScrollSize(client, zoom);
    const int x = std::clamp(centre.x() - client.width() / 2, 0, total.width() - client.width());
    const int y = std::clamp(centre.y() - client.height() / 2, 0, total.height() - client.height());
    return QPoint(x, y);
}

int CYTSheetZoom::Percent(float zoom) { return static_cast<int>(zoom * 100.0f / kDefault); }

QString CYTSheetZoom::ZoomText(float zoom) { return QStringLiteral("%1%").arg(Percent(zoom)); }
