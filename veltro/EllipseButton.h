// CEllipseButton: the round key of the virtual front panel. A push button
// that paints itself as an ellipse filling its rectangle, clips its window to
// that ellipse, and lights up while the mouse is over it.
//
// Hover: the first mouse move over the button captures the mouse and lights
// the button; a move outside the button's rectangle (or the mouse leaving the
// window) releases the capture and puts the normal look back. Pressing shows
// the normal look, releasing lights the button again. Clicks reach the owner
// through QAbstractButton's clicked() as usual.
#pragma once

#include <QPushButton>
#include <QRegion>
#include <QString>

#if defined(veltro_EXPORTS)
#define VELTRO_EXPORT Q_DECL_EXPORT
#else
#define VELTRO_EXPORT Q_DECL_IMPORT
#endif

class VELTRO_EXPORT CEllipseButton : public QPushButton {
    Q_OBJECT
public:
    // Colours of the button (red, green, blue).
    static constexpr QRgb kBackgroundColor = 0xFFF4F4F0;  // around the ellipse
    static constexpr QRgb kFaceColor = 0xFFF3F3F3;
    static constexpr QRgb kOuterRingColor = 0xFF000000;
    static constexpr QRgb kNormalRingColor = 0xFFD0EBF9;
    static constexpr QRgb kLitRingColor = 0xFFFFD064;
    static constexpr QRgb kCaptionColor = 0xFF000000;

    explicit CEllipseButton(QWidget* parent = nullptr);
    explicit CEllipseButton(const QString& text, QWidget* parent = nullptr);
    ~CEllipseButton() override;

    // Recomputes centre and radii from the current size and clips the window
    // to the inscribed ellipse. Runs at construction and on every resize.
    void PreSubclassWindow();
    // Paints the whole button into rect (normally the widget's rectangle):
    // background, then the look that the lit flag selects, with the current
    // window text as caption.
    void DrawItem(QPainter& painter, const QRect& rect);
    void DrawNormalBtn(QPainter& painter);
    void DrawPassBtn(QPainter& painter);

    int IsLit() const { return m_lit; }
    int IsTracking() const { return m_tracking; }
    QPoint GetCentre() const { return {m_centreX, m_centreY}; }
    int GetRadiusX() const { return m_radiusX; }
    int GetRadiusY() const { return m_radiusY; }
    const QRegion& GetRegion() const { return m_region; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DrawLook(QPainter& painter, const QRect& inner, QRgb ringColor, const QPoint& textOffset);
    void TakeFocus();
    // Ends the hover: releases the capture and shows the normal look.
    void EndHover();

    QRegion m_region;
    int m_radiusX = 0;
    int m_radiusY = 0;
    int m_centreX = 0;
    int m_centreY = 0;
    QRect m_itemRect;
    int m_tracking = 0;
    int m_lit = 0;
    QString m_caption;
};
