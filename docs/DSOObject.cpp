#include "docs/DSOObject.h"

#include "corvane/SharedState.h"
#include "docs/DSOMapping.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

QColor QColorFromDSO(DSOColor color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

DSOColor DSOFromQColor(const QColor& color) { return DSORgb(color.red(), color.green(), color.blue()); }

QFont DSODefaultFont() {
    QFont font;
    font.setPixelSize(46);
    font.setWeight(QFont::Normal);
    return font;
}

void CDSOObject::SetColorMode(int32_t mode) { m_colorMode = mode == COLOR_MODE_BW ? COLOR_MODE_BW : COLOR_MODE_RGB; }

void CDSOObject::SetZoomScale(float zoom) {
    if (std::isfinite(zoom) && zoom > 0) m_zoom = zoom;
}

int CDSOObject::SerializeHeader(CArchive& ar, const char* className) {
    if (ar.IsStoring()) {
        ar.WriteClass(className, kDSOSchema);
    } else {
        uint16_t schema = 0;
        if (!ar.ReadClass(className, &schema)) return 0;
        if (schema == 0 || schema > kDSOSchema) { // written by a newer program
            ar.SetFailed();
            return 0;
        }
    }
    TransferRanged(ar, m_colorMode, COLOR_MODE_RGB, COLOR_MODE_BW);
    TransferFinite(ar, m_zoom, true);
    TransferRanged(ar, m_visible, 0, 1);
    TransferRanged(ar, m_focus, 0, 1);
    TransferRanged(ar, m_selFlag, 0, 1);
    return ar.Failed() ? 0 : 1;
}

void CDSOObject::TransferRanged(CArchive& ar, int32_t& value, int32_t low, int32_t high) {
    ar.TransferRanged(value, low, high);
}

void CDSOObject::TransferPoint(CArchive& ar, QPoint& point) { ar.Transfer(point); }

void CDSOObject::TransferPointF(CArchive& ar, QPointF& point) { ar.Transfer(point); }

void CDSOObject::TransferFont(CArchive& ar, QFont& font) { ar.Transfer(font); }

void CDSOObject::TransferFinite(CArchive& ar, float& value, bool positive) { ar.TransferFinite(value, positive); }

void CDSOObject::TransferFinite(CArchive& ar, double& value, bool positive) { ar.TransferFinite(value, positive); }

QColor CDSOObject::Ink(DSOColor color) const {
    return m_colorMode == COLOR_MODE_BW ? QColor(Qt::black) : QColorFromDSO(color);
}

QColor CDSOObject::Paper(DSOColor color) const {
    return m_colorMode == COLOR_MODE_BW ? QColor(Qt::white) : QColorFromDSO(color);
}

double CDSOObject::PixelsX(double pixels) const { return pixels * CDSOMapping::UnitsPerPixelX(m_zoom); }

double CDSOObject::PixelsY(double pixels) const { return pixels * CDSOMapping::UnitsPerPixelY(m_zoom); }

QRectF CDSOObject::DrawGraphText(QPainter& painter, QPointF topLeft, const QString& text, const QFont& font,
                                 const QColor& color) {
    const QTransform toDevice = painter.combinedTransform();
    QFont deviceFont = font;
    const double height = font.pixelSize() > 0 ? font.pixelSize() : 46;
    deviceFont.setPixelSize(std::max(1, static_cast<int>(std::lround(height * std::abs(toDevice.m22())))));
    const QPointF origin = toDevice.map(topLeft);
    const QSizeF size = QFontMetricsF(deviceFont, painter.device()).size(0, text);
    const QRectF deviceRect(origin, size);
    painter.save();
    painter.resetTransform();
    painter.setFont(deviceFont);
    painter.setPen(color);
    painter.drawText(deviceRect, Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
    return toDevice.inverted().mapRect(deviceRect).normalized();
}

QSizeF CDSOObject::GraphTextSize(const QString& text, const QFont& font) const {
    const double scaleY = vwBaseHeight * m_zoom / wndHeight;
    const double scaleX = vwBaseWidth * m_zoom / wndWidth;
    QFont deviceFont = font;
    const double height = font.pixelSize() > 0 ? font.pixelSize() : 46;
    deviceFont.setPixelSize(std::max(1, static_cast<int>(std::lround(height * scaleY))));
    const QSizeF size = QFontMetricsF(deviceFont).size(0, text);
    return {size.width() / scaleX, size.height() / scaleY};
}

CGraphPainterScope::CGraphPainterScope(QPainter& painter) : m_painter(painter) {
    m_painter.save();
    m_painter.translate(0, -GraticuleHeight / 2.0);
}

CGraphPainterScope::~CGraphPainterScope() { m_painter.restore(); }
