// CDSOObject: what every drawing object of the waveform sheet shares: colour
// mode, zoom, visibility, hover focus, selection, and its state in the sheet's
// file.
//
// File state of every object (our own layout, written and read in this order):
//   class record  (the object's class name, schema kDSOSchema)
//   colour mode   32-bit
//   zoom          float32
//   visible       32-bit
//   focus         32-bit
//   selected      32-bit
//   then the object's own fields, listed in its Serialize.
// Colours are 32-bit 0x00BBGGRR values (red in the low byte).
#pragma once

#include "docs/Archive.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

#include <cstdint>

class QPainter;

enum COLOR_MODE : int32_t { COLOR_MODE_RGB = 0, COLOR_MODE_BW = 1 };

// 0x00BBGGRR.
using DSOColor = uint32_t;
constexpr DSOColor DSORgb(int r, int g, int b) {
    return static_cast<DSOColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
QColor QColorFromDSO(DSOColor color);
DSOColor DSOFromQColor(const QColor& color);

// Schema of the drawing objects' file state.
inline constexpr uint16_t kDSOSchema = 1;

// A drag along one axis, shared by the moving blocks and the rail: where it
// started, where it is now, and how far the dragged mark is drawn from its
// resting place meanwhile (0 once the drag ended).
struct DSODrag {
    int32_t start = 0;
    int32_t end = 0;
    int32_t offset = 0;

    void Begin(int32_t at) { start = end = at; offset = 0; }
    void Finish(int32_t at) { end = at; offset = 0; }
    void MoveTo(int32_t at) { end = at; offset = at - start; }
    int32_t Distance() const { return end - start; }
    void Serialize(CArchive& ar) { ar.Transfer(start); ar.Transfer(end); ar.Transfer(offset); }
};

class CDSOObject {
public:
    virtual ~CDSOObject() = default;

    void SetColorMode(int32_t mode);
    int32_t GetColorMode() const { return m_colorMode; }
    // Zoom factor of the sheet (5.0 = 100 %); sizes that must stay constant on
    // screen (pens, handles, hit tolerances) are derived from it.
    void SetZoomScale(float zoom);
    float GetZoomScale() const { return m_zoom; }
    void SetVisible(int32_t visible) { m_visible = visible ? 1 : 0; }
    int32_t GetVisible() const { return m_visible; }
    // Hover focus: the object is drawn highlighted.
    void SetFocus(int32_t focus) { m_focus = focus ? 1 : 0; }
    int32_t GetFocus() const { return m_focus; }
    // Selected for a drag.
    void SetSelFlag(int32_t sel) { m_selFlag = sel ? 1 : 0; }
    int32_t GetSelFlag() const { return m_selFlag; }

    // Writes or reads the object's state; a damaged state fails the archive
    // and leaves the object's earlier fields as read so far.
    virtual void Serialize(CArchive& ar) = 0;

protected:
    // Class record and the shared fields; 0 when the record is refused.
    int SerializeHeader(CArchive& ar, const char* className);
    // Reads or writes a 32-bit value that must lie in [low, high].
    static void TransferRanged(CArchive& ar, int32_t& value, int32_t low, int32_t high);
    static void TransferPoint(CArchive& ar, QPoint& point);
    static void TransferPointF(CArchive& ar, QPointF& point);
    static void TransferFont(CArchive& ar, QFont& font);
    // A float that must be finite (and positive when asked).
    static void TransferFinite(CArchive& ar, float& value, bool positive = false);
    static void TransferFinite(CArchive& ar, double& value, bool positive = false);

    // Colour to paint a foreground in the current colour mode.
    QColor Ink(DSOColor color) const;
    // Background colour in the current colour mode.
    QColor Paper(DSOColor color) const;
    double PixelsX(double pixels) const;
    double PixelsY(double pixels) const;

    // Draws text with its top-left corner at a graph point. The font's pixel
    // size is a height in logical y units, so text scales with the zoom; the
    // glyphs are drawn upright in device space whatever the mapping. Returns
    // the text's bounding box in graph units.
    static QRectF DrawGraphText(QPainter& painter, QPointF topLeft, const QString& text, const QFont& font,
                                const QColor& color);
    // Size of a text in graph units for the painter's mapping (or the sheet's
    // mapping at the object's zoom when no painter is at hand).
    QSizeF GraphTextSize(const QString& text, const QFont& font) const;

    int32_t m_colorMode = COLOR_MODE_RGB;
    float m_zoom = 5.0f;
    int32_t m_visible = 1;
    int32_t m_focus = 0;
    int32_t m_selFlag = 0;
};

// Saves the painter and shifts it so that graph units can be used; restores on
// destruction.
class CGraphPainterScope {
public:
    explicit CGraphPainterScope(QPainter& painter);
    ~CGraphPainterScope();
    CGraphPainterScope(const CGraphPainterScope&) = delete;
    CGraphPainterScope& operator=(const CGraphPainterScope&) = delete;

private:
    QPainter& m_painter;
};

// The sheet's default read-out font: 46 logical units high, normal weight.
QFont DSODefaultFont();
