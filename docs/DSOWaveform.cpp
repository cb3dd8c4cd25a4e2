#include "docs/DSOWaveform.h"

#include "corvane/SharedState.h"
#include "docs/DSOMapping.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <new>

struct CDSOWaveform::Column {
    double lo = 0, hi = 0, first = 0, last = 0;
    bool used = false;
    bool broken = false; // a no-data point lies in or before this column
};

int CDSOWaveform::MallocMem(uint32_t count) {
    std::lock_guard lock(m_lock);
    try {
        m_codes.reserve(count);
    } catch (const std::bad_alloc&) {
        return 0;
    } catch (const std::length_error&) {
        return 0;
    }
    return 1;
}

void CDSOWaveform::RemoveAllPoint() {
    std::lock_guard lock(m_lock);
    m_points.clear();
    m_codes.clear();
    StoreChanged();
}

bool CDSOWaveform::MaterializePoints() {
    if (m_codes.empty()) return true;
    try {
        std::vector<QPoint> points(m_codes.size());
        for (size_t i = 0; i < points.size(); ++i) points[i] = PointAt(i);
        m_points.swap(points);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_codes.clear();
    return true;
}

int CDSOWaveform::AddPoint(QPoint point) { return AddPoints(&point, 1); }

int CDSOWaveform::AddPoints(const QPoint* points, size_t count) {
    std::lock_guard lock(m_lock);
    StoreChanged();
    if (!MaterializePoints()) return 0;
    try {
        m_points.insert(m_points.end(), points, points + count);
    } catch (const std::bad_alloc&) {
        return 0;
    } catch (const std::length_error&) {
        return 0;
    }
    return 1;
}

int CDSOWaveform::SetSamples(const uint8_t* bytes, size_t count, double step,
                             const std::array<int16_t, 256>& yOfByte) {
    std::lock_guard lock(m_lock);
    StoreChanged();
    m_points.clear();
    try {
        m_codes.assign(bytes, bytes + count);
    } catch (const std::bad_alloc&) {
        m_codes.clear();
        return 0;
    } catch (const std::length_error&) {
        m_codes.clear();
        return 0;
    }
    m_codeY = yOfByte;
    m_step = step;
    return 1;
}

QPoint CDSOWaveform::GetPoint(uint32_t index) const {
    std::lock_guard lock(m_lock);
    return index < PointCount() ? PointAt(index) : QPoint();
}

uint32_t CDSOWaveform::GetPointCount() const {
    std::lock_guard lock(m_lock);
    return static_cast<uint32_t>(PointCount());
}

double CDSOWaveform::TriggerX() const { return wndWidth / 2.0 + m_trigPos.x(); }

QPointF CDSOWaveform::DisplayPoint(QPointF p) const {
    const double x0 = TriggerX();
    return {x0 + (p.x() - x0) * m_hzRatio + m_offset.x() + m_displacement.x(),
            m_pivot.y() + (p.y() - m_pivot.y()) * m_vtRatio + m_offset.y() + m_displacement.y()};
}

QPoint CDSOWaveform::GetWfmStart() const {
    std::lock_guard lock(m_lock);
    if (PointCount() == 0) return QPoint(0, 0);
    return DisplayPoint(PointAt(0)).toPoint();
}

QPoint CDSOWaveform::GetWfmEnd() const {
    std::lock_guard lock(m_lock);
    if (PointCount() == 0) return QPoint(GraticuleWidth, 0);
    return DisplayPoint(PointAt(PointCount() - 1)).toPoint();
}

QPoint CDSOWaveform::GetWfmTrig() const { return DisplayPoint(QPointF(TriggerX(), m_trigPos.y())).toPoint(); }

void CDSOWaveform::SetDisplacement(int dx, int dy) { m_displacement += QPoint(dx, dy); }

void CDSOWaveform::SetVtRatio(float ratio) {
    if (std::isfinite(ratio) && ratio > 0) m_vtRatio = ratio;
}

void CDSOWaveform::SetHzRatio(float ratio) {
    if (std::isfinite(ratio) && ratio > 0) m_hzRatio = ratio;
}

void CDSOWaveform::SetDisplayStyle(int32_t style) {
    if (style == WFM_DOTS || style == WFM_VECTORS) m_style = style;
}

void CDSOWaveform::DrawWaveform(QPainter& painter) {
    if (!m_visible || !m_show) return;
    CGraphPainterScope scope(painter);
    painter.setClipRect(CDSOMapping::GraphRect(), Qt::IntersectClip);
    const QColor ink = Ink(m_color);
    {
        std::lock_guard lock(m_lock);
        const double columns = std::abs(painter.combinedTransform().m11()) * GraticuleWidth * m_hzRatio;
        if (static_cast<double>(PointCount()) > columns)
            DrawDecimated(painter, ink);
        else
            DrawDirect(painter, ink);
    }
    if (m_trigVisible) DrawTriggerMark(painter, ink);
}

// Few points: every point is drawn in graph units; runs between no-data
// points form separate polylines.
void CDSOWaveform::DrawDirect(QPainter& painter, const QColor& ink) const {
    painter.setPen(QPen(ink, 0));
    QPolygonF run;
    auto flush = [&] {
        if (m_style == WFM_VECTORS && run.size() > 1)
            painter.drawPolyline(run);
        else
            painter.drawPoints(run);
        run.clear();
    };
    const size_t count = PointCount();
    for (size_t i = 0; i < count; ++i) {
        const QPoint p = PointAt(i);
        if (p.y() == kGapY) continue;
        if (p.y() <= kNoDataY) {
            flush();
            continue;
        }
        run.append(DisplayPoint(p));
    }
    flush();
}

// Consecutive points of one x, in graph y: they fall in one pixel column.
struct CDSOWaveform::Run {
    int x = 0;
    int lo = 0, hi = 0, first = 0, last = 0;
    bool used = false;
    bool broken = false; // a no-data point came before one of its points
};

// Many points: one vertical span per device pixel column (in device space so
// the columns are exact), worked out again only when the points or the
// mapping changed.
void CDSOWaveform::DrawDecimated(QPainter& painter, const QColor& ink) {
    const QTransform toDevice = painter.combinedTransform();
    if (!DecimationCurrent(toDevice)) Decimate(toDevice);
    painter.save();
    painter.resetTransform();
    painter.setPen(QPen(ink, 0));
    if (!FillSpansInImage(painter, ink, m_decimation.spans)) painter.drawLines(m_decimation.spans);
    for (const QPolygonF& chain : m_decimation.chains) painter.drawPolyline(chain);
    painter.drawPoints(m_decimation.dots.constData(), static_cast<int>(m_decimation.dots.size()));
    painter.restore();
}

namespace {

// The image a painter draws on when its pixels can be written directly: no
// transform, an opaque pen replacing what lies below, one clip rectangle.
QImage* PlainImageTarget(QPainter& painter, const QColor& ink) {
    if (!painter.device() || painter.device()->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(painter.device());
    const bool plainFormat = image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32 ||
                             image->format() == QImage::Format_ARGB32_Premultiplied;
    const bool plain = plainFormat && image->isDetached() && image->devicePixelRatio() == 1.0 &&
                       ink.alpha() == 255 && painter.opacity() == 1.0 &&
                       painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
                       !painter.testRenderHint(QPainter::Antialiasing) && painter.transform().isIdentity() &&
                       (!painter.hasClipping() || painter.clipRegion().rectCount() == 1);
    return plain ? image : nullptr;
}

// The pixels a one-pixel pen lights for a vertical line in device
// coordinates: the column of x, rows floor(low) to floor(high).
QRect VerticalSpanPixels(const QLineF& span) {
    const int top = static_cast<int>(std::floor(std::min(span.y1(), span.y2())));
    const int bottom = static_cast<int>(std::floor(std::max(span.y1(), span.y2())));
    return QRect(static_cast<int>(std::floor(span.x1())), top, 1, bottom - top + 1);
}

} // namespace

// A deep record's columns are mostly whole swings, and the raster engine
// lights a hairline pixel by pixel through its blending: on a plain image
// the same pixels are written directly, about ten times faster.
bool CDSOWaveform::FillSpansInImage(QPainter& painter, const QColor& ink, const QVector<QLineF>& spans) {
    QImage* image = PlainImageTarget(painter, ink);
    if (!image) return false;
    QRect bounds = image->rect();
    if (painter.hasClipping()) bounds &= painter.clipRegion().boundingRect();
    const QRgb pixel = ink.rgba();
    const qsizetype stride = image->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    auto* const bits = reinterpret_cast<QRgb*>(image->bits());
    for (const QLineF& span : spans) {
        const QRect r = VerticalSpanPixels(span) & bounds;
        for (int y = r.top(); y <= r.bottom() && !r.isEmpty(); ++y) bits[y * stride + r.left()] = pixel;
    }
    return true;
}

bool CDSOWaveform::DecimationCurrent(const QTransform& toDevice) const {
    const Decimation& d = m_decimation;
    return d.valid && d.generation == m_generation && d.toDevice == toDevice && d.pivot == m_pivot &&
           d.trigPos == m_trigPos && d.offset == m_offset && d.displacement == m_displacement &&
           d.vtRatio == m_vtRatio && d.hzRatio == m_hzRatio && d.style == m_style;
}

// Adds a run to the column its x falls in. Out of the graph, its break is
// carried to the next run that lands (as a point-by-point walk would).
void CDSOWaveform::FlushRun(const Run& run, std::vector<Column>& columns, int firstColumn,
                            const QTransform& toDevice) const {
    // The display transform and the mapping are both scale-and-shift per
    // axis, so one multiply-add per axis takes a point to device space, and
    // the extremes of a run's y stay its extremes there.
    const bool affine = toDevice.type() <= QTransform::TxScale;
    const auto device = [&](int y) {
        if (!affine) return toDevice.map(DisplayPoint(QPointF(run.x, y)));
        const double x0 = TriggerX();
        const double dx = x0 + (run.x - x0) * m_hzRatio + m_offset.x() + m_displacement.x();
        const double dy = m_pivot.y() + (y - m_pivot.y()) * m_vtRatio + m_offset.y() + m_displacement.y();
        return QPointF(toDevice.m11() * dx + toDevice.dx(), toDevice.m22() * dy + toDevice.dy());
    };
    const QPointF a = device(run.lo), b = device(run.hi);
    const long index = static_cast<long>(std::floor(a.x())) - firstColumn;
    if (index < 0 || index >= static_cast<long>(columns.size())) return;
    const double first = device(run.first).y(), last = device(run.last).y();
    Column& c = columns[static_cast<size_t>(index)];
    if (!c.used) {
        c = {std::min(a.y(), b.y()), std::max(a.y(), b.y()), first, last, true, run.broken};
        return;
    }
    c.lo = std::min({c.lo, a.y(), b.y()});
    c.hi = std::max({c.hi, a.y(), b.y()});
    c.last = last;
    c.broken = c.broken || run.broken;
}

void CDSOWaveform::Decimate(const QTransform& toDevice) {
    Decimation& d = m_decimation;
    d = Decimation{m_generation, toDevice, m_pivot, m_trigPos, m_offset, m_displacement, m_vtRatio, m_hzRatio,
                   m_style, true, {}, {}, {}};
    const QRectF deviceGraph = toDevice.mapRect(CDSOMapping::GraphRect());
    const int firstColumn = static_cast<int>(std::floor(deviceGraph.left()));
    const int count = static_cast<int>(std::ceil(deviceGraph.right())) - firstColumn + 1;
    if (count <= 0) return;
    std::vector<Column> columns(static_cast<size_t>(count));
    // Without a plain scale-and-shift mapping a column may depend on y: every
    // point is its own run then.
    const bool grouped = toDevice.type() <= QTransform::TxScale;
    Run run;
    bool pendingBreak = false;
    const size_t points = PointCount();
    for (size_t i = 0; i < points; ++i) {
        const QPoint p = PointAt(i);
        if (p.y() == kGapY) continue;
        if (p.y() <= kNoDataY) {
            pendingBreak = true;
            continue;
        }
        if (run.used && (p.x() != run.x || !grouped)) {
            FlushRun(run, columns, firstColumn, toDevice);
            run.used = false;
        }
        if (!run.used) {
            run = {p.x(), p.y(), p.y(), p.y(), p.y(), true, false};
        } else {
            run.lo = std::min(run.lo, p.y());
            run.hi = std::max(run.hi, p.y());
            run.last = p.y();
        }
        run.broken = run.broken || pendingBreak;
        pendingBreak = false;
    }
    if (run.used) FlushRun(run, columns, firstColumn, toDevice);

    // Each column's span is a vertical line. In vector style each run of
    // joined columns is also one polyline through every column's first and
    // last point, so that where a column holds one point the drawing is the
    // polyline of the points drawn one by one.
    QPolygonF chain;
    const auto endChain = [&] {
        if (chain.size() == 1) d.dots.append(chain.front());
        if (chain.size() > 1) d.chains.push_back(chain);
        chain.clear();
    };
    const auto extend = [&](double x, double y) {
        if (chain.isEmpty() || chain.back() != QPointF(x, y)) chain.append(QPointF(x, y));
    };
    for (int i = 0; i < count; ++i) {
        const Column& c = columns[static_cast<size_t>(i)];
        if (!c.used) continue;
        const double x = firstColumn + i + 0.5;
        if (c.lo != c.hi) d.spans.append(QLineF(x, c.lo, x, c.hi));
        if (m_style != WFM_VECTORS || c.broken) endChain();
        extend(x, c.first);
        extend(x, c.last);
    }
    endChain();
}

// A small "T" at the trigger point: a bar on the trigger level with a stem.
void CDSOWaveform::DrawTriggerMark(QPainter& painter, const QColor& ink) const {
    const QPointF t = DisplayPoint(QPointF(TriggerX(), m_trigPos.y()));
    const double w = PixelsX(4), h = PixelsY(8);
    painter.setPen(QPen(ink, 0));
    painter.drawLine(QPointF(t.x() - w, t.y()), QPointF(t.x() + w, t.y()));
    painter.drawLine(QPointF(t.x(), t.y()), QPointF(t.x(), t.y() - h));
}

void CDSOWaveform::SerializePoints(CArchive& ar) {
    if (ar.IsStoring()) {
        std::lock_guard lock(m_lock);
        const size_t count = PointCount();
        ar.WriteU32(static_cast<uint32_t>(count));
        for (size_t i = 0; i < count; ++i) {
            const QPoint p = PointAt(i);
            ar.WriteI32(p.x());
            ar.WriteI32(p.y());
        }
        return;
    }
    const uint32_t count = ar.ReadCount(8, kMaxPoints);
    if (ar.Failed()) return;
    std::vector<QPoint> points;
    try {
        points.reserve(count);
    } catch (const std::bad_alloc&) {
        ar.SetFailed();
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const int32_t x = ar.ReadI32();
        const int32_t y = ar.ReadI32();
        points.emplace_back(x, y);
    }
    if (ar.Failed()) return;
    std::lock_guard lock(m_lock);
    m_points.swap(points);
    m_codes.clear();
    StoreChanged();
}

void CDSOWaveform::Serialize(CArchive& ar) {
    if (!SerializeHeader(ar, "CDSOWaveform")) return;
    TransferRanged(ar, m_style, WFM_DOTS, WFM_VECTORS);
    TransferRanged(ar, m_show, 0, 1);
    ar.Transfer(m_color);
    TransferRanged(ar, m_trigVisible, 0, 1);
    TransferRanged(ar, m_wfmFocus, 0, 1);
    TransferPoint(ar, m_pivot);
    TransferPoint(ar, m_trigPos);
    TransferPoint(ar, m_offset);
    TransferPoint(ar, m_displacement);
    ar.Transfer(m_vtScaleIndex);
    ar.Transfer(m_hzScaleIndex);
    TransferFinite(ar, m_preVtScale);
    TransferFinite(ar, m_oldVtScale);
    TransferFinite(ar, m_preHzScale);
    TransferFinite(ar, m_oldHzScale);
    TransferFinite(ar, m_vtRatio, true);
    TransferFinite(ar, m_hzRatio, true);
    ar.Transfer(m_state);
    SerializePoints(ar);
}
