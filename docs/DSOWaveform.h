// CDSOWaveform: one trace of the waveform sheet (CH1, CH2 or Math) with its
// point store.
//
// Points are in graph units (x 0 … wndWidth, y in eighths of a sample count,
// 0 at the graph's centre line, positive upward) and are kept in the order
// they were added. Two y values are markers rather than samples: kGapY is a
// column without a value (the spectrum's gap code), skipped and bridged when
// drawing; y ≤ kNoDataY (a sample not yet acquired) breaks the line.
//
// Display transform of a point p:
//   x' = trig.x0 + (p.x − trig.x0) × hzRatio + offset.x + displacement.x
//   y' = pivot.y + (p.y − pivot.y) × vtRatio + offset.y + displacement.y
// with trig.x0 = wndWidth/2 + trigger position x (the trigger position's x is
// measured from the graph's centre, its y is a graph y).
//
// The point store has its own lock: it is taken around every change of the
// store and around every read of it (drawing, serialising, GetPoint), so the
// store may be refilled on one thread while another draws.
//
// A channel record is kept as its bytes and a 256-entry table of the y each
// byte stands for (SetSamples): point i is (int(i × step), y of byte i), one
// byte a point instead of a QPoint. Points added one by one are kept as they
// come; adding to a record store turns it into points first.
//
// With more points than the graph has device pixel columns, the trace is
// reduced to one vertical span per column; the spans are kept and drawn again
// until the points, the display transform or the painter's mapping change.
//
// File state after the shared header: display style, shown, colour, trigger
// visible, trace focus, pivot, trigger position, offset, displacement (points
// as two 32-bit), vertical and horizontal scale index (32-bit), previous and
// old vertical and horizontal scales (4 × float64), vertical and horizontal
// ratio (float32), state text (counted string), point count (32-bit) and the
// points (two 32-bit each).
#pragma once

#include "docs/DSOObject.h"

#include <QLineF>
#include <QPoint>
#include <QPolygonF>
#include <QTransform>
#include <QVector>

#include <array>

#include <mutex>
#include <string>
#include <vector>

enum WFM_DISPLAY_STYLE : int32_t { WFM_DOTS = 0, WFM_VECTORS = 1 };

class CDSOWaveform : public CDSOObject {
public:
    static constexpr int kGapY = -1232;
    static constexpr int kNoDataY = -1550;
    // Upper bound on points in a file: more than any store depth.
    static constexpr uint32_t kMaxPoints = 32u * 1024u * 1024u;

    CDSOWaveform() = default;
    CDSOWaveform(const CDSOWaveform&) = delete;
    CDSOWaveform& operator=(const CDSOWaveform&) = delete;

    // --- point store ---
    // Reserves room for count points (the store keeps its points). Non-zero on
    // success, 0 when the memory cannot be had.
    int MallocMem(uint32_t count);
    void RemoveAllPoint();
    // Appends a point; 0 when memory runs out (the store keeps what it has).
    int AddPoint(QPoint point);
    // Appends many points under one lock; 0 when memory runs out.
    int AddPoints(const QPoint* points, size_t count);
    // Replaces the points by a record: point i is (int(i × step), yOfByte[bytes[i]]).
    // 0 when memory runs out (the store is then empty).
    int SetSamples(const uint8_t* bytes, size_t count, double step, const std::array<int16_t, 256>& yOfByte);
    // The i-th point added since RemoveAllPoint; (0, 0) out of range.
    QPoint GetPoint(uint32_t index) const;
    uint32_t GetPointCount() const;

    // --- geometry ---
    void SetPivot(QPoint pivot) { m_pivot = pivot; }
    QPoint GetPivot() const { return m_pivot; }
    void SetTrigPos(QPoint trig) { m_trigPos = trig; }
    QPoint GetTrigPos() const { return m_trigPos; }
    // Displayed first point, last point and trigger point (graph units),
    // used to place the rail's marks. With no points, start and end are the
    // graph's left and right edges.
    QPoint GetWfmStart() const;
    QPoint GetWfmEnd() const;
    QPoint GetWfmTrig() const;
    void SetOffSet(QPoint offset) { m_offset = offset; }
    QPoint GetOffSet() const { return m_offset; }
    // Adds to the displacement (block and rail drags, arrow keys).
    void SetDisplacement(int dx, int dy);
    void ResetDisplacement() { m_displacement = QPoint(); }
    QPoint GetDisplacement() const { return m_displacement; }
    QPointF DisplayPoint(QPointF point) const;
    // The graph x the horizontal ratio scales about (trig.x0 above).
    double TriggerX() const;

    // --- scales ---
    void SetVtScaleIndex(int32_t index) { m_vtScaleIndex = index; }
    int32_t GetVtScaleIndex() const { return m_vtScaleIndex; }
    void SetHzScaleIndex(int32_t index) { m_hzScaleIndex = index; }
    int32_t GetHzScaleIndex() const { return m_hzScaleIndex; }
    void SetPreVtScale(double scale) { m_preVtScale = scale; }
    double GetPreVtScale() const { return m_preVtScale; }
    void SetOldVtScale(double scale) { m_oldVtScale = scale; }
    double GetOldVtScale() const { return m_oldVtScale; }
    void SetPreHzScale(double scale) { m_preHzScale = scale; }
    double GetPreHzScale() const { return m_preHzScale; }
    void SetOldHzScale(double scale) { m_oldHzScale = scale; }
    double GetOldHzScale() const { return m_oldHzScale; }
    // Display magnification about the pivot (vertical) and the trigger
    // (horizontal); non-positive or non-finite ratios are ignored.
    void SetVtRatio(float ratio);
    float GetVtRatio() const { return m_vtRatio; }
    void SetHzRatio(float ratio);
    float GetHzRatio() const { return m_hzRatio; }

    // --- look ---
    void SetState(const std::string& state) { m_state = state; }
    const std::string& GetState() const { return m_state; }
    void SetWfmShow(int32_t show) { m_show = show ? 1 : 0; }
    int32_t GetWfmShow() const { return m_show; }
    void SetWfmColor(DSOColor color) { m_color = color; }
    DSOColor GetWfmColor() const { return m_color; }
    void SetDisplayStyle(int32_t style);
    int32_t GetDisplayStyle() const { return m_style; }
    void SetTrigVisible(int32_t visible) { m_trigVisible = visible ? 1 : 0; }
    int32_t GetTrigVisible() const { return m_trigVisible; }
    void SetWfmFocus(int32_t focus) { m_wfmFocus = focus ? 1 : 0; }
    int32_t GetWfmFocus() const { return m_wfmFocus; }

    // Draws the trace clipped to the graph. When the trace has more points
    // than the graph has device pixel columns, each column is drawn as one
    // line from its lowest to its highest point (so no peak is lost), joined
    // to the next column in vector style.
    void DrawWaveform(QPainter& painter);

    void Serialize(CArchive& ar) override;

private:
    struct Column;
    struct Run;
    // The column spans of one reduction and what they were made for.
    struct Decimation {
        uint64_t generation = 0;
        QTransform toDevice;
        QPoint pivot, trigPos, offset, displacement;
        float vtRatio = 0, hzRatio = 0;
        int32_t style = -1;
        bool valid = false;
        QVector<QLineF> spans;         // lowest to highest point of a column
        std::vector<QPolygonF> chains; // joined columns
        QVector<QPointF> dots;         // columns of one point with nothing joined
    };
    static bool FillSpansInImage(QPainter& painter, const QColor& ink, const QVector<QLineF>& spans);
    // Store access; m_lock held.
    size_t PointCount() const { return m_codes.empty() ? m_points.size() : m_codes.size(); }
    QPoint PointAt(size_t i) const {
        return m_codes.empty() ? m_points[i]
                               : QPoint(static_cast<int>(static_cast<double>(i) * m_step), m_codeY[m_codes[i]]);
    }
    bool MaterializePoints();
    void StoreChanged() { ++m_generation; }
    void DrawDirect(QPainter& painter, const QColor& ink) const;
    void DrawDecimated(QPainter& painter, const QColor& ink);
    bool DecimationCurrent(const QTransform& toDevice) const;
    void Decimate(const QTransform& toDevice);
    void FlushRun(const Run& run, std::vector<Column>& columns, int firstColumn, const QTransform& toDevice) const;
    void DrawTriggerMark(QPainter& painter, const QColor& ink) const;
    void SerializePoints(CArchive& ar);

    mutable std::mutex m_lock; // guards the store and m_decimation
    std::vector<QPoint> m_points;
    std::vector<uint8_t> m_codes;          // a record's bytes, or empty
    std::array<int16_t, 256> m_codeY{};    // y of each byte value
    double m_step = 0;                     // x between two record points
    uint64_t m_generation = 0;             // counts changes of the store
    Decimation m_decimation;

    QPoint m_pivot;
    QPoint m_trigPos;
    QPoint m_offset;
    QPoint m_displacement;
    int32_t m_vtScaleIndex = 0;
    int32_t m_hzScaleIndex = 0;
    double m_preVtScale = 0;
    double m_oldVtScale = 0;
    double m_preHzScale = 0;
    double m_oldHzScale = 0;
    float m_vtRatio = 1.0f;
    float m_hzRatio = 1.0f;
    std::string m_state;
    int32_t m_show = 1;
    DSOColor m_color = DSORgb(255, 255, 0);
    int32_t m_style = WFM_VECTORS;
    int32_t m_trigVisible = 1;
    int32_t m_wfmFocus = 0;
};
